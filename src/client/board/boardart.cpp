#include "boardart.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

namespace zz::board {

namespace {

QPixmap transparentPixmap(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QFont boldFont(int pixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

QPixmap backgroundTile()
{
    constexpr int Side = 160;
    QPixmap tile(Side, Side);
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
    const struct { char letter; int x, y, angle; } letters[] = {
        {'Z', 22, 40, -12}, {'O', 104, 30, 9}, {'P', 60, 112, 6}, {'A', 134, 122, -8}, {'W', 12, 150, 14}};
    p.setFont(boldFont(26));
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

QPixmap completedMark()
{
    QPixmap pixmap = transparentPixmap(QSize(23, 19));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Two ribbon tails under a rosette.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1e, 0x7a, 0x3c));
    p.drawPolygon(QPolygonF({QPointF(3, 10), QPointF(6, 19), QPointF(7.5, 16), QPointF(10, 18), QPointF(8, 10)}));
    p.drawPolygon(QPolygonF({QPointF(8, 10), QPointF(10, 18), QPointF(12, 16), QPointF(14, 19), QPointF(12, 9)}));
    QRadialGradient disc(QPointF(6.5, 5.5), 9);
    disc.setColorAt(0, QColor(0x8c, 0xe0, 0x8a));
    disc.setColorAt(1, QColor(0x23, 0x9a, 0x4a));
    p.setBrush(disc);
    p.setPen(QPen(QColor(0x14, 0x5e, 0x2d), 1));
    p.drawEllipse(QRectF(1, 0.5, 15, 14));
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(4.5, 7.5), QPointF(7.5, 10.5), QPointF(12.5, 4)}));
    return pixmap;
}

QPixmap fastMark()
{
    // Drawn on the right of the seat's mark column, so it sits beside the completed
    // mark when both are shown.
    QPixmap pixmap = transparentPixmap(QSize(23, 19));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient disc(QPointF(14, 8), 10);
    disc.setColorAt(0, QColor(0xff, 0xf3, 0xa0));
    disc.setColorAt(1, QColor(0xf2, 0xa9, 0x1a));
    p.setBrush(disc);
    p.setPen(QPen(QColor(0xa8, 0x62, 0x00), 1));
    p.drawEllipse(QRectF(9, 4, 13.5, 13.5));
    p.setBrush(QColor(0xc2, 0x27, 0x1a));
    p.setPen(QPen(QColor(0x7a, 0x12, 0x08), 0.6));
    p.drawPolygon(QPolygonF({QPointF(17, 5), QPointF(12.5, 11.5), QPointF(15.2, 11.5), QPointF(13.5, 16.8),
                             QPointF(19, 9.5), QPointF(16.2, 9.5), QPointF(18, 5)}));
    return pixmap;
}

QPixmap eyesMark()
{
    QPixmap pixmap = transparentPixmap(QSize(23, 10));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    for (const qreal left : {1.0, 12.0}) {
        p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(left, 0.5, 10, 9));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2b, 0x5f, 0xa8));
        p.drawEllipse(QRectF(left + 4, 3, 4.5, 4.5));
        p.setBrush(Qt::black);
        p.drawEllipse(QRectF(left + 5.2, 4.2, 2.2, 2.2));
    }
    return pixmap;
}

QPixmap boxBonusBadge(int value)
{
    QPixmap pixmap = transparentPixmap(QSize(47, 26));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF badge(1.5, 2.5, 44, 21);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawRoundedRect(badge.translated(1, 1.5), 10.5, 10.5);
    QLinearGradient fill(badge.topLeft(), badge.bottomLeft());
    fill.setColorAt(0, QColor(0xff, 0xd9, 0x66));
    fill.setColorAt(1, QColor(0xf0, 0x9a, 0x1c));
    p.setBrush(fill);
    p.setPen(QPen(QColor(0xb0, 0x6a, 0x05), 1));
    p.drawRoundedRect(badge, 10.5, 10.5);
    p.setFont(boldFont(15));
    p.setPen(QColor(0x5a, 0x2e, 0x00));
    p.drawText(badge, Qt::AlignCenter, QLatin1Char('+') + QString::number(value));
    return pixmap;
}

QPixmap startButtonPicture(QSize size, ButtonLook look)
{
    QPixmap pixmap = transparentPixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal sink = look == ButtonLook::Pressed ? 2 : 0;
    const QRectF body = QRectF(QPointF(2, 1 + sink), QSizeF(size.width() - 4, size.height() - 6));
    const qreal radius = body.height() / 2;

    if (look != ButtonLook::Pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 40, 20, 70));
        p.drawRoundedRect(body.translated(0, 3), radius, radius);
    }
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    const bool lit = look == ButtonLook::Hover;
    fill.setColorAt(0, lit ? QColor(0x8c, 0xf0, 0x7e) : QColor(0x6f, 0xd8, 0x63));
    fill.setColorAt(1, lit ? QColor(0x23, 0xa0, 0x3a) : QColor(0x17, 0x84, 0x2d));
    p.setBrush(fill);
    p.setPen(QPen(QColor(0x0d, 0x55, 0x1c), 1.5));
    p.drawRoundedRect(body, radius, radius);

    // Glossy upper half.
    QPainterPath gloss;
    gloss.addRoundedRect(body.adjusted(4, 2, -4, -body.height() / 2), radius - 3, radius - 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, lit ? 95 : 70));
    p.drawPath(gloss);

    p.setFont(boldFont(int(body.height() * 0.46)));
    const QString caption = QStringLiteral("START GAME");
    p.setPen(QColor(0, 50, 10, 140));
    p.drawText(body.translated(0, 1.5), Qt::AlignCenter, caption);
    p.setPen(Qt::white);
    p.drawText(body, Qt::AlignCenter, caption);
    return pixmap;
}

} // namespace zz::board
