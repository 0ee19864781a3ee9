#include "smileys.h"

#include "core/chatline.h"

#include <QPainter>
#include <QPainterPath>

#include <QtMath>

#include <array>
#include <map>
#include <utility>

namespace zz {

namespace {

// Faces are drawn on a 100 x 100 grid scaled down to the image.
enum class Eyes { Dots, Wink, Closed, Wide, Shades, Hearts, Angry, Sleepy, Crossed };
enum class Mouth { Smile, Grin, Sad, Open, Tongue, Laugh, Flat, Wavy, Kiss, Smirk, Frown };

struct Face
{
    QColor skin;
    Eyes eyes;
    Mouth mouth;
    bool tear = false;
    bool blush = false;
    bool horns = false;
};

const QColor Ink(70, 45, 10);

void drawEyes(QPainter &p, Eyes eyes)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    const QPen line(Ink, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (eyes) {
    case Eyes::Dots:
        p.drawEllipse(QRectF(29, 27, 12, 18));
        p.drawEllipse(QRectF(59, 27, 12, 18));
        break;
    case Eyes::Wink:
        p.drawEllipse(QRectF(29, 27, 12, 18));
        p.setPen(line);
        p.drawLine(QPointF(57, 38), QPointF(73, 38));
        break;
    case Eyes::Closed:   // laughing: upward arcs
        p.setPen(line);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(26, 30, 18, 16), 0, 180 * 16);
        p.drawArc(QRectF(56, 30, 18, 16), 0, 180 * 16);
        break;
    case Eyes::Sleepy:
        p.setPen(line);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(26, 28, 18, 14), 180 * 16, 180 * 16);
        p.drawArc(QRectF(56, 28, 18, 14), 180 * 16, 180 * 16);
        break;
    case Eyes::Wide:
        p.setBrush(Qt::white);
        p.setPen(QPen(Ink, 4));
        p.drawEllipse(QRectF(25, 22, 20, 24));
        p.drawEllipse(QRectF(55, 22, 20, 24));
        p.setPen(Qt::NoPen);
        p.setBrush(Ink);
        p.drawEllipse(QRectF(31, 29, 9, 11));
        p.drawEllipse(QRectF(61, 29, 9, 11));
        break;
    case Eyes::Shades: {
        p.setBrush(QColor(25, 25, 35));
        p.drawRoundedRect(QRectF(18, 28, 28, 18), 6, 6);
        p.drawRoundedRect(QRectF(54, 28, 28, 18), 6, 6);
        p.setPen(QPen(QColor(25, 25, 35), 5));
        p.drawLine(QPointF(44, 33), QPointF(56, 33));
        p.setPen(QPen(QColor(255, 255, 255, 170), 3));
        p.drawLine(QPointF(23, 33), QPointF(30, 33));
        p.drawLine(QPointF(59, 33), QPointF(66, 33));
        break;
    }
    case Eyes::Hearts:
        p.setBrush(QColor(225, 30, 60));
        for (const qreal x : {35.0, 65.0}) {
            QPainterPath heart;
            heart.moveTo(x, 48);
            heart.cubicTo(x - 18, 36, x - 10, 20, x, 30);
            heart.cubicTo(x + 10, 20, x + 18, 36, x, 48);
            p.drawPath(heart);
        }
        break;
    case Eyes::Angry:
        p.drawEllipse(QRectF(30, 33, 11, 14));
        p.drawEllipse(QRectF(59, 33, 11, 14));
        p.setPen(line);
        p.drawLine(QPointF(24, 22), QPointF(44, 31));
        p.drawLine(QPointF(76, 22), QPointF(56, 31));
        break;
    case Eyes::Crossed:
        p.setPen(line);
        p.drawLine(QPointF(27, 28), QPointF(41, 42));
        p.drawLine(QPointF(41, 28), QPointF(27, 42));
        p.drawLine(QPointF(59, 28), QPointF(73, 42));
        p.drawLine(QPointF(73, 28), QPointF(59, 42));
        break;
    }
}

