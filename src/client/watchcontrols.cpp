#include "watchcontrols.h"

#include "client/board/boardrules.h"
#include "client/board/boardview.h"
#include "client/chat/chatview.h"
#include "session/wiretext.h"
#include "session/clientsession.h"
#include "client/gametable.h"
#include "client/guarded.h"
#include "core/chatline.h"
#include "core/names.h"

#include <QAction>
#include <QMenu>

namespace zz {

namespace {

QAction *addEntry(QMenu &menu, std::string_view label, const char *name)
{
    QAction *action = menu.addAction(fromAscii(label));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

WatchControls::WatchControls(ClientSession &session, BoardView &board, ChatView &chat, const GameTable &table,
                             QWidget &menuParent)
    : QObject(&menuParent), m_session(session), m_board(board), m_chat(chat), m_table(table)
{
    m_seatMenu = new QMenu(&menuParent);
    m_seatMenu->setObjectName(QStringLiteral("popup_kick"));
    m_seatMenu->menuAction()->setData(0);
    m_removeFromGame = addEntry(*m_seatMenu, label::RemoveFromGame, "RemoveFromGame1");
    m_setToJustWatch = addEntry(*m_seatMenu, label::SetToJustWatch, "SettoJustWatch1");
    m_unsetJustWatch = addEntry(*m_seatMenu, label::UnsetJustWatch, "UnsetJustWatch1");
    connect(m_removeFromGame, &QAction::triggered, this,
            [this] { guarded([this] { kicking(m_seatMenu->menuAction()->data().toInt()); }); });
    connect(m_setToJustWatch, &QAction::triggered, this, [this] { guarded([this] { setOtherWatching(true); }); });
    connect(m_unsetJustWatch, &QAction::triggered, this, [this] { guarded([this] { setOtherWatching(false); }); });

    connect(&m_board, &BoardView::seatMenuRequested, this,
            [this](int seat, const QPoint &at) { guarded([&] { seatMenuRequested(seat, at); }); });
    connect(&m_session, &ClientSession::justWatching, this,
            [this](int seat, bool watching) { guarded([&] { justWatching(seat, watching); }); });
    connect(&m_session, &ClientSession::gameStarted, this, [this] { guarded([this] { gameStarted(); }); });
}

void WatchControls::fillOptionsMenu(QMenu &options)
{
    m_justWatch = addEntry(options, label::JustWatch, "JustWatch1");
    m_justWatch->setCheckable(true);
    m_justWatch->setChecked(m_ownWatching);
    connect(m_justWatch, &QAction::triggered, this, [this] { guarded([this] { justWatchClicked(); }); });
}

void WatchControls::prepareSeatMenu(int seat)
{
    // Everyone gets the menu; only the hosting player gets it usable.
    const bool hosting = m_table.hosting();
    m_removeFromGame->setEnabled(hosting && m_board.seatName(seat) != board::WaitingName);
    m_setToJustWatch->setEnabled(hosting);
    m_unsetJustWatch->setEnabled(hosting);
    m_seatMenu->menuAction()->setData(seat);
}

void WatchControls::seatMenuRequested(int seat, const QPoint &globalPos)
{
    prepareSeatMenu(seat);
    m_seatMenu->popup(globalPos);
}

void WatchControls::kicking(int seat)
{
    if (m_table.hosting() && m_session.loggedIn())
        m_session.kickHim(seat);
}

void WatchControls::setOtherWatching(bool watch)
{
    // The entries are enabled only for the hosting player; the host checks again.
    const int seat = m_seatMenu->menuAction()->data().toInt();
    if (m_session.loggedIn() && isBoardSeat(seat))
        m_session.justWatch(seat, watch);
}

void WatchControls::justWatchClicked()
{
    // The click only asks: the check mark waits for the host's announcement.
    m_justWatch->setChecked(m_ownWatching);
    const int own = m_session.ownSeat();
    if (m_session.loggedIn() && isBoardSeat(own))
        m_session.justWatch(own, !m_ownWatching);
}

void WatchControls::justWatching(int seat, bool watching)
{
    // A seat outside the board names no label.
    if (!isBoardSeat(seat))
        return;
    if (seat == m_session.ownSeat())
        setOwnWatching(watching);
    const QString line = fromAscii(line::SystemPrefix) + m_board.seatName(seat)
                         + fromAscii(watching ? line::IsJustWatching : line::IsPlayingAgain);
    m_chat.addDecodedLine(line, SystemLineColour);
    m_board.showEyes(seat, watching);
}

void WatchControls::gameStarted()
{
    // The host clears every seat's flag at a game start without a word, so
    // every mark goes, not only the own check.
    setOwnWatching(false);
    for (int seat = 1; seat <= PlayerSeatCount; ++seat)
        m_board.showEyes(seat, false);
}

void WatchControls::setOwnWatching(bool watching)
{
    m_ownWatching = watching;
    if (m_justWatch)
        m_justWatch->setChecked(watching);
}

} // namespace zz
