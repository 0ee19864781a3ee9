#pragma once
// The paper-and-letters background every window of the game shares.
#include <QFont>
#include <QPixmap>

class QString;
class QWidget;

namespace zz::ui {

// The bold Arial the board's pictures and captions are drawn in.
QFont boldArial(int pixelSize);

// Painted once for each device pixel ratio, then shared; the pattern is the
// same on every start.
QPixmap backgroundTile(qreal dpr = 1);
// Gives a window the tiled background, so every window of the game looks alike;
// the tile is laid in when the window is first shown, and laid again for a
// screen of another pixel ratio.
void tileBackground(QWidget &window);

} // namespace zz::ui
