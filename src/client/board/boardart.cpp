#include "boardart.h"

#include "core/names.h"
#include "ui/pictures.h"
#include "ui/tiledlook.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace zz::board {

namespace {

QPixmap paintCompletedMark(qreal dpr)
{
    // Drawn on the left of the seat's mark column and the fast mark on the right,
    // so the two sit side by side when a seat earns both.
    QPixmap pixmap = ui::blankPicture(QSize(23, 19), dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1e, 0x7a, 0x3c));
    p.drawPolygon(QPolygonF({QPointF(2, 10), QPointF(3, 18.5), QPointF(5, 16.5), QPointF(6.5, 18), QPointF(6, 11)}));
    p.drawPolygon(
        QPolygonF({QPointF(6, 11), QPointF(6.5, 18), QPointF(8.5, 16.5), QPointF(10.5, 18.5), QPointF(10, 10)}));
    QRadialGradient disc(QPointF(4.5, 4.5), 8);
    disc.setColorAt(0, QColor(0x8c, 0xe0, 0x8a));
    disc.setColorAt(1, QColor(0x23, 0x9a, 0x4a));
    p.setBrush(disc);
    p.setPen(QPen(QColor(0x14, 0x5e, 0x2d), 1));
    p.drawEllipse(QRectF(0.5, 1.5, 11.5, 11.5));
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(3.3, 7.4), QPointF(5.5, 9.6), QPointF(9.3, 4.6)}));
    return pixmap;
}

QPixmap paintFastMark(qreal dpr)
{
    QPixmap pixmap = ui::blankPicture(QSize(23, 19), dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient disc(QPointF(16, 6), 9);
    disc.setColorAt(0, QColor(0xff, 0xf3, 0xa0));
    disc.setColorAt(1, QColor(0xf2, 0xa9, 0x1a));
    p.setBrush(disc);
    p.setPen(QPen(QColor(0xa8, 0x62, 0x00), 1));
    p.drawEllipse(QRectF(11, 3.5, 11.5, 11.5));
    p.setBrush(QColor(0xc2, 0x27, 0x1a));
    p.setPen(QPen(QColor(0x7a, 0x12, 0x08), 0.5));
    p.drawPolygon(QPolygonF({QPointF(17.8, 4.5), QPointF(13.6, 10.2), QPointF(16, 10.2), QPointF(14.8, 14.2),
                             QPointF(19.4, 8.3), QPointF(17, 8.3), QPointF(18.8, 4.5)}));
    return pixmap;
}

QPixmap paintEyesMark(qreal dpr)
{
    QPixmap pixmap = ui::blankPicture(QSize(23, 10), dpr);
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

QPixmap paintBoxBonusBadge(int value, qreal dpr)
{
    QPixmap pixmap = ui::blankPicture(QSize(47, 26), dpr);
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
    p.setFont(ui::boldArial(15));
    p.setPen(QColor(0x5a, 0x2e, 0x00));
    p.drawText(badge, Qt::AlignCenter, QLatin1Char('+') + QString::number(value));
    return pixmap;
}

QPixmap paintStartButtonPicture(QSize size, ButtonLook look, qreal dpr)
{
    QPixmap pixmap = ui::blankPicture(size, dpr);
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

    p.setFont(ui::boldArial(int(body.height() * 0.46)));
    const QString caption = QString(QLatin1String(label::StartGame.data(), qsizetype(label::StartGame.size()))).toUpper();
    p.setPen(QColor(0, 50, 10, 140));
    p.drawText(body.translated(0, 1.5), Qt::AlignCenter, caption);
    p.setPen(Qt::white);
    p.drawText(body, Qt::AlignCenter, caption);
    return pixmap;
}

} // namespace

// Six seats show the same marks and twenty boxes four badges: paint each once
// for each pixel ratio.
QPixmap completedMark(qreal dpr)
{
    return ui::paintedOnce(QStringLiteral("zz-completed-mark"), dpr, paintCompletedMark);
}

QPixmap fastMark(qreal dpr)
{
    return ui::paintedOnce(QStringLiteral("zz-fast-mark"), dpr, paintFastMark);
}

QPixmap eyesMark(qreal dpr)
{
    return ui::paintedOnce(QStringLiteral("zz-eyes-mark"), dpr, paintEyesMark);
}

QPixmap boxBonusBadge(int value, qreal dpr)
{
    return ui::paintedOnce(QStringLiteral("zz-badge-%1").arg(value), dpr,
                           [value](qreal ratio) { return paintBoxBonusBadge(value, ratio); });
}

QPixmap startButtonPicture(QSize size, ButtonLook look, qreal dpr)
{
    return ui::paintedOnce(QStringLiteral("zz-start-%1x%2-%3").arg(size.width()).arg(size.height()).arg(int(look)),
                           dpr, [size, look](qreal ratio) { return paintStartButtonPicture(size, look, ratio); });
}

} // namespace zz::board
