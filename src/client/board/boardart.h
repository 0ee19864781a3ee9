#pragma once
// The board's pictures, painted once at start-up instead of shipped as files.
#include <QPixmap>

class QWidget;

namespace zz::board {

QPixmap backgroundTile();
// Gives a window the board's tiled background, so every window of the game looks alike.
void tileBackground(QWidget &window);
QPixmap completedMark();          // a green ribbon with a check
QPixmap fastMark();               // a lightning bolt on a yellow disc
QPixmap eyesMark();               // a pair of eyes, 23 x 10
QPixmap boxBonusBadge(int value); // "+value" on a small badge, 47 x 26

enum class ButtonLook { Normal, Hover, Pressed };
QPixmap startButtonPicture(QSize size, ButtonLook look);

} // namespace zz::board
