#pragma once
// The table owner's computer players: the Game menu's "Add Computer Player"
// and the players it starts in this process. Each joins the table at its
// address, as any client would, and shows on the board like anyone; the seat
// menu's removal removes it, and it ends with the window.
#include "store/settings.h"

#include <QList>
#include <QObject>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

class QAction;
class QMenu;

namespace zz {

class BoardView;
class Bot;
class ClientSession;
class GameTable;

class ComputerPlayers : public QObject
{
    Q_OBJECT
public:
    // Where the table listens (host and port), asked for at each addition.
    using TableAddress = std::function<std::pair<std::string, std::uint16_t>()>;

    ComputerPlayers(ClientSession &session, BoardView &board, const GameTable &table, TableAddress address,
                    QObject *parent = nullptr);
    ~ComputerPlayers() override;

    // Adds "Add Computer Player".
    void fillGameMenu(QMenu &game);
    // True for the table's owner, logged in, while a player seat is free
    // and no computer player already on its way will take it.
    bool canAdd() const;
    // Starts one computer player named the first of the five not at the
    // table; nothing when canAdd() is false.
    void add();
    // Bot Speed for every computer player, present and to come, from its next word.
    void setInterval(int milliseconds);
    int intervalMs() const { return m_intervalMs; }
    // Multiplies every computer player's waits: below 1 for tests.
    void setTimeScale(double scale);
    // Closes every computer player's connection.
    void endAll();
    // Enables the menu entry exactly while canAdd() holds.
    void updateEntry();

    const QList<Bot *> &bots() const { return m_bots; }

private:
    bool onItsWay(const Bot &bot) const;
    QStringList namesAtTheTable() const;
    void botLeft(Bot *bot);

    ClientSession &m_session;
    BoardView &m_board;
    const GameTable &m_table;
    TableAddress m_address;
    QAction *m_entry = nullptr;
    QList<Bot *> m_bots;   // children, each deleted once it has left
    int m_intervalMs = BotSpeedNormal;
    double m_timeScale = 1.0;
};

} // namespace zz
