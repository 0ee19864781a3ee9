#include "host/scoring.h"

#include <gtest/gtest.h>

namespace zz {
namespace {

TEST(Scoring, TimeBonusBandEdges)
{
    const struct
    {
        const char *name;
        int x, bonus;
    } cases[] = {{"inside the first four seconds", -1, 100},
                 {"far inside", -4, 100},
                 {"top band, first second", 0, 100},
                 {"top band, last second", 10, 100},
                 {"second band", 11, 80},
                 {"third band", 21, 60},
                 {"fourth band, last second", 60, 40},
                 {"fifth band, first second", 61, 20},
                 {"fifth band, last second", 90, 20},
                 {"after the table", 91, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(timeBonus(c.x), c.bonus);
    }
}

TEST(Scoring, EmptyBoxBonusSumsTheBoxesLeft)
{
    EXPECT_EQ(emptyBoxBonus(4), 170); // 20 + 5*15 + 5*10 + 5*5
    EXPECT_EQ(emptyBoxBonus(1), 80 + 75 + 50 + 25);
    EXPECT_EQ(emptyBoxBonus(19), 5);
    EXPECT_EQ(emptyBoxBonus(20), 0);
}

TEST(Scoring, OneLetterStepIgnoresCaseAndNeedsEqualLength)
{
    EXPECT_TRUE(changesOneLetter("cold", "CORD"));
    EXPECT_FALSE(changesOneLetter("cold", "cold"));
    EXPECT_FALSE(changesOneLetter("cold", "COLD"));
    EXPECT_FALSE(changesOneLetter("cold", "card"));
    EXPECT_FALSE(changesOneLetter("cold", "colds"));
}

TEST(Scoring, LengthModesFromTheThreeFlags)
{
    const struct
    {
        const char *three, *four, *five;
        LengthMode mode;
    } cases[] = {{"1", "1", "0", LengthMode::ThreeOrFour}, {"1", "0", "1", LengthMode::ThreeOrFive},
                 {"0", "1", "1", LengthMode::FourOrFive},  {"1", "0", "0", LengthMode::Three},
                 {"0", "0", "1", LengthMode::Five},        {"0", "1", "0", LengthMode::Four},
                 {"1", "1", "1", LengthMode::Any},         {"0", "0", "0", LengthMode::Any},
                 {"1+", "0", "0", LengthMode::Any},        {"", "", "", LengthMode::Any}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.three) + "/" + c.four + "/" + c.five);
        EXPECT_EQ(lengthMode(c.three, c.four, c.five), c.mode);
    }
    EXPECT_TRUE(lengthAllowed(LengthMode::ThreeOrFive, 5));
    EXPECT_FALSE(lengthAllowed(LengthMode::ThreeOrFive, 4));
    EXPECT_TRUE(lengthAllowed(LengthMode::Any, 3));
}

TEST(Scoring, WinnerMustExceedTheTargetAlone)
{
    EXPECT_EQ(findWinner({1000, 0, 0, 0, 0, 0}, 1000), 0); // exactly the target
    EXPECT_EQ(findWinner({1001, 0, 0, 0, 0, 0}, 1000), 1);
    EXPECT_EQ(findWinner({1100, 0, 0, 0, 1100, 0}, 1000), 0); // tie at the top
    EXPECT_EQ(findWinner({1100, 1200, 0, 0, 1100, 0}, 1000), 2);
    EXPECT_EQ(findWinner({900, 0, 1200, 0, 0, 0}, 1000), 3); // a lower seat below the target
    EXPECT_EQ(findWinner({0, 0, 0, 0, 0, 0}, -1), 0);        // everybody tied above it
}

} // namespace
} // namespace zz
