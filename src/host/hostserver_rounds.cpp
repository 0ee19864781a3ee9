// Game start and end, rounds, the play signal and the turn clock.
#include "host/hostserver.h"

#include "core/names.h"

#include <QTimer>

#include <utility>

namespace zz {

void HostServer::startGame(int fromSeat, std::string_view args)
{
    // Only the table owner has the start button.
    if (fromSeat != m_seats.owner())
        return;
    stopClock();
    m_gameInProgress = true;

    // Never unreadable: numbers that do not read fall back to the defaults.
    const wire::StartGameRequest request = wire::parseStartGameRequest(args).value_or(wire::StartGameRequest{});
    const std::string &name = request.name;
    m_playTo = request.playToOrFallback();
    m_timePerTurn = request.timeOrFallback();
    m_lengthMode = lengthMode(request.three, request.four, request.five);

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
    std::optional<RoundWords> words = drawRoundWords();
    if (!words) {
        stopClock();
        return;
    }
    m_ladders.setWords(std::move(words->start), std::move(words->end));
    broadcast(wire::roundStart(m_round, m_ladders.startWord(), m_ladders.endWord()));
    Q_EMIT roundStarted(m_round, m_ladders.startWord(), m_ladders.endWord());
    findPlayer();
    startTurnClock();
}

bool HostServer::checkForWin()
{
    const int leader = findWinner(m_seats.scores(), m_playTo);
    if (leader == 0)
        return false;
    const std::string &name = m_seats.displayName(leader);
    broadcast(wire::winner(name));
    m_gameInProgress = false;
    stopClock();
    Q_EMIT winnerDeclared(name);
    return true;
}

// A pool or a random source that cannot serve a round must not hang the host.
std::optional<RoundWords> HostServer::drawRoundWords()
{
    const LengthMode mode = m_draw.canServe(m_lengthMode) ? m_lengthMode : LengthMode::Any;
    if (!m_draw.canServe(mode)) {
        qWarning("Zig Zop host: the word pool cannot supply a round");
        return std::nullopt;
    }
    std::optional<RoundWords> words = m_draw.draw(mode);
    if (!words)
        qWarning("Zig Zop host: no round words in %zu draws from the random source; no round starts",
                 m_draw.maxDraws());
    else if (words->literal)
        qWarning("Zig Zop host: no ladder of %d words joins any pair drawn; playing %s to %s", RoundDraw::MaxLadderSteps,
                 words->start.c_str(), words->end.c_str());
    return words;
}

void HostServer::findPlayer()
{
    for (int seat = 1; seat <= m_seats.highestSeat(); ++seat)
        sendTo(seat, wire::nextPlayer(isPlayerSeat(seat) ? seat : 0));
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

void HostServer::setRandom(Random random)
{
    m_draw.setRandom(std::move(random));
}

} // namespace zz
