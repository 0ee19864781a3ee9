#pragma once
// Calendar dates without clocks: the daily puzzle changes at the player's
// local midnight, so its number counts dates, never blocks of 86,400 seconds.
// Plain C++: no Qt.
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace zz {

struct CivilDate
{
    int year = 1970;
    int month = 1;   // 1..12
    int day = 1;     // 1..31

    friend bool operator==(const CivilDate &, const CivilDate &) = default;
};

// Days since 1970-01-01 (negative before it), for any proleptic Gregorian date.
long long daysFromCivil(const CivilDate &date);
CivilDate civilFromDays(long long days);
// 0 Monday .. 6 Sunday.
int weekdayOf(const CivilDate &date);

// "YYYY-MM-DD" with a real month and day (2027-02-29 is refused); nullopt otherwise.
std::optional<CivilDate> parseDate(std::string_view text);
std::string formatDate(const CivilDate &date);

// The local calendar date at the moment `when`, as the TZ rules of this
// machine see it.
CivilDate localDate(std::time_t when);

} // namespace zz
