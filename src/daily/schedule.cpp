#include "daily/schedule.h"

#include <charconv>

extern "C" {
extern const char zz_daily_txt_begin[];
extern const char zz_daily_txt_end[];
}

namespace zz {

namespace {

std::string_view takeWord(std::string_view &rest)
{
    const std::size_t space = rest.find(' ');
    const std::string_view word = rest.substr(0, space);
    rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    return word;
}

std::optional<int> toNumber(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

bool isCapitalWord(std::string_view word)
{
    if (word.size() < 2 || word.size() > 14)
        return false;
    for (const char c : word)
        if (c < 'A' || c > 'Z')
            return false;
    return true;
}

std::optional<DailyPuzzle> parseLine(std::string_view line)
{
    const auto number = toNumber(takeWord(line));
    const auto date = parseDate(takeWord(line));
    const std::string_view start = takeWord(line);
    const std::string_view end = takeWord(line);
    const auto par = toNumber(takeWord(line));
    if (!number || !date || !par || !line.empty() || !isCapitalWord(start) || !isCapitalWord(end)
        || start.size() != end.size() || *par < 1 || *par > 99)
        return std::nullopt;
    return DailyPuzzle{*number, *date, std::string(start), std::string(end), *par};
}

} // namespace

int dailyNumberOf(const CivilDate &date)
{
    return static_cast<int>(daysFromCivil(date) - daysFromCivil(DailySchedule::FirstDay) + 1);
}

DailySchedule::DailySchedule(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
        const int expected = static_cast<int>(m_days.size()) + 1;
        const std::optional<DailyPuzzle> day = parseLine(line);
        if (!day || day->number != expected || dailyNumberOf(day->date) != expected) {
            m_error = "line " + std::to_string(expected) + " is not puzzle " + std::to_string(expected);
            return;
        }
        m_days.push_back(*day);
    }
}

std::optional<DailyPuzzle> DailySchedule::puzzle(int number) const
{
    if (number < 1 || number > static_cast<int>(m_days.size()))
        return std::nullopt;
    return m_days[static_cast<std::size_t>(number - 1)];
}

std::optional<DailyPuzzle> DailySchedule::puzzleOn(const CivilDate &date) const
{
    const long long number = daysFromCivil(date) - daysFromCivil(FirstDay) + 1;
    if (number < 1 || number > static_cast<long long>(m_days.size()))
        return std::nullopt;
    return m_days[static_cast<std::size_t>(number - 1)];
}

const DailySchedule &builtinSchedule()
{
    static const DailySchedule schedule(std::string_view(
        zz_daily_txt_begin, static_cast<std::size_t>(zz_daily_txt_end - zz_daily_txt_begin)));
    return schedule;
}

} // namespace zz
