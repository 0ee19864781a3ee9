#pragma once
// Pictures painted for the device pixel ratio of the screen they show on, so
// they stay as sharp as the text beside them at any scale.
#include <QPixmap>

#include <functional>

class QString;
class QWidget;

namespace zz::ui {

// A transparent picture of size device-independent pixels for a screen of
// ratio dpr: a painter on it draws in those pixels.
QPixmap blankPicture(QSize size, qreal dpr);

// The picture paint(dpr) makes, painted on the first call for key and dpr and
// shared after that (painted again only if Qt's pixmap cache let it go).
QPixmap paintedOnce(const QString &key, qreal dpr, const std::function<QPixmap(qreal)> &paint);

// Calls apply with the widget's device pixel ratio when the widget first
// shows, and again whenever it shows on a screen of another ratio. The
// widget owns what is installed.
void followPixelRatio(QWidget &widget, std::function<void(qreal)> apply);

} // namespace zz::ui
