#include "ui/hintlook.h"

#include <QApplication>
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
