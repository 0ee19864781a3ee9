#pragma once
// The paper-and-letters background every window of the game shares.
#include <QFont>
#include <QPixmap>

class QWidget;

namespace zz::ui {

// The bold Arial the board's pictures and captions are drawn in.
QFont boldArial(int pixelSize);

// Painted afresh on each call; the pattern is the same on every start.
QPixmap backgroundTile();
// Gives a window the tiled background, so every window of the game looks alike.
void tileBackground(QWidget &window);

} // namespace zz::ui
