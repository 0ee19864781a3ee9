#pragma once
// The daily results file, kept beside the tally: read once at start, saved
// atomically after every change. A damaged file is
// renamed aside and kept, never written over. Plain C++: no Qt.
#include "daily/dailystats.h"

#include <chrono>
#include <filesystem>
#include <string>

namespace zz {

// The file in dir: the game key followed by "daily.txt".
std::filesystem::path dailyFileIn(const std::filesystem::path &dir);

struct DailyLoad
{
    DailyRecords records;
    std::string error;              // empty when the file loaded or was missing
    std::filesystem::path keptAs;   // where a damaged file went; empty when it could not be moved
    bool saveAllowed = true;        // false when a damaged file still sits at the file's own path
};

// A missing file gives no records; a damaged or unreadable one gives no
// records, the error text and the file renamed aside. Never throws but for
// lack of memory.
DailyLoad loadDailyRecords(const std::filesystem::path &file,
                           std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

// False on failure; the previous file is then untouched.
bool saveDailyRecords(const std::filesystem::path &file, const DailyRecords &records);

} // namespace zz
