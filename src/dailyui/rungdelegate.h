#pragma once
// Draws a rung of the daily ladder as letter tiles: a letter already in the
// end word's place is a filled tile with a bar under it, so colour is never
// the only sign.
#include <QString>
#include <QStyledItemDelegate>

#include <string>

namespace zz {

class RungDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setEndWord(std::string endWord) { m_end = std::move(endWord); }
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    std::string m_end;
};

// What a screen reader says for a rung: "3. WORD, in place: W, R".
QString spokenRung(int position, const std::string &word, const std::string &end);

} // namespace zz
