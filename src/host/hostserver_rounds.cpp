// Game start, rounds, the play signal and the turn clock.
#include "host/hostserver.h"

#include "core/names.h"
#include "dict/wordpool.h"

#include <QTimer>

namespace zz {

namespace {

constexpr int DefaultPlayTo = 5;
constexpr int DefaultTimePerTurn = 120;

} // namespace

void HostServer::startGame(int fromSeat, std::string_view args)
{
    // Only the table owner has the start button.
    if (fromSeat != 1)
        return;
    stopClock();
    m_computerTimer->stop();
    m_gameInProgress = true;

    const std::string name(wire::takeField(args));
    const std::string_view playTo = wire::takeField(args);
    const std::string_view time = wire::takeField(args);
    const std::string_view three = wire::takeField(args);
    const std::string_view four = wire::takeField(args);
    const std::string_view five = wire::takeField(args);
    m_playTo = wire::toInteger(playTo).value_or(DefaultPlayTo);
    m_timePerTurn = wire::toInteger(time).value_or(DefaultTimePerTurn);
    m_lengthMode = lengthMode(three, four, five);

    broadcast(wire::startGameAnnounce(name, m_playTo, m_timePerTurn));
    m_seats.newGame();
    m_round = 0;
    Q_EMIT gameStarted(name, m_playTo, m_timePerTurn);
    startRound();
}

void HostServer::startRound()
{
    if (checkForWin())
        return;
    m_seats.newRound();
    m_ladders.reset();
    ++m_round;

    // A pool that cannot serve the chosen lengths must not hang the host.
    LengthMode mode = m_lengthMode;
    auto servable = [this](LengthMode m) {
        for (std::size_t length = 3; length <= 5; ++length)
            if (lengthAllowed(m, length) && m_drawable[length])
                return true;
        return false;
    };
    if (!servable(mode))
        mode = LengthMode::Any;
    if (!servable(mode)) {
        qWarning("Zig Zop host: the word pool cannot supply a round");
        stopClock();
        return;
    }
    std::string start;
    do
        start = drawWord(0);
    while (!lengthAllowed(mode, start.size()) || !m_drawable[start.size()]);
    std::string end;
    do
        end = drawWord(start.size());
    while (end == start);

    m_ladders.setWords(std::move(start), std::move(end));
    broadcast(wire::roundStart(m_round, m_ladders.startWord(), m_ladders.endWord()));
    Q_EMIT roundStarted(m_round, m_ladders.startWord(), m_ladders.endWord());
    findPlayer();
    startTurnClock();
}

// One pool word, cut to five letters, of the given length (0: any length).
// The pool's last word is never drawn.
std::string HostServer::drawWord(std::size_t length)
{
    for (;;) {
        const std::size_t bound = m_pool.size() - 1;
        std::string word = m_pool.at(m_random(bound) % bound).substr(0, 5);
        if (length == 0 || word.size() == length)
            return word;
    }
}

std::array<bool, 6> HostServer::drawableLengths(const WordPool &pool)
{
    std::array<std::string, 6> seen{};
    std::array<bool, 6> drawable{};
    for (std::size_t i = 0; i + 1 < pool.size(); ++i) {
        const std::string word = pool.at(i).substr(0, 5);
        const std::size_t length = word.size();
        if (length >= seen.size())
            continue;
        if (seen[length].empty())
            seen[length] = word;
        else if (seen[length] != word)
            drawable[length] = true;
    }
    return drawable;
}

void HostServer::findPlayer()
{
    for (int seat = 1; seat <= m_seats.highestSeat(); ++seat)
        sendTo(seat, wire::nextPlayer(isPlayerSeat(seat) ? seat : 0));
    m_computerTimer->start();
}

void HostServer::startTurnClock()
{
    m_turnClock->stop();
    m_clock.startTurn(m_timePerTurn);
    m_turnClock->start();
}

void HostServer::startPauseClock()
{
    m_turnClock->stop();
    m_clock.startPause();
    m_turnClock->start();
}

void HostServer::stopClock()
{
    m_turnClock->stop();
    m_clock.stop();
}

void HostServer::clockTick()
{
    const TurnClock::Event event = m_clock.tick();
    if (event == TurnClock::Event::None)
        return;
    m_turnClock->stop();
    switch (event) {
    case TurnClock::Event::TimeUp:
        m_turnClock->start(); // the grace counts from now
        broadcast(wire::timeUp());
        break;
    case TurnClock::Event::GraceOver:
        endRound();
        break;
    case TurnClock::Event::PauseOver:
        startRound();
        break;
    case TurnClock::Event::None:
        break;
    }
}

void HostServer::computerTick()
{
    // The host plays no moves of its own; the timer only keeps its rhythm.
    m_computerTimer->stop();
}

} // namespace zz