void drawMouth(QPainter &p, Mouth mouth)
{
    const QPen line(Ink, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(line);
    p.setBrush(Qt::NoBrush);
    switch (mouth) {
    case Mouth::Smile:
        p.drawArc(QRectF(26, 34, 48, 38), 200 * 16, 140 * 16);
        break;
    case Mouth::Smirk:
        p.drawArc(QRectF(34, 40, 42, 32), 230 * 16, 110 * 16);
        break;
    case Mouth::Sad:
        p.drawArc(QRectF(28, 62, 44, 28), 30 * 16, 120 * 16);
        break;
    case Mouth::Frown:
        p.drawLine(QPointF(34, 74), QPointF(66, 70));
        break;
    case Mouth::Flat:
        p.drawLine(QPointF(32, 70), QPointF(68, 70));
        break;
    case Mouth::Wavy: {
        QPainterPath wave;
        wave.moveTo(30, 72);
        wave.cubicTo(40, 62, 45, 80, 50, 70);
        wave.cubicTo(55, 62, 62, 80, 70, 68);
        p.drawPath(wave);
        break;
    }
    case Mouth::Open:
        p.setBrush(QColor(120, 30, 20));
        p.setPen(QPen(Ink, 5));
        p.drawEllipse(QRectF(39, 58, 22, 24));
        break;
    case Mouth::Kiss:
        p.setPen(QPen(Ink, 6, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(44, 56, 14, 12), 270 * 16, 180 * 16);
        p.drawArc(QRectF(44, 66, 14, 12), 270 * 16, 180 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(225, 30, 60));
        {
            QPainterPath heart;
            heart.moveTo(80, 66);
            heart.cubicTo(66, 58, 70, 44, 80, 52);
            heart.cubicTo(90, 44, 94, 58, 80, 66);
            p.drawPath(heart);
        }
        break;
    case Mouth::Grin:
    case Mouth::Laugh:
    case Mouth::Tongue: {
        QPainterPath open;
        const QRectF box = mouth == Mouth::Laugh ? QRectF(24, 38, 52, 46) : QRectF(26, 42, 48, 36);
        open.moveTo(box.left(), box.center().y());
        open.arcTo(box, 180, 180);
        open.closeSubpath();
        p.setPen(QPen(Ink, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(mouth == Mouth::Grin ? QColor(Qt::white) : QColor(120, 30, 20));
        p.drawPath(open);
        if (mouth == Mouth::Tongue) {
            p.setPen(QPen(QColor(170, 40, 50), 3));
            p.setBrush(QColor(240, 90, 110));
            p.drawEllipse(QRectF(40, 62, 22, 26));
        }
        break;
    }
    }
}

QImage drawFace(const Face &face, qreal dpr)
{
    // Drawn large and scaled down with smoothing, so small features keep their shape.
    constexpr int Scale = 4;
    const int side = qCeil(SmileySize * dpr);
    QImage large(side * Scale, side * Scale, QImage::Format_ARGB32_Premultiplied);
    large.fill(Qt::transparent);
    {
        QPainter p(&large);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(large.width() / 100.0, large.height() / 100.0);
        if (face.horns) {
            p.setPen(Qt::NoPen);
            p.setBrush(face.skin.darker(140));
            p.drawPolygon(QPolygonF({QPointF(14, 28), QPointF(10, 0), QPointF(36, 14)}));
            p.drawPolygon(QPolygonF({QPointF(86, 28), QPointF(90, 0), QPointF(64, 14)}));
        }
        QRadialGradient shine(QPointF(38, 30), 70);
        shine.setColorAt(0, face.skin.lighter(135));
        shine.setColorAt(1, face.skin);
        p.setBrush(shine);
        p.setPen(QPen(face.skin.darker(190), 5));
        p.drawEllipse(QRectF(4, 4, 92, 92));
        if (face.blush) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(250, 110, 110, 170));
            p.drawEllipse(QRectF(12, 50, 20, 13));
            p.drawEllipse(QRectF(68, 50, 20, 13));
        }
        drawEyes(p, face.eyes);
        drawMouth(p, face.mouth);
        if (face.tear) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(60, 150, 240));
            QPainterPath drop;
            drop.moveTo(26, 44);
            drop.cubicTo(18, 58, 20, 66, 26, 66);
            drop.cubicTo(32, 66, 34, 58, 26, 44);
            p.drawPath(drop);
        }
    }
    QImage image = large.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(dpr);
    return image;
}

const Face &faceOf(std::size_t index)
{
    const QColor sunny(255, 205, 40);
    const QColor red(245, 95, 60);
    const QColor sick(165, 210, 90);
    const QColor devil(190, 110, 235);
    static const std::array<Face, SmileyCount> faces{{
        {sunny, Eyes::Dots, Mouth::Smile},
        {sunny, Eyes::Dots, Mouth::Grin},
        {sunny, Eyes::Wink, Mouth::Smile},
        {sunny, Eyes::Dots, Mouth::Sad},
        {sunny, Eyes::Wide, Mouth::Open},
        {sunny, Eyes::Wink, Mouth::Tongue},
        {sunny, Eyes::Shades, Mouth::Smirk},
        {sunny, Eyes::Closed, Mouth::Laugh},
        {red, Eyes::Angry, Mouth::Frown},
        {sunny, Eyes::Dots, Mouth::Sad, true},
        {sunny, Eyes::Hearts, Mouth::Smile},
        {sunny, Eyes::Dots, Mouth::Flat},
        {sunny, Eyes::Wide, Mouth::Wavy},
        {sunny, Eyes::Sleepy, Mouth::Flat},
        {sunny, Eyes::Closed, Mouth::Kiss},
        {sunny, Eyes::Closed, Mouth::Smile, false, true},
        {devil, Eyes::Angry, Mouth::Grin, false, false, true},
        {sick, Eyes::Crossed, Mouth::Wavy},
    }};
    return faces[index];
}

} // namespace

const QImage &smileyImage(int index, qreal dpr)
{
    // Each face is drawn when first asked for, for each pixel ratio: most
    // games show few of them, on one screen.
    static std::map<std::pair<std::size_t, int>, QImage> images;
    const auto at = static_cast<std::size_t>(index >= 0 && index < SmileyCount ? index : 0);
    QImage &image = images[{at, qRound(dpr * 100)}];
    if (image.isNull())
        image = drawFace(faceOf(at), dpr);
    return image;
}

} // namespace zz
