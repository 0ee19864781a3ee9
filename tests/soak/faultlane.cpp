#include "faultlane.h"

#include "abuse.h"
#include "core/messages.h"
#include "core/names.h"
#include "core/wire.h"
#include "rawlink.h"
#include "report.h"

namespace zz::soak {

namespace {

constexpr int FloodLines = 600;
constexpr int OverFloodLines = int(wire::MaxQueuedEntries) + 200;
constexpr std::size_t GarbageBytes = 4096;
constexpr std::size_t LongGarbageBytes = wire::MaxPendingBytes + 8 * 1024;
// A lane that stops reading keeps the table busy with long lines, a little
// under the pace the host allows, until the host lets it go.
constexpr std::size_t StallLineBytes = 4000;
constexpr int StallTickMs = 25;
constexpr int StallLinesPerTick = 2;
constexpr int StallReceiveBuffer = 4096;
constexpr int HalfPauseMs = 3000;
constexpr int ShortStepMs = 150;
constexpr int EpisodeBoundMs = 45000;
constexpr int StallBoundMs = 120000;
constexpr int PauseMs = 150;
constexpr int RetryMs = 250;

} // namespace

QString faultName(Fault fault)
{
    static const char *const Names[FaultCount] = {"join and leave",    "stop reading",     "reset",      "chat flood",
                                                  "bad seats",         "half, then close", "over-flood", "garbage",
                                                  "half, pause, rest", "long garbage"};
    return QString::fromLatin1(Names[static_cast<int>(fault)]);
}

FaultLane::FaultLane(int number, std::uint16_t port, int victimSeat, FaultTally &tally, Report &report, QObject *parent)
    : QObject(parent), m_number(number), m_port(port), m_victimSeat(victimSeat), m_tally(tally), m_report(report),
      m_random(static_cast<std::mt19937::result_type>(number))
{
    m_deadline.setSingleShot(true);
    m_next.setSingleShot(true);
    connect(&m_step, &QTimer::timeout, this, &FaultLane::stepDue);
    connect(&m_deadline, &QTimer::timeout, this, &FaultLane::timedOut);
    connect(&m_next, &QTimer::timeout, this, &FaultLane::begin);
}

void FaultLane::start()
{
    begin();
}

void FaultLane::pause()
{
    m_paused = true;
    m_next.stop();
    if (m_link)
        finish();
}

void FaultLane::resume()
{
    m_paused = false;
    begin();
}

bool FaultLane::idle() const
{
    return m_paused && !m_link;
}

void FaultLane::begin()
{
    if (m_paused)
        return;
    // Each lane starts at another place in the list, so all faults run from the start.
    m_fault = static_cast<Fault>((m_number * 3 + m_episode) % FaultCount);
    m_loginName = QStringLiteral("SoakRaw%1.%2").arg(m_number).arg(m_episode);
    m_seat = 0;
    m_refused = m_announced = false;
    m_dropExpected = m_fault == Fault::OverFlood || m_fault == Fault::LongGarbage;
    m_awaitedLine.clear();
    m_link = new RawLink(this);
    connect(m_link, &RawLink::messageReceived, this, &FaultLane::received);
    connect(m_link, &RawLink::closed, this, &FaultLane::linkClosed);
    m_deadline.start(m_fault == Fault::StopReading ? StallBoundMs : EpisodeBoundMs);
    if (!m_link->connectTo(m_port, m_fault == Fault::StopReading ? StallReceiveBuffer : 0)) {
        fail(QStringLiteral("could not connect"));
        finish();
    }
}

void FaultLane::received(const std::string &message)
{
    const wire::Command command = wire::splitCommand(message);
    if (m_seat == 0) {
        if (message + wire::Terminator == wire::full()) {
            m_refused = true; // the host closes the connection next
            ++m_tally.refusals;
        } else if (const auto offer =
                       command.word == wire::CmdSendLoginInfo ? wire::parseSendLoginInfo(command.args) : std::nullopt) {
            offered(offer->seat);
        } else {
            fail(QStringLiteral("the host's first message was not a seat offer"));
            finish();
        }
        return;
    }
    if (command.word != wire::CmdChat)
        return;
    const std::string line = wire::parseChatRelay(command.args)->line;
    const std::string own = wire::number(m_seat) + wire::Separator + m_loginName.toStdString() + " chats: ";
    if (line.starts_with(own))
        ownLineReturned(line.substr(own.size()));
}

void FaultLane::offered(int seat)
{
    m_seat = seat;
    if (m_tally.seatsHeld.contains(seat))
        ++m_tally.seatReuses;
    m_tally.seatsHeld.insert(seat);
    ++m_tally.episodes[static_cast<std::size_t>(m_fault)];
    m_link->send(wire::loginInfo(seat, VersionText, m_loginName.toStdString()));
    // In a player seat it sits the game out, as anybody not playing must:
    // else every round would wait for its clock.
    if (isPlayerSeat(seat))
        m_link->send(wire::justWatch(seat, wire::WatchFlag::Watch));
    commit();
}

void FaultLane::commit()
{
    const std::string halfLine = wire::chatRequest(m_seat, "cut in the middle", "0");
    switch (m_fault) {
    case Fault::JoinLeave:
        m_step.start(ShortStepMs);
        break;
    case Fault::Reset:
    case Fault::HalfThenClose:
        m_link->send(halfLine.substr(0, halfLine.size() / 2));
        m_step.start(ShortStepMs);
        break;
    case Fault::FloodChat:
        m_floodNext = 1;
        m_link->send(chatFlood(m_seat, "flood", FloodLines));
        break;
    case Fault::OverFlood:
        m_link->send(chatFlood(m_seat, "over-flood", OverFloodLines));
        break;
    case Fault::Garbage:
        m_awaitedLine = "after garbage";
        m_link->send(garbage(m_random, GarbageBytes) + wire::chatRequest(m_seat, m_awaitedLine, "0"));
        break;
    case Fault::LongGarbage:
        m_link->send(unterminated(LongGarbageBytes));
        break;
    case Fault::BadSeats:
        m_awaitedLine = "after bad seats";
        m_link->send(badSeatRequests(m_seat, m_victimSeat) + wire::chatRequest(m_seat, m_awaitedLine, "0"));
        break;
    case Fault::HalfThenStall: {
        m_awaitedLine = "two halves";
        const std::string whole = wire::chatRequest(m_seat, m_awaitedLine, "0");
        m_link->send(whole.substr(0, whole.size() / 2));
        m_secondHalf = whole.substr(whole.size() / 2);
        m_step.start(HalfPauseMs);
        break;
    }
    case Fault::StopReading:
        m_link->setReading(false);
        m_stalledFor.start();
        m_step.start(StallTickMs);
        break;
    }
}

void FaultLane::stepDue()
{
    switch (m_fault) {
    case Fault::Reset:
        m_link->reset();
        finish();
        break;
    case Fault::HalfThenStall:
        m_step.stop();
        m_link->send(m_secondHalf);
        break;
    case Fault::StopReading:
        for (int i = 0; i < StallLinesPerTick; ++i)
            m_link->send(longChat(m_seat, StallLineBytes));
        break;
    default:
        finish();
        break;
    }
}

void FaultLane::ownLineReturned(const std::string &text)
{
    if (m_fault == Fault::FloodChat) {
        const std::string due = "flood " + wire::number(m_floodNext);
        if (text != due) {
            fail(QStringLiteral("\"%1\" came back where \"%2\" was due")
                     .arg(QString::fromStdString(text), QString::fromStdString(due)));
            finish();
        } else if (++m_floodNext > FloodLines) {
            finish();
        }
    } else if (!m_awaitedLine.empty() && text == m_awaitedLine) {
        finish();
    }
}

void FaultLane::seatTaken(int seat, const QString &name)
{
    if (seat == m_seat && name == m_loginName)
        m_announced = true;
}

void FaultLane::seatReleased(int seat)
{
    // Only a lane that reads nothing learns of its drop this way.
    if (m_fault == Fault::StopReading && m_announced && seat == m_seat && m_link)
        stallDropped();
}

void FaultLane::stallDropped()
{
    m_tally.stallDrops << double(m_stalledFor.elapsed()) / 1000;
    m_link->reset();
    finish();
}

void FaultLane::linkClosed()
{
    if (m_refused) {
        finish(true);
        return;
    }
    if (m_fault == Fault::StopReading && m_seat != 0) {
        stallDropped(); // a send found the connection gone
        return;
    }
    if (m_dropExpected && m_seat != 0)
        ++m_tally.dropsSeen;
    else
        fail(QStringLiteral("the host closed the connection"));
    finish();
}

void FaultLane::timedOut()
{
    fail(QStringLiteral("still unfinished after %1 s").arg(m_deadline.interval() / 1000));
    finish();
}

void FaultLane::finish(bool again)
{
    m_step.stop();
    m_deadline.stop();
    if (m_link) {
        m_link->disconnect(this);
        m_link->close();
        m_link->deleteLater();
        m_link = nullptr;
    }
    if (!again)
        ++m_episode;
    if (!m_paused)
        m_next.start(again ? RetryMs : PauseMs);
}

void FaultLane::fail(const QString &what)
{
    m_report.fail(
        QStringLiteral("lane %1, %2 (seat %3): %4").arg(m_number).arg(faultName(m_fault)).arg(m_seat).arg(what));
}

} // namespace zz::soak
