#include "gametable.h"

#include "client/board/boardrules.h"
#include "client/board/boardview.h"
#include "client/chat/chatview.h"
#include "session/wiretext.h"
#include "session/clientsession.h"
#include "client/guarded.h"
#include "client/ladderdialog.h"
#include "core/chatline.h"
#include "core/names.h"
#include "social/soundplayer.h"
#include "social/spylistwindow.h"

#include <algorithm>

namespace zz {

namespace {

constexpr int ClockIntervalMs = 1000;

// The warning ticks: at 20 and 15 seconds left, then every second from 10.
bool ticksAt(int secondsLeft)
{
    return secondsLeft == 20 || secondsLeft == 15 || secondsLeft <= 10;
}

// A slot that runs its handler through guarded(), so no exception reaches Qt.
template <typename... Args> auto guardedSlot(GameTable *table, void (GameTable::*handler)(Args...))
{
    return [table, handler](Args... args) { guarded([&] { (table->*handler)(args...); }); };
}

} // namespace

GameTable::GameTable(ClientSession &session, BoardView &board, ChatView &chat, QObject *parent)
    : QObject(parent), m_session(session), m_board(board), m_chat(chat), m_turnTime(new QTimer(this))
{
    m_turnTime->setObjectName(QStringLiteral("turntime"));
    m_turnTime->setInterval(ClockIntervalMs);
    connect(m_turnTime, &QTimer::timeout, this, guardedSlot(this, &GameTable::turnTimeTick));
    connect(&m_board, &BoardView::wordEntered, this, guardedSlot(this, &GameTable::hitDone));
    connectSession();
}

void GameTable::connectSession()
{
    ClientSession *s = &m_session;
    connect(s, &ClientSession::playerArrived, this, guardedSlot(this, &GameTable::playerArrived));
    connect(s, &ClientSession::playerLeft, this, guardedSlot(this, &GameTable::playerLeft));
    connect(s, &ClientSession::gameStarted, this, guardedSlot(this, &GameTable::startTheGame));
    connect(s, &ClientSession::roundStarted, this, guardedSlot(this, &GameTable::roundStart));
    connect(s, &ClientSession::nextPlayer, this, guardedSlot(this, &GameTable::getNextPlayer));
    connect(s, &ClientSession::statsReceived, this, guardedSlot(this, &GameTable::stats));
    connect(s, &ClientSession::timeUp, this, guardedSlot(this, &GameTable::timeUp));
    connect(s, &ClientSession::wordAccepted, this, guardedSlot(this, &GameTable::goodWord));
    connect(s, &ClientSession::wordRefused, this, guardedSlot(this, &GameTable::invalidWord));
    connect(s, &ClientSession::ladderCompleted, this, guardedSlot(this, &GameTable::completed));
    connect(s, &ClientSession::scoresPosted, this, guardedSlot(this, &GameTable::postScores));
    connect(s, &ClientSession::ladderShown, this, guardedSlot(this, &GameTable::addCorrect));
    connect(s, &ClientSession::winner, this, guardedSlot(this, &GameTable::winner));
}

int GameTable::ownSeat() const
{
    return m_session.ownSeat();
}

void GameTable::addSystemLine(const QString &line)
{
    m_chat.addDecodedLine(line, SystemLineColour);
}

void GameTable::addSystemLine(std::string_view line)
{
    addSystemLine(fromAscii(line));
}

void GameTable::play(std::string_view sound)
{
    if (m_sounds)
        m_sounds->play(sound);
}

// ---- seats ------------------------------------------------------------------

void GameTable::playerArrived(int seat, const QString &name, bool self)
{
    if (self) {
        addSystemLine(line::YouAreConnected);
        Q_EMIT ownArrival();
    } else {
        addSystemLine(fromAscii(line::SystemPrefix) + name + fromAscii(line::IsConnected));
    }
    if (isBoardSeat(seat)) {
        m_board.setSeatName(seat, name);
    } else {
        if (m_spyList)
            m_spyList->addSpy(seat, name);
        if (self)
            addSystemLine(line::YouAreSpying);
        else
            addSystemLine(fromAscii(line::SystemPrefix) + name + fromAscii(line::IsSpying));
    }
    play(sound::Entered);
}

void GameTable::playerLeft(int seat, const QString &name)
{
    if (isBoardSeat(seat)) {
        // A seat that shows nobody or its quiet name empties without a word.
        const QString shown = m_board.seatName(seat);
        if (shown != board::WaitingName && shown != board::quietName(seat))
            addSystemLine(fromAscii(line::SystemPrefix) + shown + fromAscii(line::Disconnected));
        m_board.setSeatWaiting(seat);
        return;
    }
    if (m_spyList && m_spyList->removeSpy(seat, name))
        addSystemLine(fromAscii(line::SystemPrefix) + name + fromAscii(line::HasLeft));
}

// ---- game start, rounds and the turn -----------------------------------------

void GameTable::setTimePerTurn(int seconds)
{
    m_timePerTurn = seconds;
    m_board.setTimePerTurn(seconds);
}

void GameTable::startTheGame(const QString &name, int playTo, int time)
{
    m_gameInProgress = true;
    m_board.setStartButtonVisible(false);
    m_board.hideWinner();
    m_board.clearAll();
    addSystemLine(fromAscii(line::SystemPrefix) + name + fromAscii(line::HasStartedAGame));
    m_board.setPlayTo(playTo);
    setTimePerTurn(time);
}

void GameTable::roundStart(int, const QString &start, const QString &end)
{
    if (m_ladder)
        m_ladder->hide();
    m_board.setRoundWords(start, end);
    m_startWord = start;
    m_endWord = end;
    m_board.clearRound();
    startClock(m_timePerTurn);
}

void GameTable::getNextPlayer(int seat)
{
    m_turnSeat = seat;
    if (seat == ownSeat())
        openTurn();
    else
        m_board.setStatus(fromAscii(status::Linking));
}

void GameTable::openTurn()
{
    m_board.setStatus(fromAscii(status::YourTurn));
    m_board.openWordEntry();
    play(m_turnSound == 1 ? sound::TurnNew : sound::Turn);
}

void GameTable::stats(const GameStats &stats)
{
    m_board.clearBoxes(1, 6); // the demonstration ladder
    if (stats.seat != ownSeat())
        return;
    m_gameInProgress = true; // only a game in progress sends them
    m_board.setRoundWords(stats.start, stats.end);
    m_startWord = stats.start;
    m_endWord = stats.end;
    m_board.setPlayTo(stats.playTo);
    setTimePerTurn(stats.time);
    startClock(stats.secondsLeft);
    for (const auto &[seat, score] : stats.scores)
        m_board.setScore(seat, score);
    if (!isBoardSeat(ownSeat()) || !stats.mayPlay) {
        m_board.setStatus(fromAscii(status::Linking));
        return;
    }
    m_turnSeat = ownSeat();
    openTurn();
}

void GameTable::hitDone(const QString &word)
{
    if (m_turnSeat != ownSeat())
        return;
    m_session.sendWord(word);
    play(sound::Submit);
    m_board.clearWordEntry();
}

// ---- the turn clock ------------------------------------------------------------

void GameTable::startClock(int seconds)
{
    // The clock shows the full time at once rather than 0:00 for a second.
    m_clockSeconds = std::max(0, seconds);
    m_board.setClockSeconds(m_clockSeconds);
    m_turnTime->start();
}

void GameTable::turnTimeTick()
{
    --m_clockSeconds;
    if (m_clockSeconds < 1) {
        m_clockSeconds = 0;
        m_board.setClockSeconds(0);
        return;
    }
    m_board.setClockSeconds(m_clockSeconds);
    if (ticksAt(m_clockSeconds))
        play(sound::Tick);
}

void GameTable::timeUp()
{
    play(sound::TimeUp);
    m_board.showTimeUp();
}

} // namespace zz
