#include "ui/hintlook.h"

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
            return overflowArrows(icon == SP_ToolBarVerticalExtensionButton);
        return QProxyStyle::standardIcon(icon, option, widget);
    }

private:
    static QIcon overflowArrows(bool downwards)
    {
        // Two chevrons, 8 x 5, as the style's smallest picture has them.
        QPixmap arrows(8, 5);
        arrows.fill(Qt::transparent);
        QPainter p(&arrows);
        p.setPen(QColor(0x30, 0x30, 0x30));
        for (const int at : {1, 4})
            p.drawPolyline(QList<QPoint>{QPoint(at, 0), QPoint(at + 2, 2), QPoint(at, 4)});
        p.end();
        return QIcon(downwards ? arrows.transformed(QTransform().rotate(90)) : arrows);
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
