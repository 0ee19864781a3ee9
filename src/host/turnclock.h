#pragma once
// The turn clock's count: the play time with its lead of four seconds, the
// grace after time up and the pause between rounds. Pure logic: the owner
// keeps the timer and calls tick() once a second. Plain C++: no Qt.
#include <cstdint>

namespace zz {

class TurnClock
{
public:
    enum class Purpose { Idle, Pause, Running, Grace };
    enum class Event { None, TimeUp, GraceOver, PauseOver };

    static constexpr int Lead = 4; // the clock runs this much longer than the time per turn
    static constexpr int GraceSeconds = 2;
    static constexpr int PauseSeconds = 15;

    // Any time per turn is taken; the count wraps as a 32-bit counter would.
    void startTurn(int timePerTurn);
    void startPause();
    void stop(); // idle: ticks change nothing

    // One second off the count. When it reaches 0 (or below) a running turn
    // passes into its grace, and a grace or a pause ends with the clock idle.
    Event tick();

    Purpose purpose() const { return m_purpose; }
    bool running() const { return m_purpose == Purpose::Running; }
    int counter() const { return m_counter; }
    // What a newcomer is told is left: the count less the lead, wrapped.
    int secondsLeft() const;
    // Seconds after the turn's first four, negative inside them.
    std::int64_t elapsedSeconds() const { return std::int64_t{m_timePerTurn} - m_counter; }

private:
    Purpose m_purpose = Purpose::Idle;
    int m_counter = 0;
    int m_timePerTurn = 0;
};

} // namespace zz
