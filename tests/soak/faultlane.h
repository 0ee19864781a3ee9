#pragma once
// A lane of abusive connections: one after another, each connects, takes
// whatever seat is free (or is told the table is full and tries again),
// commits one fault and goes. The lanes together keep the table's free seats
// busy and the host's bounds tested.
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <random>
#include <string>

namespace zz::soak {

class RawLink;
class Report;

enum class Fault {
    JoinLeave,     // log in, then close in order
    StopReading,   // never read while the table chats: the host must drop it
    Reset,         // a message cut in the middle, then SO_LINGER 0 and close
    FloodChat,     // hundreds of lines in one write, within the bounds
    BadSeats,      // requests for seats that are not its own
    HalfThenClose, // a message cut in the middle, then an orderly close
    OverFlood,     // more lines at once than the host queues: dropped
    Garbage,       // random bytes, then a good line that must still come back
    HalfThenStall, // half a message, a pause, then the rest
    LongGarbage,   // more bytes without a terminator than the host keeps: dropped
};
inline constexpr int FaultCount = 10;
QString faultName(Fault fault);

// What all lanes saw, for the figures.
struct FaultTally
{
    std::array<int, FaultCount> episodes{};
    int refusals = 0;         // told "full": nine connections were seated
    int seatReuses = 0;       // seated where an earlier connection had been
    int dropsSeen = 0;        // closed by the host past a bound on what it receives
    QList<double> stallDrops; // seconds each lane that stopped reading lasted
    QSet<int> seatsHeld;
};

class FaultLane : public QObject
{
    Q_OBJECT
public:
    // victimSeat: a computer player's seat, which bad requests try to speak
    // for, rename, seat out and remove.
    FaultLane(int number, std::uint16_t port, int victimSeat, FaultTally &tally, Report &report,
              QObject *parent = nullptr);

    void start();
    // Ends the fault under way at once, and starts no other until resumed.
    void pause();
    void resume();
    // Paused, with no connection left.
    bool idle() const;

    // The table's announcements, as the owner hears them.
    void seatTaken(int seat, const QString &name);
    void seatReleased(int seat);

private:
    void begin();
    void received(const std::string &message);
    void offered(int seat);
    void commit();
    void stepDue();
    void ownLineReturned(const std::string &text);
    void linkClosed();
    void stallDropped();
    void timedOut();
    // Ends the episode; the next one (or the same again, when refused) follows.
    void finish(bool again = false);
    void fail(const QString &what);

    int m_number;
    std::uint16_t m_port;
    int m_victimSeat;
    FaultTally &m_tally;
    Report &m_report;
    std::mt19937 m_random;

    int m_episode = 0;
    Fault m_fault = Fault::JoinLeave;
    QPointer<RawLink> m_link;
    QString m_loginName;
    int m_seat = 0;
    bool m_refused = false;
    bool m_dropExpected = false;
    bool m_announced = false; // the owner saw this connection log in
    bool m_paused = false;
    std::string m_awaitedLine; // the text whose relay ends the episode
    int m_floodNext = 0;       // the flood line due back next
    std::string m_secondHalf;
    QElapsedTimer m_stalledFor;

    QTimer m_step;     // the fault's next move
    QTimer m_deadline; // the whole episode's bound
    QTimer m_next;     // the pause before the next episode
};

} // namespace zz::soak
