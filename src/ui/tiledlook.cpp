#include "ui/tiledlook.h"

#include "ui/pictures.h"

#include <QFont>
#include <QPainter>
#include <QPalette>
#include <QRandomGenerator>
#include <QWidget>

namespace zz::ui {

QFont boldArial(int pixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

void tileBackground(QWidget &window)
{
    window.setAutoFillBackground(true);
    followPixelRatio(window, [&window](qreal dpr) {
        QPalette look = window.palette();
        look.setBrush(QPalette::Window, QBrush(backgroundTile(dpr)));
        window.setPalette(look);
    });
}

namespace {

QPixmap paintBackgroundTile(qreal dpr)
{
    constexpr int Side = 160;
    QPixmap tile(qRound(Side * dpr), qRound(Side * dpr));
    tile.setDevicePixelRatio(dpr);
    tile.fill(QColor(0xdc, 0xe7, 0xee));
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);

    // A fixed seed keeps the paper grain the same on every start.
    QRandomGenerator grain(7772);
    for (int i = 0; i < 900; ++i) {
        const int shade = int(grain.bounded(2));
        p.setPen(shade ? QColor(255, 255, 255, 70) : QColor(60, 90, 110, 18));
        p.drawPoint(int(grain.bounded(Side)), int(grain.bounded(Side)));
    }
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    for (int d = -Side; d < Side; d += 20) {
        p.drawLine(d, 0, d + Side, Side);
        p.drawLine(d + Side, 0, d, Side);
    }

    // Faint letters scattered like tiles left on the table.
    const struct
    {
        char letter;
        int x, y, angle;
    } letters[] = {{'Z', 22, 40, -12}, {'O', 104, 30, 9}, {'P', 60, 112, 6}, {'A', 134, 122, -8}, {'W', 12, 150, 14}};
    p.setFont(boldArial(26));
    p.setPen(QColor(70, 110, 135, 22));
    for (const auto &l : letters) {
        p.save();
        p.translate(l.x, l.y);
        p.rotate(l.angle);
        p.drawText(0, 0, QString(QLatin1Char(l.letter)));
        p.restore();
    }
    return tile;
}

} // namespace

QPixmap backgroundTile(qreal dpr)
{
    // Every window of the game shows it.
    return paintedOnce(QStringLiteral("zz-background-tile"), dpr, paintBackgroundTile);
}

} // namespace zz::ui
