#include "host/hostserver.h"

#include "core/names.h"
#include "host/logfailures.h"

#include <QLoggingCategory>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <utility>

Q_LOGGING_CATEGORY(lcHostWire, "zz.host.wire", QtWarningMsg)

namespace zz {

HostServer::HostServer(Sink sink, Closer closer, const Dictionary &dictionary, const WordPool &pool,
                       const LadderSolver *solver, QObject *parent)
    : QObject(parent), m_sink(std::move(sink)), m_closer(std::move(closer)), m_dictionary(dictionary), m_draw(pool, solver),
      m_dispatchTimer(new QTimer(this)), m_turnClock(new QTimer(this))
{
    m_dispatchTimer->setTimerType(Qt::PreciseTimer);
    m_dispatchTimer->setInterval(DispatchIntervalMs);
    m_paceTimer = new QTimer(this);
    m_paceTimer->setTimerType(Qt::PreciseTimer);
    m_paceTimer->setSingleShot(true);
    connect(m_paceTimer, &QTimer::timeout, this, &HostServer::dispatchReady);
    m_turnClock->setInterval(ClockIntervalMs);
    connect(m_dispatchTimer, &QTimer::timeout, this, [this] { logFailures([this] { dispatchTick(); }); });
    connect(m_turnClock, &QTimer::timeout, this, [this] { logFailures([this] { clockTick(); }); });
}

HostServer::~HostServer() = default;

void HostServer::setClock(Clock clock)
{
    m_now = std::move(clock);
}

void HostServer::setPacing(Pacing pacing)
{
    m_pacing = pacing;
}

int HostServer::connectionOpened()
{
    const int seat = m_seats.take();
    if (seat == FullSeat) {
        m_sink(FullSeat, wire::full());
        m_closer(FullSeat);
        Q_EMIT connectionRefused();
        return 0;
    }
    Q_EMIT seatTaken(seat);
    sendTo(seat, wire::sendLoginInfo(seat));
    return seat;
}

void HostServer::bytesReceived(int seat, std::string_view bytes)
{
    if (!inUse(seat))
        return;
    if (!m_seats.receive(seat, bytes)) {
        dropConnection(seat);
        return;
    }
    // The read is framed in full: a safe point to handle what may go on now.
    if (m_pacing == Pacing::TableTick)
        scheduleDispatch();
    else
        dispatchReady();
}

void HostServer::connectionClosed(int seat)
{
    if (isTableSeat(seat))
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
    const std::optional<std::string> name = m_seats.release(seat);
    if (!name)
        return;
    broadcast(wire::playerDisconnected(seat, *name));
    Q_EMIT seatReleased(seat, *name);
}

bool HostServer::dispatchScheduled() const
{
    return m_dispatchTimer->isActive() || m_paceTimer->isActive();
}

void HostServer::dispatchReady()
{
    // A handler that leads here again (a close, a send) leaves the rest to this loop.
    if (m_dispatching)
        return;
    m_dispatching = true;
    while (const std::optional<SeatTable::Entry> entry = m_seats.nextPacedEntry(m_now()))
        logFailures([&] { dispatch(entry->seat, entry->text); });
    m_dispatching = false;
    schedulePacedDispatch();
}

void HostServer::schedulePacedDispatch()
{
    const std::optional<SeatTable::Time> due = m_seats.nextPacedEntryAt();
    if (!due) {
        m_paceTimer->stop();
        return;
    }
    // Rounded up, so the wake-up never finds the token still missing.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*due - m_now());
    m_paceTimer->start(static_cast<int>(std::clamp<std::int64_t>(wait.count(), 0, 1000)));
}

void HostServer::scheduleDispatch()
{
    if (m_dispatchTimer->isActive() || queuedEntries() == 0)
        return;
    // After idle the first entry need not wait a whole tick, only the rest of it.
    const qint64 since = m_sinceDispatch.isValid() ? m_sinceDispatch.elapsed() : DispatchIntervalMs;
    m_dispatchTimer->start(static_cast<int>(std::clamp<qint64>(DispatchIntervalMs - since, 0, DispatchIntervalMs)));
}

void HostServer::dispatchTick()
{
    m_sinceDispatch.start();
    if (const std::optional<SeatTable::Entry> entry = m_seats.nextEntry())
        dispatch(entry->seat, entry->text);
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
    for (int seat = 1; seat <= m_seats.highestSeat(); ++seat)
        sendTo(seat, bytes);
}

void HostServer::warnUnreadable(int fromSeat, std::string_view command, std::string_view field)
{
    qWarning("Zig Zop host: %.*s from seat %d: %.*s is not a number", int(command.size()), command.data(), fromSeat,
             int(field.size()), field.data());
}

bool HostServer::speaksFor(int fromSeat, int seat)
{
    // A message speaks only for the seat of the connection it came on.
    return isTableSeat(seat) && seat == fromSeat;
}

void HostServer::receivedLoginInfo(int fromSeat, std::string_view args)
{
    const std::optional<wire::LoginInfo> login = wire::parseLoginInfo(args);
    if (!login)
        return warnUnreadable(fromSeat, wire::CmdLoginInfo);
    if (!speaksFor(fromSeat, login->seat))
        return;
    const int seat = login->seat;
    m_seats.setName(seat, login->name);
    const std::string &name = m_seats.name(seat);
    broadcast(wire::newPlayerInfo(seat, name));
    for (int other = 1; other <= m_seats.highestSeat(); ++other)
        if (other != seat && m_seats.inUse(other))
            sendTo(seat, wire::existingPlayers(other, m_seats.name(other)));
    if (login->version != VersionText) {
        sendTo(1, wire::haveWrongVersion(name));
        sendTo(seat, wire::wrongVersion());
    }
    if (m_gameInProgress)
        sendStats(seat);
    Q_EMIT loggedIn(seat, name);
}

void HostServer::sendStats(int seat)
{
    wire::Stats stats;
    stats.seat = seat;
    stats.start = m_ladders.startWord();
    stats.end = m_ladders.endWord();
    stats.mayPlay = !m_seats.finished(seat);
    stats.playTo = m_playTo;
    stats.time = m_timePerTurn;
    stats.secondsLeft = m_clock.secondsLeft();
    const auto scores = m_seats.scores();
    for (int player = 1; player <= PlayerSeatCount; ++player)
        stats.scores.push_back({player, scores[static_cast<std::size_t>(player - 1)]});
    sendTo(seat, wire::stats(stats));
}

} // namespace zz
