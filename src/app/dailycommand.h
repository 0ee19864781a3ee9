#pragma once
// `zigzop --daily [YYYY-MM-DD]`: prints a day's puzzle and ends, with no
// window and no network.
#include "daily/calendar.h"

#include <string>
#include <vector>

namespace zz {

class DailySchedule;

struct DailyAnswer
{
    int exitCode = 0;    // 0 printed, 2 a bad or unknown date
    std::string out;     // "#NUMBER YYYY-MM-DD START END par N\n"
    std::string error;   // one line for standard error
};

// args: the words after "--daily" (none for today).
DailyAnswer dailyAnswer(const DailySchedule &schedule, const std::vector<std::string> &args, const CivilDate &today);

// Reads argv, prints and returns the exit code.
int runDailyCommand(int argc, const char *const *argv);

} // namespace zz
