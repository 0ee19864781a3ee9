#include "dailyui/rungdelegate.h"

#include "daily/dailygame.h"

#include <QApplication>
#include <QPainter>

namespace zz {

namespace {

constexpr int Tile = 30;
constexpr int Gap = 4;
const QColor InPlace(0x2e, 0x7d, 0x32);

} // namespace

void RungDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    plain.text.clear();
    // The selection and focus frame as the style draws them, without the text; then the tiles.
    QStyle *style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, option.widget);
    const std::string word = index.data(Qt::DisplayRole).toString().toStdString();
    const std::vector<bool> marks = lettersInPlace(word, m_end);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    QFont font = option.font;
    font.setBold(true);
    font.setPixelSize(Tile * 3 / 5);
    painter->setFont(font);
    const int top = option.rect.top() + (option.rect.height() - Tile) / 2;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const QRectF box(option.rect.left() + 8 + static_cast<int>(i) * (Tile + Gap), top, Tile, Tile);
        painter->setPen(QPen(Qt::black, 1.5));
        painter->setBrush(marks[i] ? InPlace : QColor(Qt::white));
        painter->drawRoundedRect(box.adjusted(0.75, 0.75, -0.75, -0.75), 4, 4);
        painter->setPen(marks[i] ? Qt::white : Qt::black);
        painter->drawText(box.adjusted(0, -3, 0, -3), Qt::AlignCenter, QString(QChar::fromLatin1(word[i])));
        if (marks[i])
            painter->fillRect(QRectF(box.left() + 7, box.bottom() - 6, Tile - 14, 3), Qt::white);
    }
    painter->restore();
}

QSize RungDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const
{
    const auto letters = static_cast<int>(index.data(Qt::DisplayRole).toString().size());
    return {16 + letters * (Tile + Gap), Tile + 6};
}

QString spokenRung(int position, const std::string &word, const std::string &end)
{
    QString text = QStringLiteral("%1. %2").arg(position).arg(QString::fromStdString(word));
    const std::vector<bool> marks = lettersInPlace(word, end);
    QStringList inPlace;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (marks[i])
            inPlace << QString(QChar::fromLatin1(word[i]));
    if (inPlace.size() == static_cast<qsizetype>(word.size()))
        return text + QStringLiteral(", the end word");
    return text + (inPlace.isEmpty() ? QStringLiteral(", no letter in place")
                                     : QStringLiteral(", in place: ") + inPlace.join(QStringLiteral(", ")));
}

} // namespace zz
