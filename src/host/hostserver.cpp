#include "host/hostserver.h"

#include "core/names.h"
#include "dict/wordpool.h"
#include "host/logfailures.h"

#include <QLoggingCategory>
#include <QTimer>

#include <algorithm>
#include <random>
#include <utility>

Q_LOGGING_CATEGORY(lcHostWire, "zz.host.wire", QtWarningMsg)

namespace zz {

namespace {

constexpr std::array FallbackNames = {"Klot", "Klock", "Kling", "Klick", "Krazy"}; // seats 2..6

HostServer::Random defaultRandom()
{
    auto engine = std::make_shared<std::mt19937>(std::random_device{}());
    return [engine](std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(*engine); };
}

} // namespace

HostServer::HostServer(Sink sink, Closer closer, Dictionary &dictionary, const WordPool &pool, QObject *parent)
    : QObject(parent), m_sink(std::move(sink)), m_closer(std::move(closer)), m_dictionary(dictionary), m_pool(pool),
      m_drawable(drawableLengths(pool)), m_random(defaultRandom()), m_dispatchTimer(new QTimer(this)),
      m_turnClock(new QTimer(this)), m_computerTimer(new QTimer(this))
{
    for (int seat = 2; seat <= PlayerSeatCount; ++seat)
        m_seats[seat].fallbackName = FallbackNames[seat - 2];

    m_dispatchTimer->setTimerType(Qt::PreciseTimer);
    m_dispatchTimer->setInterval(DispatchIntervalMs);
    m_turnClock->setInterval(ClockIntervalMs);
    m_computerTimer->setSingleShot(true);
    m_computerTimer->setInterval(1000);
    connect(m_dispatchTimer, &QTimer::timeout, this, [this] { logFailures([this] { dispatchTick(); }); });
    connect(m_turnClock, &QTimer::timeout, this, [this] { logFailures([this] { clockTick(); }); });
    connect(m_computerTimer, &QTimer::timeout, this, [this] { logFailures([this] { computerTick(); }); });
}

HostServer::~HostServer() = default;

void HostServer::setComputerInterval(int milliseconds)
{
    m_computerTimer->setInterval(std::max(0, milliseconds));
}

const std::string &HostServer::name(int seat) const
{
    static const std::string none;
    return validSeat(seat) ? m_seats[seat].name : none;
}

int HostServer::nextSeat() const
{
    for (int seat = 1; seat <= m_highestSeat; ++seat)
        if (!m_seats[seat].inUse)
            return seat;
    return m_highestSeat < MaxConnections ? m_highestSeat + 1 : FullSeat;
}

int HostServer::connectionOpened()
{
    const int seat = nextSeat();
    if (seat == FullSeat) {
        m_sink(FullSeat, wire::full());
        m_closer(FullSeat);
        Q_EMIT connectionRefused();
        return 0;
    }
    m_highestSeat = std::max(m_highestSeat, seat);
    Seat &s = m_seats[seat];
    s.inUse = true;
    s.framer = {};
    s.queue.clear();
    Q_EMIT seatTaken(seat);
    sendTo(seat, wire::sendLoginInfo(seat));
    return seat;
}

void HostServer::bytesReceived(int seat, std::string_view bytes)
{
    if (!inUse(seat))
        return;
    Seat &s = m_seats[seat];
    if (!s.framer.feed(bytes)) {
        dropConnection(seat);
        return;
    }
    while (auto entry = s.framer.next()) {
        // Only the first MaxEntryLength bytes are ever read: keep no more.
        if (entry->size() > wire::MaxEntryLength)
            entry->resize(wire::MaxEntryLength);
        if (!s.queue.push(std::move(*entry))) {
            dropConnection(seat);
            return;
        }
    }
    scheduleDispatch();
}

void HostServer::connectionClosed(int seat)
{
    if (validSeat(seat))
        releaseSeat(seat);
}

void HostServer::dropConnection(int seat)
{
    qWarning("Zig Zop host: seat %d sent past its buffer bounds and is dropped", seat);
    Q_EMIT connectionDropped(seat);
    closeSeat(seat);
}

void HostServer::closeSeat(int seat)
{
    if (!inUse(seat))
        return;
    m_closer(seat);
    // The closer normally reports the close back at once; release in any case.
    releaseSeat(seat);
}

void HostServer::releaseSeat(int seat)
{
    Seat &s = m_seats[seat];
    if (!s.inUse)
        return;
    const std::string name = std::exchange(s.name, {});
    s.inUse = false;
    s.watching = false;
    s.finished = true;
    // What a departed connection left unhandled must not be read as its successor's.
    s.framer = {};
    s.queue.clear();
    broadcast(wire::playerDisconnected(seat, name));
    Q_EMIT seatReleased(seat, name);
}

std::size_t HostServer::queuedEntries() const
{
    std::size_t total = 0;
    for (int seat = 1; seat <= MaxConnections; ++seat)
        total += m_seats[seat].queue.size();
    return total;
}

bool HostServer::dispatchScheduled() const
{
    return m_dispatchTimer->isActive();
}

void HostServer::scheduleDispatch()
{
    if (m_dispatchTimer->isActive() || queuedEntries() == 0)
        return;
    // After idle the first entry need not wait a whole tick, only the rest of it.
    const qint64 since = m_sinceDispatch.isValid() ? m_sinceDispatch.elapsed() : DispatchIntervalMs;
    m_dispatchTimer->start(static_cast<int>(std::clamp<qint64>(DispatchIntervalMs - since, 0, DispatchIntervalMs)));
}

int HostServer::nextQueuedSeat() const
{
    for (int step = 1; step <= MaxConnections; ++step) {
        const int seat = (m_lastServedSeat + step - 1) % MaxConnections + 1;
        if (!m_seats[seat].queue.empty())
            return seat;
    }
    return 0;
}

void HostServer::dispatchTick()
{
    m_sinceDispatch.start();
    if (const int seat = nextQueuedSeat(); seat != 0) {
        m_lastServedSeat = seat;
        const std::string entry = m_seats[seat].queue.pop();
        dispatch(seat, entry);
    }
    if (queuedEntries() == 0)
        m_dispatchTimer->stop();
    else if (!m_dispatchTimer->isActive() || m_dispatchTimer->interval() != DispatchIntervalMs)
        m_dispatchTimer->start(DispatchIntervalMs);
}

void HostServer::dispatch(int fromSeat, std::string_view entry)
{
    static constexpr std::pair<std::string_view, Handler> Table[] = {
        {wire::CmdLoginInfo, &HostServer::receivedLoginInfo},
        {wire::CmdKickHim, &HostServer::kickHim},
        {wire::CmdChat, &HostServer::chat},
        {wire::CmdAction, &HostServer::action},
        {wire::CmdPlayASound, &HostServer::playASound},
        {wire::CmdStartGame, &HostServer::startGame},
        {wire::CmdJustWatch, &HostServer::justWatch},
        {wire::CmdSendWord, &HostServer::sendWord},
    };
    qCDebug(lcHostWire, "in  %d: %.*s", fromSeat, int(entry.size()), entry.data());
    const wire::Command command = wire::splitCommand(entry);
    if (command.word.empty())
        return;
    for (const auto &[word, handler] : Table) {
        if (command.word == word) {
            (this->*handler)(fromSeat, command.args);
            return;
        }
    }
}

void HostServer::sendTo(int seat, const std::string &bytes)
{
    if (!inUse(seat))
        return;
    qCDebug(lcHostWire, "out %d: %.*s", seat, int(bytes.size()) - 1, bytes.data());
    m_sink(seat, bytes);
}

void HostServer::broadcast(const std::string &bytes)
{
    for (int seat = 1; seat <= m_highestSeat; ++seat)
        sendTo(seat, bytes);
}

std::optional<int> HostServer::seatFieldOf(int fromSeat, std::string_view field, std::string_view command) const
{
    const std::optional<int> seat = wire::toInteger(field);
    if (!seat) {
        qWarning("Zig Zop host: %.*s from seat %d: seat field is not a number", int(command.size()), command.data(),
                 fromSeat);
        return std::nullopt;
    }
    // A message speaks only for the seat of the connection it came on.
    if (!validSeat(*seat) || *seat != fromSeat)
        return std::nullopt;
    return seat;
}

void HostServer::receivedLoginInfo(int fromSeat, std::string_view args)
{
    const std::optional<int> seat = seatFieldOf(fromSeat, wire::takeField(args), wire::CmdLoginInfo);
    if (!seat)
        return;
    const std::string_view version = wire::takeField(args);
    Seat &s = m_seats[*seat];
    s.name = std::string(args); // the last field: it may hold '+'
    broadcast(wire::newPlayerInfo(*seat, s.name));
    for (int other = 1; other <= m_highestSeat; ++other)
        if (other != *seat && m_seats[other].inUse)
            sendTo(*seat, wire::existingPlayers(other, m_seats[other].name));
    if (version != VersionText) {
        sendTo(1, wire::haveWrongVersion(s.name));
        sendTo(*seat, wire::wrongVersion());
    }
    if (m_gameInProgress)
        sendStats(*seat);
    Q_EMIT loggedIn(*seat, s.name);
}

void HostServer::sendStats(int seat)
{
    wire::Stats stats;
    stats.seat = seat;
    stats.start = m_ladders.startWord();
    stats.end = m_ladders.endWord();
    stats.mayPlay = !m_seats[seat].finished;
    stats.playTo = m_playTo;
    stats.time = m_timePerTurn;
    stats.secondsLeft = static_cast<int>(static_cast<std::uint32_t>(std::int64_t{m_clockCounter} - 4));
    for (int k = 1; k <= PlayerSeatCount; ++k)
        stats.scores[k - 1] = m_seats[k].score;
    sendTo(seat, wire::stats(stats));
}

} // namespace zz
