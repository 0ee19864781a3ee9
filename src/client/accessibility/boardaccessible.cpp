#include "boardaccessible.h"

#include "announcer.h"
#include "picturecheck.h"
#include "client/board/boardrules.h"
#include "client/board/boardview.h"
#include "spokentexts.h"
#include "ui/contextmenukey.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>

namespace zz {

namespace {

QLabel *boardLabel(const QWidget *board, const QString &name)
{
    return board->findChild<QLabel *>(name, Qt::FindDirectChildrenOnly);
}

QString numbered(const char *prefix, int number)
{
    return QLatin1String(prefix) + QString::number(number);
}

// The trailing number of "label_playername3"; 0 when there is none.
int trailingNumber(const QString &name, QLatin1String prefix)
{
    if (!name.startsWith(prefix))
        return 0;
    bool ok = false;
    const int number = name.mid(prefix.size()).toInt(&ok);
    return ok ? number : 0;
}

QAccessibleInterface *boardPart(QWidget *part)
{
    using Kind = BoardPartAccessible::Kind;
    const QString name = part->objectName();
    if (const int seat = trailingNumber(name, QLatin1String("label_playername")); seat >= 1 && seat <= board::SeatCount)
        return new BoardPartAccessible(part, Kind::Seat, seat);
    if (const int box = trailingNumber(name, QLatin1String("word_")); box >= 1 && box <= board::BoxCount)
        return new BoardPartAccessible(part, Kind::Rung, box);
    if (name == u"label_word1")
        return new BoardPartAccessible(part, Kind::StartWord, 0);
    if (name == u"label_word2")
        return new BoardPartAccessible(part, Kind::EndWord, 0);
    if (name == u"label_timer")
        return new BoardPartAccessible(part, Kind::Clock, 0);
    if (name == u"label_status")
        return new BoardPartAccessible(part, Kind::Status, 0);
    if (name == u"panel_winner")
        return new BoardPartAccessible(part, Kind::Winner, 0);
    return nullptr;
}

QAccessibleInterface *accessibilityFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == u"zz::BoardView")
        return new BoardAccessible(widget);
    if (className == u"zz::Announcer")
        return new AnnouncerAccessible(widget);
    if (className == u"QLabel" && widget->property(PictureCheckProperty).toBool())
        return new PictureCheckAccessible(widget);
    if ((className == u"QLabel" || className == u"QWidget") && qobject_cast<BoardView *>(widget->parentWidget()))
        return boardPart(widget);
    return nullptr;
}

} // namespace

BoardAccessible::BoardAccessible(QWidget *board) : QAccessibleWidget(board, QAccessible::Pane)
{
}

std::vector<QWidget *> BoardAccessible::parts() const
{
    // The order a sighted player reads the board: the round's words and the
    // button above the ladder, the ladder, the clock and status, then the seats.
    QStringList names{QStringLiteral("label_word1"), QStringLiteral("button_start"), QStringLiteral("edit_word")};
    for (int box = 1; box <= board::BoxCount; ++box)
        names << numbered("word_", box);
    names << QStringLiteral("label_word2") << QStringLiteral("label_timeperturn") << QStringLiteral("label_timer")
          << QStringLiteral("label_status") << QStringLiteral("panel_winner") << QStringLiteral("label_playtoscore");
    for (int seat = 1; seat <= board::SeatCount; ++seat)
        names << numbered("label_playername", seat);
    std::vector<QWidget *> found;
    for (const QString &name : std::as_const(names)) {
        if (auto *part = widget()->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly))
            found.push_back(part);
    }
    return found;
}

int BoardAccessible::childCount() const
{
    return static_cast<int>(parts().size());
}

QAccessibleInterface *BoardAccessible::child(int index) const
{
    const std::vector<QWidget *> all = parts();
    if (index < 0 || index >= static_cast<int>(all.size()))
        return nullptr;
    return QAccessible::queryAccessibleInterface(all[static_cast<std::size_t>(index)]);
}

int BoardAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    const std::vector<QWidget *> all = parts();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i] == child->object())
            return static_cast<int>(i);
    }
    return -1;
}

QString BoardAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return QStringLiteral("Game board");
    return QAccessibleWidget::text(t);
}

BoardPartAccessible::BoardPartAccessible(QWidget *part, Kind kind, int number)
    : QAccessibleWidget(part), m_kind(kind), m_number(number)
{
}

QString BoardPartAccessible::shownText(const char *prefix, int number) const
{
    const QLabel *label = boardLabel(widget()->parentWidget(), number ? numbered(prefix, number) : QLatin1String(prefix));
    return label ? label->text() : QString();
}

QString BoardPartAccessible::text(QAccessible::Text t) const
{
    const auto *label = qobject_cast<const QLabel *>(widget());
    const QString shown = label ? label->text() : QString();
    if (t == QAccessible::Description) {
        if (m_kind == Kind::Seat) {
            // The bonus hint's lines: what the last round's bonus was made of.
            const QLabel *bonus = boardLabel(widget()->parentWidget(), numbered("label_bonus", m_number));
            return bonus ? bonus->toolTip().replace(QLatin1Char('\n'), QLatin1Char(',')).trimmed() : QString();
        }
        if (m_kind == Kind::Rung) {
            const QWidget *mark = widget()->parentWidget()->findChild<QWidget *>(numbered("image_points", m_number));
            return mark && !mark->isHidden() ? spoken::rungBonus(board::emptyBoxValue(m_number)) : QString();
        }
        // The clock's role has no name on every desktop's bus: say what it is.
        if (m_kind == Kind::Clock)
            return spoken::ClockDescription;
        return QAccessibleWidget::text(t);
    }
    if (t != QAccessible::Name)
        return QAccessibleWidget::text(t);
    switch (m_kind) {
    case Kind::Seat:
        return spoken::seat(m_number, shown, shownText("label_score", m_number), shownText("label_wordcount", m_number));
    case Kind::Rung:
        return spoken::rung(m_number, shown);
    case Kind::StartWord:
        return spoken::startWord(shown);
    case Kind::EndWord:
        return spoken::endWord(shown);
    case Kind::Clock:
        return spoken::clock(shown);
    case Kind::Status:
        return shown;
    case Kind::Winner: {
        const QLabel *banner = widget()->findChild<QLabel *>(QStringLiteral("label_winner1"));
        return banner ? banner->text() : QString();
    }
    }
    return shown;
}

QAccessible::Role BoardPartAccessible::role() const
{
    switch (m_kind) {
    case Kind::Clock:
        return QAccessible::Clock;
    case Kind::Status:
        return QAccessible::StatusBar;
    case Kind::Winner:
        return QAccessible::Notification;
    case Kind::Seat:
        return QAccessible::ListItem;
    default:
        return QAccessible::StaticText;
    }
}

int BoardPartAccessible::childCount() const
{
    // The winner banner's two labels are its text and that text's shadow.
    return m_kind == Kind::Winner ? 0 : QAccessibleWidget::childCount();
}

QAccessibleInterface *BoardPartAccessible::child(int index) const
{
    return m_kind == Kind::Winner ? nullptr : QAccessibleWidget::child(index);
}

QStringList BoardPartAccessible::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (m_kind == Kind::Seat)
        names << QAccessibleActionInterface::showMenuAction();
    return names;
}

void BoardPartAccessible::doAction(const QString &actionName)
{
    if (m_kind == Kind::Seat && actionName == QAccessibleActionInterface::showMenuAction()) {
        const QPoint middle = widget()->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Keyboard, middle, widget()->mapToGlobal(middle));
        QApplication::sendEvent(widget(), &event);
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

void installAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(accessibilityFactory);
    if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance()))
        ui::installContextMenuKey(*app);
}

} // namespace zz
