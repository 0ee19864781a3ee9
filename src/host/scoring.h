#pragma once
// The game's pure rules: bonuses, the one-letter step, the length modes and
// the winner check. Plain C++: no Qt, no state.
#include "core/asciitext.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zz {

// Points for completing a ladder x whole seconds after the round's first four
// (x = time per turn - clock counter). A finish inside those four seconds
// (x < 0) earns the top band: the fastest finisher must not score least.
int timeBonus(std::int64_t x);

// The sum of the values of boxes wordCount+1 .. 20; 0 when all 20 are used.
int emptyBoxBonus(int wordCount);

// True when the words have equal length and differ, ignoring ASCII case, in
// exactly one position. Words of different length never qualify.
bool changesOneLetter(std::string_view from, std::string_view to);

// The word lengths a game may draw, from the start request's three flags.
// Each flag counts only as exactly "1" or "0"; anything else gives mode 1.
enum class LengthMode { Any = 1, ThreeOrFour, ThreeOrFive, FourOrFive, Three, Five, Four };
LengthMode lengthMode(std::string_view three, std::string_view four, std::string_view five);
bool lengthAllowed(LengthMode mode, std::size_t length);

// The seat (1..6) whose score alone is the highest and exceeds playTo, or 0:
// nobody above the target, or a tie at the top.
int findWinner(const std::array<int, 6> &scores, int playTo);


} // namespace zz
