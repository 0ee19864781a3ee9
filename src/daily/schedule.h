#pragma once
// The daily puzzles: one line per day, "NUMBER YYYY-MM-DD START END PAR",
// puzzle 1 on FirstDay and one more each calendar day after it. The file
// ships with the game and only ever grows. Plain C++: no Qt.
#include "daily/calendar.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zz {

struct DailyPuzzle
{
    int number = 0;
    CivilDate date;
    std::string start;   // capitals
    std::string end;
    int par = 0;         // steps of the shortest ladder
};

class DailySchedule
{
public:
    static constexpr CivilDate FirstDay{2026, 12, 1};

    DailySchedule() = default;
    // Reads the lines in order. Reading stops at the first line that is not a
    // day in sequence (number, date, two words of equal length A..Z, par 1..99):
    // error() then names it and the schedule holds the days before it.
    explicit DailySchedule(std::string_view text);

    const std::string &error() const { return m_error; }
    const std::vector<DailyPuzzle> &days() const { return m_days; }
    // The puzzle of a date; nullopt before puzzle 1 or past the last line.
    std::optional<DailyPuzzle> puzzleOn(const CivilDate &date) const;
    std::optional<DailyPuzzle> puzzle(int number) const;

private:
    std::vector<DailyPuzzle> m_days;
    std::string m_error;
};

// The number a date has (or would have) in the schedule: 1 on FirstDay.
int dailyNumberOf(const CivilDate &date);

// The schedule compiled into the program (builtinschedule.S), read on first use.
const DailySchedule &builtinSchedule();

} // namespace zz
