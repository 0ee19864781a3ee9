#pragma once
// The board as a screen reader sees it. The board is painted pictures and
// loose labels; these interfaces present it as its parts in reading order,
// each seat and each rung as one object with one sentence for a name.
#include <QAccessibleWidget>

#include <vector>

namespace zz {

// The board itself: only the parts a player reads, in reading order. The
// score, bonus and count labels and the marks are spoken by their seat or rung.
class BoardAccessible : public QAccessibleWidget
{
public:
    explicit BoardAccessible(QWidget *board);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QString text(QAccessible::Text t) const override;

private:
    std::vector<QWidget *> parts() const;
};

// One part of the board whose name is worked out from what the board shows.
class BoardPartAccessible : public QAccessibleWidget
{
public:
    enum class Kind { Seat, Rung, StartWord, EndWord, Clock, Status, Winner };
    BoardPartAccessible(QWidget *part, Kind kind, int number);

    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    QString shownText(const char *prefix, int number) const;

    Kind m_kind;
    int m_number;
};

// Gives the board's parts, the announcer and the picture check boxes their
// interfaces, and Shift+F10 its menus; a second call does nothing.
void installAccessibility();

} // namespace zz
