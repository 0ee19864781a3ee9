#include "scoring.h"

#include <algorithm>

namespace zz {

int timeBonus(std::int64_t x)
{
    if (x <= 10)
        return 100;
    if (x <= 20)
        return 80;
    if (x <= 30)
        return 60;
    if (x <= 60)
        return 40;
    if (x <= 90)
        return 20;
    return 0;
}

int emptyBoxBonus(int wordCount)
{
    int sum = 0;
    for (int box = std::max(wordCount + 1, 1); box <= 20; ++box)
        sum += box <= 5 ? 20 : box <= 10 ? 15 : box <= 15 ? 10 : 5;
    return sum;
}

bool changesOneLetter(std::string_view from, std::string_view to)
{
    if (from.size() != to.size())
        return false;
    int differences = 0;
    for (std::size_t i = 0; i < from.size(); ++i)
        differences += toLowerAscii(from[i]) != toLowerAscii(to[i]);
    return differences == 1;
}

LengthMode lengthMode(std::string_view three, std::string_view four, std::string_view five)
{
    auto flag = [](std::string_view f) { return f == "1" ? 1 : f == "0" ? 0 : -1; };
    const int a = flag(three), b = flag(four), c = flag(five);
    if (a < 0 || b < 0 || c < 0)
        return LengthMode::Any;
    switch (a * 4 + b * 2 + c) {
    case 0b110:
        return LengthMode::ThreeOrFour;
    case 0b101:
        return LengthMode::ThreeOrFive;
    case 0b011:
        return LengthMode::FourOrFive;
    case 0b100:
        return LengthMode::Three;
    case 0b001:
        return LengthMode::Five;
    case 0b010:
        return LengthMode::Four;
    default:
        return LengthMode::Any;
    }
}

bool lengthAllowed(LengthMode mode, std::size_t length)
{
    switch (mode) {
    case LengthMode::ThreeOrFour:
        return length == 3 || length == 4;
    case LengthMode::ThreeOrFive:
        return length == 3 || length == 5;
    case LengthMode::FourOrFive:
        return length == 4 || length == 5;
    case LengthMode::Three:
        return length == 3;
    case LengthMode::Five:
        return length == 5;
    case LengthMode::Four:
        return length == 4;
    case LengthMode::Any:
        break;
    }
    return length >= 3 && length <= 5;
}

int findWinner(const std::array<int, 6> &scores, int playTo)
{
    int leader = 0;
    for (int seat = 1; seat <= 6; ++seat)
        if (scores[seat - 1] > playTo)
            leader = seat;
    if (leader == 0)
        return 0;
    for (int seat = 1; seat <= 6; ++seat)
        if (scores[seat - 1] > scores[leader - 1])
            leader = seat;
    for (int seat = 1; seat <= 6; ++seat)
        if (seat != leader && scores[seat - 1] == scores[leader - 1])
            return 0;
    return leader;
}

} // namespace zz
