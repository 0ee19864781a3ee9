#include "bot/botnames.h"

#include "core/names.h"

#include <algorithm>
#include <cctype>

namespace zz {

namespace {

constexpr int FirstBotSeat = 2;   // seat 1 owns the table and has no fallback name

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::string_view botNameAt(int index)
{
    if (index < 0 || index >= BotNameCount)
        return {};
    return FallbackSeatNames[index + FirstBotSeat];
}

std::string botName(const std::vector<std::string> &taken, int first)
{
    first = std::clamp(first, 0, BotNameCount - 1);
    for (int k = 0; k < BotNameCount; ++k) {
        const std::string_view name = botNameAt((first + k) % BotNameCount);
        const bool used =
            std::any_of(taken.begin(), taken.end(), [&](const std::string &t) { return sameName(t, name); });
        if (!used)
            return std::string(name);
    }
    return std::string(botNameAt(first));
}

int firstBotNameForSeat(int seat)
{
    const int index = seat - FirstBotSeat;
    return index >= 0 && index < BotNameCount ? index : 0;
}

} // namespace zz
