#pragma once
// A connection's pace: a steady rate of messages with a small burst on top.
// Time is whatever clock the owner reads and passes in, so tests need no real
// time. Plain C++.
#include <chrono>

namespace zz {

class TokenBucket
{
public:
    using Time = std::chrono::microseconds; // since any fixed moment

    // A full bucket: burst messages at once, then one every 1/perSecond s.
    // perSecond and burst below 1 count as 1.
    TokenBucket(int perSecond, int burst);

    // Takes a token and returns true when one is there at now; false and
    // nothing changes otherwise.
    bool take(Time now);
    // When the next token is there: now or earlier when one is there already.
    Time nextTokenAt() const { return m_full - m_depth; }
    // Fills the bucket again, as for a new connection.
    void refill() { m_full = Time::min() / 2; }

private:
    // The moment the bucket is full again; every token taken moves it one
    // interval on. A token is there while now >= m_full - m_depth.
    Time m_interval;
    Time m_depth; // burst - 1 intervals: what a full bucket lends ahead
    Time m_full = Time::min() / 2;
};

} // namespace zz
