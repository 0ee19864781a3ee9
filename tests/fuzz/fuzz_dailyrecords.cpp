// The daily results come from a file a person may have edited, cut or
// damaged: reading accepts or refuses whole, and what it accepts writes back
// to a text that reads as the same records; the statistics never fail on them.
#include "daily/dailystats.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const auto records = zz::parseDailyRecords(bytes);
    if (!records)
        return 0;
    const std::string text = zz::dailyRecordsText(*records);
    const auto again = zz::parseDailyRecords(text);
    if (!again || zz::dailyRecordsText(*again) != text || again->days.size() != records->days.size())
        __builtin_trap();
    const zz::DailyStatistics stats = zz::dailyStatistics(*records, records->days.empty() ? 1 : records->days.rbegin()->first);
    if (stats.solved > stats.played || stats.currentStreak > stats.longestStreak || stats.longestStreak > stats.solved)
        __builtin_trap();
    return 0;
}
