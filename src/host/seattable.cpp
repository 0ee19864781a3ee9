#include "host/seattable.h"

#include <algorithm>
#include <utility>

namespace zz {

SeatTable::SeatTable()
{
    for (int seat = 2; seat <= PlayerSeatCount; ++seat)
        m_seats[seat].fallbackName = FallbackSeatNames[seat];
}

int SeatTable::nextSeat() const
{
    for (int seat = 1; seat <= m_highestSeat; ++seat)
        if (!m_seats[seat].inUse)
            return seat;
    return m_highestSeat < MaxConnections ? m_highestSeat + 1 : FullSeat;
}

int SeatTable::take()
{
    const int seat = nextSeat();
    if (seat == FullSeat)
        return FullSeat;
    m_highestSeat = std::max(m_highestSeat, seat);
    Seat &s = m_seats[seat];
    s.inUse = true;
    s.framer = {};
    s.queue.clear();
    s.pace.refill();
    return seat;
}

std::optional<std::string> SeatTable::release(int seat)
{
    if (!inUse(seat))
        return std::nullopt;
    Seat &s = m_seats[seat];
    s.inUse = false;
    s.watching = false;
    // A seat that leaves mid-round has finished it, for whoever comes next.
    s.finished = true;
    s.framer = {};
    s.queue.clear();
    return std::exchange(s.name, {});
}

const std::string &SeatTable::name(int seat) const
{
    static const std::string none;
    return isTableSeat(seat) ? m_seats[seat].name : none;
}

void SeatTable::setName(int seat, std::string name)
{
    if (isTableSeat(seat))
        m_seats[seat].name = std::move(name);
}

int SeatTable::owner() const
{
    for (int seat = 1; seat <= PlayerSeatCount; ++seat)
        if (m_seats[seat].inUse)
            return seat;
    return 0;
}

const std::string &SeatTable::displayName(int seat) const
{
    const std::string &own = name(seat);
    return own.empty() && isTableSeat(seat) ? m_seats[seat].fallbackName : own;
}

std::array<int, PlayerSeatCount> SeatTable::scores() const
{
    std::array<int, PlayerSeatCount> scores{};
    for (int seat = 1; seat <= PlayerSeatCount; ++seat)
        scores[seat - 1] = m_seats[seat].score;
    return scores;
}

void SeatTable::addToScore(int seat, int points)
{
    if (isPlayerSeat(seat))
        m_seats[seat].score += points;
}

void SeatTable::setWatching(int seat, bool watching)
{
    if (isTableSeat(seat))
        m_seats[seat].watching = watching;
}

void SeatTable::finish(int seat)
{
    if (isTableSeat(seat))
        m_seats[seat].finished = true;
}

void SeatTable::newGame()
{
    for (int seat = 1; seat <= PlayerSeatCount; ++seat) {
        m_seats[seat].score = 0;
        m_seats[seat].watching = false;
    }
}

void SeatTable::newRound()
{
    for (int seat = 1; seat <= PlayerSeatCount; ++seat)
        m_seats[seat].finished = false;
}

bool SeatTable::anyStillPlaying() const
{
    for (int seat = 1; seat <= PlayerSeatCount; ++seat) {
        const Seat &s = m_seats[seat];
        if (s.inUse && !s.watching && !s.finished)
            return true;
    }
    return false;
}

bool SeatTable::receive(int seat, std::string_view bytes)
{
    if (!inUse(seat))
        return true;
    Seat &s = m_seats[seat];
    if (!s.framer.feed(bytes))
        return false;
    while (auto entry = s.framer.next()) {
        // Only the first MaxEntryLength bytes are ever read: keep no more.
        if (entry->size() > wire::MaxEntryLength)
            entry->resize(wire::MaxEntryLength);
        if (!s.queue.push(std::move(*entry)))
            return false;
    }
    return true;
}

std::size_t SeatTable::queuedEntries() const
{
    std::size_t total = 0;
    for (int seat = 1; seat <= MaxConnections; ++seat)
        total += m_seats[seat].queue.size();
    return total;
}

std::optional<SeatTable::Entry> SeatTable::nextEntry()
{
    return nextEntryWhere([](Seat &, Time) { return true; }, Time{});
}

std::optional<SeatTable::Entry> SeatTable::nextPacedEntry(Time now)
{
    return nextEntryWhere([](Seat &s, Time at) { return s.pace.take(at); }, now);
}

std::optional<SeatTable::Time> SeatTable::nextPacedEntryAt() const
{
    std::optional<Time> soonest;
    for (int seat = 1; seat <= MaxConnections; ++seat) {
        const Seat &s = m_seats[seat];
        if (!s.queue.empty() && (!soonest || s.pace.nextTokenAt() < *soonest))
            soonest = s.pace.nextTokenAt();
    }
    return soonest;
}

std::optional<SeatTable::Entry> SeatTable::nextEntryWhere(bool (*mayGo)(Seat &, Time), Time now)
{
    for (int step = 1; step <= MaxConnections; ++step) {
        const int seat = (m_lastServedSeat + step - 1) % MaxConnections + 1;
        Seat &s = m_seats[seat];
        if (!s.queue.empty() && mayGo(s, now)) {
            m_lastServedSeat = seat;
            return Entry{seat, s.queue.pop()};
        }
    }
    return std::nullopt;
}

} // namespace zz
