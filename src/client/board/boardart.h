#pragma once
// The board's pictures, painted once at start-up instead of shipped as files.
#include <QPixmap>

namespace zz::board {

QPixmap completedMark();          // a green ribbon with a check
QPixmap fastMark();               // a lightning bolt on a yellow disc
QPixmap eyesMark();               // a pair of eyes, 23 x 10
QPixmap boxBonusBadge(int value); // "+value" on a small badge, 47 x 26

enum class ButtonLook { Normal, Hover, Pressed };
QPixmap startButtonPicture(QSize size, ButtonLook look);

} // namespace zz::board
