#include "keyboardpaths.h"

#include "client/board/boardrules.h"
#include "client/board/boardview.h"
#include "client/chat/chatbrowser.h"
#include "client/chat/chatinput.h"
#include "client/chat/chatview.h"
#include "client/watchcontrols.h"
#include "social/phrasecolumn.h"
#include "ui/focuslook.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

namespace zz {

namespace {

QLabel *seatLabel(const BoardView &board, int seat)
{
    return board.findChild<QLabel *>(QStringLiteral("label_playername%1").arg(seat), Qt::FindDirectChildrenOnly);
}

bool opensMenu(const QKeyEvent &key)
{
    return key.key() == Qt::Key_Menu || (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier);
}

} // namespace

KeyboardPaths::KeyboardPaths(BoardView &board, WatchControls &watch, PhraseColumn &phrases, ChatView &chat)
    : QObject(&board), m_board(board), m_watch(watch)
{
    prepareSeats();
    setTabOrder(phrases, chat);
}

void KeyboardPaths::prepareSeats()
{
    for (int seat = 1; seat <= board::SeatCount; ++seat) {
        QLabel *label = seatLabel(m_board, seat);
        if (!label)
            continue;
        label->setFocusPolicy(Qt::TabFocus);
        ui::showFocus(*label);
        label->installEventFilter(this);
    }
}

void KeyboardPaths::setTabOrder(PhraseColumn &phrases, ChatView &chat)
{
    // Reading order: the button over the ladder, the word box, the seats down
    // the right, then the phrase buttons left of the chat, the chat, its box.
    QList<QWidget *> chain{m_board.findChild<QWidget *>(QStringLiteral("button_start")),
                           m_board.findChild<QWidget *>(QStringLiteral("edit_word"))};
    for (int seat = 1; seat <= board::SeatCount; ++seat)
        chain << seatLabel(m_board, seat);
    for (int number = 1; number <= PhraseColumn::PhraseCount + 1; ++number)
        chain << phrases.findChild<QWidget *>(QStringLiteral("b_phrase%1").arg(number));
    chain << chat.chatBrowser() << chat.chatInput() << chat.findChild<QWidget *>(QStringLiteral("button_smilies"));
    chain.removeAll(nullptr);
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

bool KeyboardPaths::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !opensMenu(*static_cast<QKeyEvent *>(event)))
        return QObject::eventFilter(watched, event);
    // The same request a right-click makes, placed at the seat's middle.
    auto *label = static_cast<QWidget *>(watched);
    const QPoint middle = label->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, middle, label->mapToGlobal(middle));
    QApplication::sendEvent(label, &request);
    return true;
}

void KeyboardPaths::fillGameMenu(QMenu &game)
{
    QMenu *seats = game.addMenu(QStringLiteral("&Seats"));
    seats->setObjectName(QStringLiteral("Seats1"));
    connect(seats, &QMenu::aboutToShow, this, [this, seats] { fillSeatsMenu(*seats); });
    fillSeatsMenu(*seats);
}

void KeyboardPaths::fillSeatsMenu(QMenu &seats)
{
    // Built again at each opening: names and who may remove change all game.
    seats.clear();
    const QList<QAction *> entries = m_watch.seatMenu()->actions();
    for (int seat = 1; seat <= board::SeatCount; ++seat) {
        QString name = m_board.seatName(seat);
        name = name == board::WaitingName ? QStringLiteral("free") : name.replace(QLatin1Char('&'), QLatin1String("&&"));
        QMenu *menu = seats.addMenu(QStringLiteral("&%1 ").arg(seat) + name);
        menu->setObjectName(QStringLiteral("Seat%1").arg(seat));
        m_watch.prepareSeatMenu(seat);
        for (QAction *entry : entries) {
            QAction *copy = menu->addAction(entry->text());
            copy->setObjectName(QStringLiteral("%1_%2").arg(entry->objectName()).arg(seat));
            copy->setEnabled(entry->isEnabled());
            connect(copy, &QAction::triggered, entry, [this, seat, entry] {
                m_watch.prepareSeatMenu(seat);
                entry->trigger();
            });
        }
    }
}

} // namespace zz
