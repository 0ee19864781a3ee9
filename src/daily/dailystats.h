#pragma once
// The player's daily results, one record per puzzle, as text a person can
// read, and the statistics drawn from them. Plain C++: no Qt.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zz {

struct DayRecord
{
    enum class Outcome { Playing, Solved, GaveUp };
    Outcome outcome = Outcome::Playing;
    bool onItsDay = true;              // finished on the puzzle's own date
    int par = 0;
    std::vector<std::string> rungs;    // the words after the start word, capitals
};

struct DailyRecords
{
    static constexpr int Version = 1;
    int version = Version;             // a newer file's number is kept when it is saved again
    std::map<int, DayRecord> days;     // by puzzle number
    std::vector<std::string> unknownLines;   // a newer version's lines, written back as read
};

// Reads the text. nullopt when it is damaged: no header, cut short (no "end"
// line), or, in a file of this version, a line that is not a record. A file
// of a newer version gives what it can: the records it understands, the
// other lines kept aside.
std::optional<DailyRecords> parseDailyRecords(std::string_view text);
std::string dailyRecordsText(const DailyRecords &records);

struct DailyStatistics
{
    int played = 0;          // finished: solved or given up
    int solved = 0;
    int currentStreak = 0;
    int longestStreak = 0;
    int atPar[4] = {};       // par, par+1, par+2, par+3 or more
    int notSolved = 0;
};

// A streak is a run of puzzle numbers each solved on its own day; the
// current one ends today, or yesterday while today is not solved yet.
DailyStatistics dailyStatistics(const DailyRecords &records, int today);

} // namespace zz
