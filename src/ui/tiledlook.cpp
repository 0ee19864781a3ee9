#include "ui/tiledlook.h"

#include <QEvent>
#include <QFont>
#include <QPainter>
#include <QPalette>
#include <QPixmapCache>
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

namespace {

// Lays the tile into a window's palette when the window is first polished,
// just before it first shows: a window that never shows never paints it.
class TileOnPolish : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Polish) {
            auto *window = static_cast<QWidget *>(watched);
            QPalette look = window->palette();
            look.setBrush(QPalette::Window, QBrush(backgroundTile()));
            window->setPalette(look);
            window->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void tileBackground(QWidget &window)
{
    window.setAutoFillBackground(true);
    window.installEventFilter(new TileOnPolish(&window));
}

QPixmap paintedOnce(const QString &key, const std::function<QPixmap()> &paint)
{
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = paint();
        QPixmapCache::insert(key, picture);
    }
    return picture;
}

namespace {

QPixmap paintBackgroundTile()
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

QPixmap backgroundTile()
{
    // Every window of the game shows it.
    return paintedOnce(QStringLiteral("zz-background-tile"), paintBackgroundTile);
}

} // namespace zz::ui
