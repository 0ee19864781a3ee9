#include "host/tokenbucket.h"

#include <algorithm>

namespace zz {

TokenBucket::TokenBucket(int perSecond, int burst)
    : m_interval(Time(std::chrono::seconds(1)) / std::max(1, perSecond))
    , m_depth(m_interval * (std::max(1, burst) - 1))
{
}

bool TokenBucket::take(Time now)
{
    if (now < nextTokenAt())
        return false;
    // A bucket that filled up while idle holds no more than its burst.
    m_full = std::max(m_full, now) + m_interval;
    return true;
}

} // namespace zz
