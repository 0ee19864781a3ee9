#pragma once
// Who sits where: seats 1..6 play, 7..9 watch. A seat keeps its connection's
// framer, inbound queue and pace, and the player state that outlives a round.
// Plain C++: no Qt.
#include "core/names.h"
#include "core/wire.h"
#include "host/tokenbucket.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zz {

class SeatTable
{
public:
    static constexpr int FullSeat = RefusedSeat;
    // Each connection's pace: a steady rate with a small burst on top.
    static constexpr int PaceMessagesPerSecond = 100;
    static constexpr int PaceBurst = 20;
    using Time = TokenBucket::Time;

    struct Entry
    {
        int seat = 0;
        std::string text;
    };

    SeatTable();

    // The lowest free seat up to the highest ever used, else the one above
    // it, else FullSeat.
    int nextSeat() const;
    // Seats a connection there with nothing framed or queued. Returns the
    // seat, or FullSeat when nine are in use (nothing changes then).
    int take();
    // Frees a seat and forgets what its connection left unhandled, so none of
    // it is read as a successor's. Returns the name it had; nullopt when the
    // seat was not in use.
    std::optional<std::string> release(int seat);
    int highestSeat() const { return m_highestSeat; }

    bool inUse(int seat) const { return isTableSeat(seat) && m_seats[seat].inUse; }
    const std::string &name(int seat) const; // "" outside 1..9
    void setName(int seat, std::string name);
    // The table's owner, who alone starts games and removes players: the
    // lowest player seat in use, 0 when there is none. The hosting player's
    // own connection comes first, on seat 1, so it owns its table for good;
    // on a headless one the owner's leaving passes the table on.
    int owner() const;
    // The name, or for a nameless player seat its fallback name.
    const std::string &displayName(int seat) const;

    // Player state; seats outside 1..6 score 0.
    int score(int seat) const { return isPlayerSeat(seat) ? m_seats[seat].score : 0; }
    std::array<int, PlayerSeatCount> scores() const;
    void addToScore(int seat, int points);
    void setWatching(int seat, bool watching);
    bool finished(int seat) const { return isTableSeat(seat) && m_seats[seat].finished; }
    void finish(int seat);
    void newGame();  // every player seat at 0 points and playing
    void newRound(); // every player seat may play again
    // True while a player seat in use, not watching, has not finished.
    bool anyStillPlaying() const;

    // Frames bytes from a seat's connection into its queue, each entry cut to
    // MaxEntryLength. Returns false once the connection is past a buffer
    // bound; the caller then drops it.
    bool receive(int seat, std::string_view bytes);
    std::size_t queuedEntries() const;
    // Takes the oldest entry of the next connection in turn after the one
    // served last, so a flooding connection cannot starve the others.
    // nullopt when every queue is empty. Ignores the pace.
    std::optional<Entry> nextEntry();
    // The same turn-taking over the connections whose pace allows a message
    // at now; the entry taken spends a token. nullopt when none may go on.
    std::optional<Entry> nextPacedEntry(Time now);
    // When the next queued entry may go on; nullopt when every queue is empty.
    std::optional<Time> nextPacedEntryAt() const;

private:
    struct Seat
    {
        std::string name;
        bool inUse = false;
        int score = 0;
        bool watching = false;
        bool finished = false;
        std::string fallbackName;
        // Per connection: bytes not yet framed and messages not yet handled.
        wire::FrameSplitter framer;
        wire::InboundQueue queue;
        TokenBucket pace{PaceMessagesPerSecond, PaceBurst};
    };

    std::optional<Entry> nextEntryWhere(bool (*mayGo)(Seat &, Time), Time now);

    std::array<Seat, MaxConnections + 1> m_seats{}; // 0 unused
    int m_highestSeat = 0;
    int m_lastServedSeat = 0;
};

} // namespace zz
