#include "host/turnclock.h"

namespace zz {

namespace {

// Wrap-around sums, as 32-bit counters behave, without undefined overflow.
int wrapped(std::int64_t value)
{
    return static_cast<int>(static_cast<std::uint32_t>(value));
}

} // namespace

void TurnClock::startTurn(int timePerTurn)
{
    m_purpose = Purpose::Running;
    m_timePerTurn = timePerTurn;
    m_counter = wrapped(std::int64_t{timePerTurn} + Lead);
}

void TurnClock::startPause()
{
    m_purpose = Purpose::Pause;
    m_counter = PauseSeconds;
}

void TurnClock::stop()
{
    m_purpose = Purpose::Idle;
}

TurnClock::Event TurnClock::tick()
{
    if (m_purpose == Purpose::Idle)
        return Event::None;
    m_counter = wrapped(std::int64_t{m_counter} - 1);
    if (m_counter >= 1)
        return Event::None;
    switch (m_purpose) {
    case Purpose::Running:
        m_purpose = Purpose::Grace;
        m_counter = GraceSeconds;
        return Event::TimeUp;
    case Purpose::Grace:
        m_purpose = Purpose::Idle;
        return Event::GraceOver;
    case Purpose::Pause:
        m_purpose = Purpose::Idle;
        return Event::PauseOver;
    case Purpose::Idle:
        break;
    }
    return Event::None;
}

int TurnClock::secondsLeft() const
{
    return wrapped(std::int64_t{m_counter} - Lead);
}

} // namespace zz
