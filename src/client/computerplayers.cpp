#include "computerplayers.h"

#include "bot/bot.h"
#include "bot/botnames.h"
#include "client/board/boardrules.h"
#include "client/board/boardview.h"
#include "client/gametable.h"
#include "client/guarded.h"
#include "core/names.h"
#include "dict/builtindata.h"
#include "session/clientsession.h"
#include "session/wiretext.h"

#include <QAction>
#include <QMenu>

#include <string>
#include <utility>
#include <vector>

namespace zz {

ComputerPlayers::ComputerPlayers(ClientSession &session, BoardView &board, const GameTable &table, TableAddress address,
                                 QObject *parent)
    : QObject(parent), m_session(session), m_board(board), m_table(table), m_address(std::move(address))
{
    // Connected after the table's own handlers, so the board already shows the change.
    connect(&m_session, &ClientSession::loggedInAs, this, &ComputerPlayers::updateEntry);
    connect(&m_session, &ClientSession::playerArrived, this, &ComputerPlayers::updateEntry);
    connect(&m_session, &ClientSession::playerLeft, this, &ComputerPlayers::updateEntry);
    connect(&m_session, &ClientSession::connectionClosed, this, &ComputerPlayers::updateEntry);
}

ComputerPlayers::~ComputerPlayers() = default;

void ComputerPlayers::fillGameMenu(QMenu &game)
{
    m_entry = game.addAction(fromAscii(label::AddComputerPlayer));
    m_entry->setObjectName(QStringLiteral("AddComputerPlayer1"));
    connect(m_entry, &QAction::triggered, this, [this] { guarded([this] { add(); }); });
    connect(&game, &QMenu::aboutToShow, this, &ComputerPlayers::updateEntry);
    updateEntry();
}

bool ComputerPlayers::onItsWay(const Bot &bot) const
{
    // Started, but not yet on this window's board: its seat is as good as taken.
    return !bot.loggedIn() || (isPlayerSeat(bot.seat()) && m_board.seatName(bot.seat()) == board::WaitingName);
}

bool ComputerPlayers::canAdd() const
{
    if (!m_table.hosting() || !m_session.loggedIn())
        return false;
    // The host seats a newcomer in the lowest free seat: one before the
    // owner's would make the computer player the table's owner.
    for (int seat = 1; seat < m_session.ownSeat(); ++seat)
        if (m_board.seatName(seat) == board::WaitingName)
            return false;
    int free = 0;
    for (int seat = 1; seat <= PlayerSeatCount; ++seat)
        free += seat != m_session.ownSeat() && m_board.seatName(seat) == board::WaitingName;
    for (const Bot *bot : m_bots)
        free -= onItsWay(*bot);
    return free > 0;
}

QStringList ComputerPlayers::namesAtTheTable() const
{
    QStringList names;
    for (int seat = 1; seat <= PlayerSeatCount; ++seat)
        if (const QString name = m_board.seatName(seat); name != board::WaitingName)
            names.append(name);
    for (const Bot *bot : m_bots)
        names.append(bot->name());
    return names;
}

void ComputerPlayers::add()
{
    if (!canAdd())
        return;
    std::vector<std::string> taken;
    for (const QString &name : namesAtTheTable())
        taken.push_back(toWire(name));
    auto *bot = new Bot(builtinDictionary(), builtinLadderSolver(), this);
    bot->setName(fromWire(botName(taken)));
    bot->setInterval(m_intervalMs);
    bot->setTimeScale(m_timeScale);
    connect(bot, &Bot::joined, this, &ComputerPlayers::updateEntry);
    connect(bot, &Bot::left, this, [this, bot] { botLeft(bot); });
    m_bots.append(bot);
    updateEntry();
    try {
        const auto [host, port] = m_address();
        bot->connectTo(host, port);
    } catch (...) {
        botLeft(bot);
        throw;
    }
}

void ComputerPlayers::botLeft(Bot *bot)
{
    // Removed by the table's owner, or the table went: either way it is done.
    m_bots.removeOne(bot);
    bot->deleteLater();
    updateEntry();
}

void ComputerPlayers::setInterval(int milliseconds)
{
    m_intervalMs = milliseconds;
    for (Bot *bot : std::as_const(m_bots))
        bot->setInterval(milliseconds);
}

void ComputerPlayers::setTimeScale(double scale)
{
    m_timeScale = scale;
    for (Bot *bot : std::as_const(m_bots))
        bot->setTimeScale(scale);
}

void ComputerPlayers::endAll()
{
    const QList<Bot *> bots = std::exchange(m_bots, {});
    for (Bot *bot : bots) {
        bot->disconnect(this);
        bot->deleteLater();   // its socket closes as it goes
    }
    updateEntry();
}

void ComputerPlayers::updateEntry()
{
    if (m_entry)
        m_entry->setEnabled(canAdd());
}

} // namespace zz
