#pragma once
// A computer player alone, without a window: `--bot`.
#include "core/names.h"
#include "store/settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zz {

inline constexpr std::string_view BotUsage =
    "usage: zigzop --bot HOST[:PORT] [--name NAME] [--speed slow|normal|fast]   (PORT: 1..65535, default 7772)\n";

struct BotArguments
{
    std::string host;
    std::uint16_t port = GamePort;
    std::string name;   // empty: one of the computer players' own names
    int intervalMs = BotSpeedNormal;
};

// Reads "--bot HOST[:PORT] [--name NAME] [--speed slow|normal|fast]", the
// options in any order; nullopt for anything else, a missing or empty value,
// or a port outside 1..65535.
std::optional<BotArguments> parseBotArguments(int argc, const char *const *argv);

// Parses the arguments, creates the application object and plays at the
// table, one line per round on standard output, until the table closes the
// connection or SIGINT, SIGTERM or SIGHUP arrives. Returns the process exit
// code: 0 then, 2 for bad arguments (the usage goes to standard error), 1
// when it could not join (no table there, the table is full, or only a
// watcher seat was free: it leaves that seat at once).
int runHeadlessBot(int argc, char **argv);

} // namespace zz
