#pragma once
// The keyboard's way to what the mouse reaches on the board: the seats take
// the focus in reading order and open their menu with the Menu key or
// Shift+F10, and the Game menu holds every seat's menu as well.
#include <QObject>

class QMenu;
class QWidget;

namespace zz {

class BoardView;
class ChatView;
class PhraseColumn;
class WatchControls;

class KeyboardPaths : public QObject
{
    Q_OBJECT
public:
    // All of them must outlive this object; it belongs to the board.
    KeyboardPaths(BoardView &board, WatchControls &watch, PhraseColumn &phrases, ChatView &chat);

    // Adds "Seats", a submenu per seat with the seat menu's entries.
    void fillGameMenu(QMenu &game);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void prepareSeats();
    void setTabOrder(PhraseColumn &phrases, ChatView &chat);
    void fillSeatsMenu(QMenu &seats);

    BoardView &m_board;
    WatchControls &m_watch;
};

} // namespace zz
