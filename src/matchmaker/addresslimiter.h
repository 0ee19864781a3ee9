#pragma once
// How often each caller may ask for a table: a token bucket per client
// address (a steady rate with a small burst). Plain C++; the owner passes
// the time, so tests need no clock.
#include <chrono>
#include <cstddef>
#include <string>
#include <unordered_map>

namespace zz {

class AddressLimiter
{
public:
    using Time = std::chrono::steady_clock::time_point;

    // perMinute tokens a minute, at most burst at once.
    AddressLimiter(int perMinute, int burst, std::size_t maxAddresses = 100000);

    // True and one token spent when address has one at now.
    bool take(const std::string &address, Time now);
    std::size_t trackedAddresses() const { return m_full.size(); }

private:
    void forgetFullBuckets(Time now);

    std::chrono::steady_clock::duration m_interval;
    std::chrono::steady_clock::duration m_depth;   // burst - 1 intervals lent ahead
    std::size_t m_maxAddresses;
    // When each address's bucket is full again; a full bucket needs no entry.
    std::unordered_map<std::string, Time> m_full;
};

} // namespace zz
