#include "daily/calendar.h"

#include <cstdio>

namespace zz {

namespace {

bool isLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month)
{
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : Days[month - 1];
}

} // namespace

// Days are counted in eras of 400 years, which repeat exactly; March opens
// the counted year so that a leap day falls at its end.
long long daysFromCivil(const CivilDate &date)
{
    const long long y = date.year - (date.month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long m = date.month;
    const long long dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate civilFromDays(long long days)
{
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int>(year), month, day};
}

int weekdayOf(const CivilDate &date)
{
    const long long days = daysFromCivil(date);   // 1970-01-01 was a Thursday
    return static_cast<int>(((days + 3) % 7 + 7) % 7);
}

std::optional<CivilDate> parseDate(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    auto number = [&](std::size_t from, std::size_t count) {
        int value = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const CivilDate date{number(0, 4), number(5, 2), number(8, 2)};
    if (date.year < 0 || date.month < 1 || date.month > 12 || date.day < 1
        || date.day > daysInMonth(date.year, date.month))
        return std::nullopt;
    return date;
}

std::string formatDate(const CivilDate &date)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

CivilDate localDate(std::time_t when)
{
    // One thread: localtime's shared result is read before anything else calls it.
    const std::tm *local = std::localtime(&when);
    if (!local)
        return civilFromDays(when / 86400);   // no rules for such a time: the UTC date
    return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

} // namespace zz
