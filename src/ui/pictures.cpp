#include "ui/pictures.h"

#include <QEvent>
#include <QPixmapCache>
#include <QString>
#include <QWidget>
#include <QtMath>

#include <utility>

namespace zz::ui {

QPixmap blankPicture(QSize size, qreal dpr)
{
    // Rounded up: a picture a fraction of a pixel short would lose its edge.
    QPixmap picture(qCeil(size.width() * dpr), qCeil(size.height() * dpr));
    picture.setDevicePixelRatio(dpr);
    picture.fill(Qt::transparent);
    return picture;
}

QPixmap paintedOnce(const QString &key, qreal dpr, const std::function<QPixmap(qreal)> &paint)
{
    const QString keyForRatio = key + QLatin1Char('@') + QString::number(dpr);
    QPixmap picture;
    if (!QPixmapCache::find(keyForRatio, &picture)) {
        picture = paint(dpr);
        QPixmapCache::insert(keyForRatio, picture);
    }
    return picture;
}

namespace {

class PixelRatioFollower : public QObject
{
public:
    PixelRatioFollower(QWidget &widget, std::function<void(qreal)> apply)
        : QObject(&widget)
        , m_apply(std::move(apply))
    {
        widget.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        case QEvent::DevicePixelRatioChange:
#endif
            // A widget that never showed has no picture to mend.
            if (m_applied == 0)
                break;
            [[fallthrough]];
        case QEvent::Show:
            applyRatio(static_cast<QWidget *>(watched)->devicePixelRatioF());
            break;
        default:
            break;
        }
        return false;
    }

private:
    void applyRatio(qreal dpr)
    {
        if (qFuzzyCompare(dpr, m_applied))
            return;
        m_applied = dpr;
        m_apply(dpr);
    }

    std::function<void(qreal)> m_apply;
    qreal m_applied = 0;   // none yet
};

} // namespace

void followPixelRatio(QWidget &widget, std::function<void(qreal)> apply)
{
    new PixelRatioFollower(widget, std::move(apply));
}

} // namespace zz::ui
