#pragma once
// The game host: the dispatcher and the game's steps (login, rounds, word
// judging, scoring, the social relays). Its state lives in parts with one job
// each: the seat table, the turn clock, the round's ladders and the word draw.
// It never touches a socket: it sends through a sink and closes through a
// closer, so tests drive it with message texts alone.
#include "core/wire.h"
#include "host/roundladders.h"
#include "host/scoring.h"
#include "host/seattable.h"
#include "host/turnclock.h"
#include "host/rounddraw.h"

#include <QElapsedTimer>
#include <QObject>

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QTimer;

namespace zz {

class Dictionary;
class LadderSolver;
class WordPool;

class HostServer : public QObject
{
    Q_OBJECT
public:
    // Sends one whole message to the connection of a seat (10: the refused one).
    using Sink = std::function<void(int seat, const std::string &bytes)>;
    // Closes the connection of a seat; the glue then reports connectionClosed.
    using Closer = std::function<void(int seat)>;
    // An index drawn uniformly from 0 .. bound-1.
    using Random = RoundDraw::Random;
    // The time now on any steady clock; tests pass one they move by hand.
    using Clock = std::function<SeatTable::Time()>;
    // PerConnection: a message is handled as soon as it is framed while its
    // connection's pace allows. TableTick: one entry per tick for the whole
    // table, kept to measure against.
    enum class Pacing { PerConnection, TableTick };

    static constexpr int FullSeat = RefusedSeat;
    static constexpr int DispatchIntervalMs = 10;
    static constexpr int ClockIntervalMs = 1000;

    // The dictionary, the pool and the solver must outlive the server. With a
    // solver, only rounds a ladder of twenty words can finish are drawn.
    HostServer(Sink sink, Closer closer, const Dictionary &dictionary, const WordPool &pool,
               const LadderSolver *solver, QObject *parent = nullptr);
    ~HostServer() override;

    void setRandom(Random random);
    void setClock(Clock clock);
    void setPacing(Pacing pacing);

    // The seat the next connection will get: 1..9, or FullSeat when nine are in use.
    int nextSeat() const { return m_seats.nextSeat(); }
    // Seats a new connection and greets it. Returns the seat, or 0 when the
    // table is full: the connection then got "full" on FullSeat and was closed.
    int connectionOpened();
    // Frames and queues bytes from a seat's connection. A connection past the
    // buffer bounds is closed and its seat released.
    void bytesReceived(int seat, std::string_view bytes);
    // Releases a seat whose connection closed; announced once, whichever side closed.
    void connectionClosed(int seat);

    // Handles, round-robin over the connections, every queued entry whose
    // connection's pace allows it now; the pace timer wakes it for the rest.
    void dispatchReady();
    void dispatchTick(); // TableTick: one entry, round-robin over the connections
    void clockTick();    // the turn clock's second

    // Read-only views for the glue, the log and tests.
    bool inUse(int seat) const { return m_seats.inUse(seat); }
    int owner() const { return m_seats.owner(); }
    const std::string &name(int seat) const { return m_seats.name(seat); }
    int score(int seat) const { return m_seats.score(seat); }
    int highestSeat() const { return m_seats.highestSeat(); }
    bool gameInProgress() const { return m_gameInProgress; }
    int roundNumber() const { return m_round; }
    const std::string &startWord() const { return m_ladders.startWord(); }
    const std::string &endWord() const { return m_ladders.endWord(); }
    int clockCounter() const { return m_clock.counter(); }
    std::size_t queuedEntries() const { return m_seats.queuedEntries(); }
    bool dispatchScheduled() const;

Q_SIGNALS:
    void seatTaken(int seat);
    void connectionRefused();
    void connectionDropped(int seat); // past a buffer bound
    void seatReleased(int seat, const std::string &name);
    void loggedIn(int seat, const std::string &name);
    void gameStarted(const std::string &name, int playTo, int timePerTurn);
    void roundStarted(int round, const std::string &start, const std::string &end);
    void roundEnded(int round);
    void winnerDeclared(const std::string &name);

private:
    using Handler = void (HostServer::*)(int fromSeat, std::string_view args);


    // hostserver.cpp: seats, login, queues
    void dropConnection(int seat);
    void closeSeat(int seat);
    void releaseSeat(int seat);
    void scheduleDispatch();
    void schedulePacedDispatch();
    void dispatch(int fromSeat, std::string_view entry);
    void sendTo(int seat, const std::string &bytes);
    void broadcast(const std::string &bytes);
    void receivedLoginInfo(int fromSeat, std::string_view args);
    void sendStats(int seat);

    // hostserver_rounds.cpp: game start and end, rounds, play signal, clock
    void startGame(int fromSeat, std::string_view args);
    void startRound();
    bool checkForWin();
    std::optional<RoundWords> drawRoundWords();
    void findPlayer();
    // The turn clock and its timer always change together.
    void startTurnClock();
    void startPauseClock();
    void stopClock();

    // hostserver_judging.cpp: words, scores, round end
    void sendWord(int fromSeat, std::string_view args);
    void completeLadder(int seat);
    void endRound();

    // hostserver_relays.cpp: social traffic and removal
    void chat(int fromSeat, std::string_view args);
    void action(int fromSeat, std::string_view args);
    void playASound(int fromSeat, std::string_view args);
    void kickHim(int fromSeat, std::string_view args);
    void justWatch(int fromSeat, std::string_view args);
    // A request whose seat field (or another number) does not read stops with a warning.
    static void warnUnreadable(int fromSeat, std::string_view command, std::string_view field = "the seat field");
    static bool speaksFor(int fromSeat, int seat);

    Sink m_sink;
    Closer m_closer;
    const Dictionary &m_dictionary;
    RoundDraw m_draw;

    SeatTable m_seats;
    bool m_gameInProgress = false;
    QElapsedTimer m_sinceDispatch;
    Clock m_now = [] {
        return std::chrono::duration_cast<SeatTable::Time>(std::chrono::steady_clock::now().time_since_epoch());
    };
    Pacing m_pacing = Pacing::PerConnection;
    bool m_dispatching = false; // dispatchReady() is under way further up the stack

    int m_playTo = 0;
    int m_timePerTurn = 0;
    LengthMode m_lengthMode = LengthMode::Any;
    int m_round = 0;
    RoundLadders m_ladders;
    TurnClock m_clock;

    QTimer *m_dispatchTimer = nullptr;
    QTimer *m_paceTimer = nullptr;
    QTimer *m_turnClock = nullptr;
};

} // namespace zz
