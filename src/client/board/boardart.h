#pragma once
// The board's pictures, painted when first shown instead of shipped as files,
// once for each device pixel ratio they show at (sizes in device-independent
// pixels).
#include <QPixmap>

namespace zz::board {

QPixmap completedMark(qreal dpr);          // a green ribbon with a check, 23 x 19
QPixmap fastMark(qreal dpr);               // a lightning bolt on a yellow disc, 23 x 19
QPixmap eyesMark(qreal dpr);               // a pair of eyes, 23 x 10
QPixmap boxBonusBadge(int value, qreal dpr); // "+value" on a small badge, 47 x 26

enum class ButtonLook { Normal, Hover, Pressed };
QPixmap startButtonPicture(QSize size, ButtonLook look, qreal dpr);

} // namespace zz::board
