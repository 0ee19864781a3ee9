#pragma once
// The names computer players take: the host's fallback names of seats 2..6,
// in that order. Plain C++: no Qt.
#include <string>
#include <string_view>
#include <vector>

namespace zz {

inline constexpr int BotNameCount = 5;

// The name at index 0..4 (Klot, Klock, Kling, Klick, Krazy); "" outside.
std::string_view botNameAt(int index);

// The first of the five names, from index first on and round again, that no
// name in taken is (case does not matter); the name at first when all five
// are taken.
std::string botName(const std::vector<std::string> &taken, int first = 0);

// Where a computer player that cannot see the table yet starts looking: its
// seat's own name for seats 2..6, else the first.
int firstBotNameForSeat(int seat);

} // namespace zz
