#pragma once
// Just watching and removal from the client's side: the seat menu on the name
// labels, the own "Just Watch" entry and the host's announcements. The host
// decides; these controls only ask, and show what the host announced.
#include <QObject>

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace zz {

class BoardView;
class ChatView;
class ClientSession;
class GameTable;

class WatchControls : public QObject
{
    Q_OBJECT
public:
    // menuParent owns the seat menu; the table tells whether this process hosts.
    WatchControls(ClientSession &session, BoardView &board, ChatView &chat, const GameTable &table,
                  QWidget &menuParent);

    // Adds the checkable "Just Watch" entry.
    void fillOptionsMenu(QMenu &options);

    // Asks the host to remove that seat; only the hosting player, logged in, asks.
    void kicking(int seat);
    // Readies the seat menu for that seat (1..6) without opening it.
    void prepareSeatMenu(int seat);
    QMenu *seatMenu() const { return m_seatMenu; }

private:
    void seatMenuRequested(int seat, const QPoint &globalPos);
    void setOtherWatching(bool watch);
    void justWatchClicked();
    void justWatching(int seat, bool watching);
    void gameStarted();
    void setOwnWatching(bool watching);

    ClientSession &m_session;
    BoardView &m_board;
    ChatView &m_chat;
    const GameTable &m_table;
    QMenu *m_seatMenu = nullptr;   // children of the menu's parent
    QAction *m_removeFromGame = nullptr;
    QAction *m_setToJustWatch = nullptr;
    QAction *m_unsetJustWatch = nullptr;
    QAction *m_justWatch = nullptr;
    bool m_ownWatching = false;   // as the host last announced it
};

} // namespace zz
