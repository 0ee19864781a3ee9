#include "app/dailycommand.h"

#include "daily/schedule.h"

#include <cstdio>
#include <ctime>
#include <string_view>

namespace zz {

DailyAnswer dailyAnswer(const DailySchedule &schedule, const std::vector<std::string> &args, const CivilDate &today)
{
    if (args.size() > 1)
        return {2, {}, "zigzop: --daily takes at most one date, as YYYY-MM-DD\n"};
    const std::optional<CivilDate> date = args.empty() ? std::optional(today) : parseDate(args.front());
    if (!date)
        return {2, {}, "zigzop: \"" + args.front() + "\" is not a date; write it as YYYY-MM-DD\n"};
    const std::optional<DailyPuzzle> puzzle = schedule.puzzleOn(*date);
    if (!puzzle) {
        const std::string last = schedule.days().empty() ? "" : formatDate(schedule.days().back().date);
        return {2, {}, "zigzop: there is no daily puzzle on " + formatDate(*date) + "; the schedule runs from "
                           + formatDate(DailySchedule::FirstDay) + " to " + last + "\n"};
    }
    return {0,
            "#" + std::to_string(puzzle->number) + " " + formatDate(puzzle->date) + " " + puzzle->start + " "
                + puzzle->end + " par " + std::to_string(puzzle->par) + "\n",
            {}};
}

int runDailyCommand(int argc, const char *const *argv)
{
    std::vector<std::string> args;
    bool after = false;
    for (int i = 1; i < argc; ++i) {
        if (after)
            args.emplace_back(argv[i]);
        after = after || std::string_view(argv[i]) == "--daily";
    }
    const DailyAnswer answer = dailyAnswer(builtinSchedule(), args, localDate(std::time(nullptr)));
    std::fputs(answer.out.c_str(), stdout);
    std::fputs(answer.error.c_str(), stderr);
    return answer.exitCode;
}

} // namespace zz
