#include "matchmaker/addresslimiter.h"

#include <algorithm>
#include <iterator>

namespace zz {

AddressLimiter::AddressLimiter(int perMinute, int burst, std::size_t maxAddresses)
    : m_interval(std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::minutes(1))
                 / std::max(perMinute, 1))
    , m_depth(m_interval * (std::max(burst, 1) - 1))
    , m_maxAddresses(maxAddresses)
{
}

bool AddressLimiter::take(const std::string &address, Time now)
{
    const auto found = m_full.find(address);
    const Time full = found == m_full.end() ? now : std::max(found->second, now);
    if (full - m_depth > now)
        return false;
    if (found == m_full.end() && m_full.size() >= m_maxAddresses) {
        forgetFullBuckets(now);
        // Still every entry busy: a flood of addresses must not grow memory
        // without end, and refusing strangers beats forgetting who is limited.
        if (m_full.size() >= m_maxAddresses)
            return false;
    }
    m_full[address] = full + m_interval;
    return true;
}

void AddressLimiter::forgetFullBuckets(Time now)
{
    std::erase_if(m_full, [now](const auto &entry) { return entry.second <= now; });
}

} // namespace zz
