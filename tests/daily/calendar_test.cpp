#include "daily/calendar.h"
#include "daily/schedule.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace {

// Sets TZ for one test and puts the old value back.
class ZoneScope
{
public:
    explicit ZoneScope(const char *zone)
    {
        if (const char *old = std::getenv("TZ"))
            m_old = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ZoneScope()
    {
        if (m_old)
            ::setenv("TZ", m_old->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::optional<std::string> m_old;
};

std::time_t utc(const char *date, int hour, int minute)
{
    return static_cast<std::time_t>(zz::daysFromCivil(*zz::parseDate(date)) * 86400 + hour * 3600 + minute * 60);
}

} // namespace

TEST(Calendar, LocalDateFollowsTheCalendarAcrossClockChanges)
{
    const struct
    {
        const char *name, *zone, *utcDate;
        int hour, minute;
        const char *localDate;
    } cases[] = {
        {"Berlin, before the spring change", "Europe/Berlin", "2027-03-27", 22, 30, "2027-03-27"},
        {"Berlin, the short night", "Europe/Berlin", "2027-03-27", 23, 30, "2027-03-28"},
        {"Berlin, first minutes after the short day", "Europe/Berlin", "2027-03-28", 22, 30, "2027-03-29"},
        {"Berlin, last minutes of the long day", "Europe/Berlin", "2027-10-31", 22, 50, "2027-10-31"},
        {"Berlin, after the long day", "Europe/Berlin", "2027-10-31", 23, 30, "2027-11-01"},
        {"New York, late on the eve of the change", "America/New_York", "2027-03-14", 4, 30, "2027-03-13"},
        {"New York, after the short day", "America/New_York", "2027-03-15", 4, 30, "2027-03-15"},
        {"Auckland sees the new year first", "Pacific/Auckland", "2026-12-31", 11, 30, "2027-01-01"},
        {"Auckland, end of a leap day", "Pacific/Auckland", "2028-02-29", 10, 30, "2028-02-29"},
        {"UTC, the turn of the year", "UTC", "2027-12-31", 23, 59, "2027-12-31"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const ZoneScope zone(c.zone);
        EXPECT_EQ(zz::formatDate(zz::localDate(utc(c.utcDate, c.hour, c.minute))), c.localDate);
    }
}

TEST(Calendar, NumbersCountDatesThroughLeapDaysAndYearEnds)
{
    const struct
    {
        const char *date;
        int number;
    } cases[] = {
        {"2026-11-30", 0}, {"2026-12-01", 1},   {"2026-12-31", 31},   {"2027-01-01", 32},
        {"2028-02-28", 455}, {"2028-02-29", 456}, {"2028-03-01", 457}, {"2036-11-30", 3653},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.date);
        EXPECT_EQ(zz::dailyNumberOf(*zz::parseDate(c.date)), c.number);
    }
    // Each date one more than the day before, over every date of the schedule.
    long long day = zz::daysFromCivil(zz::DailySchedule::FirstDay);
    for (int number = 1; number <= 4000; ++number, ++day) {
        const zz::CivilDate date = zz::civilFromDays(day);
        ASSERT_EQ(zz::dailyNumberOf(date), number) << zz::formatDate(date);
        ASSERT_EQ(zz::parseDate(zz::formatDate(date)), date);
    }
}

TEST(Calendar, ParsesOnlyRealDates)
{
    const struct
    {
        const char *text;
        bool valid;
    } cases[] = {
        {"2028-02-29", true}, {"2027-02-29", false}, {"2000-02-29", true}, {"2100-02-29", false},
        {"2027-04-31", false}, {"2027-13-01", false}, {"2027-00-10", false}, {"2027-1-01", false},
        {"2027-01-01x", false}, {"20270101", false}, {"", false}, {"2027-+1-01", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(zz::parseDate(c.text).has_value(), c.valid);
    }
    EXPECT_EQ(zz::weekdayOf(*zz::parseDate("2026-12-01")), 1);   // a Tuesday
    EXPECT_EQ(zz::weekdayOf(*zz::parseDate("2027-01-03")), 6);   // a Sunday
}
