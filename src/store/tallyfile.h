#pragma once
// The tally file: read once at start, written back with an
// atomic save. A file that cannot be read is renamed aside and kept, never
// written over.
#include "store/tallytable.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace zz {

inline constexpr std::string_view TallyFileSuffix = "tally.tld";

// The tally file in dir: the game key followed by "tally.tld".
std::filesystem::path tallyFileIn(const std::filesystem::path &dir);

// The name a damaged file is kept under: its own name, ".damaged-" and the
// local time as YYYYMMDD-hhmmss, with "-2", "-3", ... when that name is taken.
std::filesystem::path damagedTallyName(const std::filesystem::path &file, std::chrono::system_clock::time_point when);
// Renames a damaged file to that name; the name it now has, or empty when it
// could not be moved (and so must not be overwritten either).
std::filesystem::path keepDamagedFileAside(const std::filesystem::path &file, std::chrono::system_clock::time_point when);

struct TallyLoad
{
    TallyTable table;         // session columns already back to "0"
    std::string error;        // empty when the file loaded or was missing
    std::filesystem::path keptAs; // where a damaged file went; empty when it could not be moved
    bool saveAllowed = true;  // false when a damaged file still sits at the tally's own path
};

// Loads the tally. A missing file gives an empty tally; a damaged one (the
// codec's error, or text that is not a whole table) gives an empty tally, the
// error text, and the file renamed aside. Never throws but for lack of memory.
TallyLoad loadTally(const std::filesystem::path &file,
                    std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

// Saves the tally atomically. False on failure; the previous file is then untouched.
bool saveTally(const std::filesystem::path &file, const TallyTable &table);

} // namespace zz
