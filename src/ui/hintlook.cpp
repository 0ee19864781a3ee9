#include "ui/hintlook.h"

#include "ui/pictures.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QToolTip>

namespace zz {

namespace {

constexpr int ShowAfterMs = 100;
constexpr int ExtraPoints = 5;

class HintStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returned) const override
    {
        // Qt itself hides a tip after about ten seconds.
        if (hint == SH_ToolTip_WakeUpDelay)
            return ShowAfterMs;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const override
    {
        // Every menu bar asks for its overflow button's arrows at once; the
        // style's own come from files whose reading loads every image format
        // plug-in before the window can show. Drawn ones look alike.
        if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
            return overflowArrows(icon == SP_ToolBarVerticalExtensionButton,
                                  widget ? widget->devicePixelRatioF() : qApp->devicePixelRatio());
        return QProxyStyle::standardIcon(icon, option, widget);
    }

private:
    static QIcon overflowArrows(bool downwards, qreal dpr)
    {
        // Two chevrons, 8 x 5, as the style's smallest picture has them.
        const QSize size = downwards ? QSize(5, 8) : QSize(8, 5);
        QPixmap arrows = ui::blankPicture(size, dpr);
        QPainter p(&arrows);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
        if (downwards)
            p.setTransform(QTransform(0, 1, 1, 0, 0, 0));   // the same chevrons, pointing down
        for (const qreal at : {1.5, 4.5})
            p.drawPolyline(QPolygonF({QPointF(at, 0.5), QPointF(at + 2, 2.5), QPointF(at, 4.5)}));
        p.end();
        return QIcon(arrows);
    }
};

} // namespace

void installHintLook(QApplication &app)
{
    QFont font = QToolTip::font();
    const int points = font.pointSize() > 0 ? font.pointSize() : QApplication::font().pointSize();
    font.setFamilies({QStringLiteral("Arial")});
    font.setBold(true);
    font.setPointSize(points + ExtraPoints);
    QToolTip::setFont(font);
    QApplication::setStyle(new HintStyle(app.style()->name()));
}

} // namespace zz
