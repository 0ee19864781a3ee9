#pragma once
// The paper-and-letters background every window of the game shares.
#include <QFont>
#include <QPixmap>

#include <functional>

class QString;
class QWidget;

namespace zz::ui {

// The bold Arial the board's pictures and captions are drawn in.
QFont boldArial(int pixelSize);

// Painted once, then shared; the pattern is the same on every start.
QPixmap backgroundTile();
// The picture paint() makes, painted on the first call for key and shared
// after that (painted again only if Qt's pixmap cache had to let it go).
QPixmap paintedOnce(const QString &key, const std::function<QPixmap()> &paint);
// Gives a window the tiled background, so every window of the game looks alike;
// the tile is laid in when the window is first shown.
void tileBackground(QWidget &window);

} // namespace zz::ui
