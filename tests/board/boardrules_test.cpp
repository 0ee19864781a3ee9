#include "client/board/boardrules.h"

#include <gtest/gtest.h>

#include <climits>

using namespace zz::board;

TEST(BoardRules, BarStepIsAtLeastOnePixel)
{
    const struct
    {
        const char *name;
        int time, step;
    } cases[] = {{"two minutes", 120, 1},     {"one minute", 60, 2},  {"five minutes rounds down to 0", 300, 1},
                 {"exactly the bar", 176, 1}, {"one second", 1, 176}, {"zero does not divide", 0, 1},
                 {"negative", -30, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(barStep(c.time), c.step);
    }
}

TEST(BoardRules, BarWidthStaysWithinTheBar)
{
    const struct
    {
        const char *name;
        int seconds, step, width;
    } cases[] = {{"first tick of two minutes", 119, 1, 119},
                 {"capped, not 200", 100, 2, 176},
                 {"no time left", 0, 2, 0},
                 {"below zero", -3, 1, 0},
                 {"huge count does not overflow", INT_MAX, 176, 176},
                 {"bad step", 10, 0, 10}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(barWidth(c.seconds, c.step), c.width);
    }
}

TEST(BoardRules, ClockTextAndColourBand)
{
    const struct
    {
        int seconds;
        const char *text;
    } cases[] = {{119, "Time: 1:59"}, {65, "Time: 1:05"}, {600, "Time: 10:00"},
                 {9, "Time: 0:09"},   {0, "Time: 0:00"},  {-1, "Time: 0:00"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(clockText(c.seconds), QString::fromUtf8(c.text));
    }
    EXPECT_TRUE(clockIsCalm(20));
    EXPECT_FALSE(clockIsCalm(19));
}

TEST(BoardRules, BoxesFillFourRowsOfFive)
{
    const struct
    {
        int box, left, top;
    } cases[] = {{1, 14, 77}, {2, 132, 77}, {5, 483, 77}, {6, 14, 116}, {13, 250, 154}, {17, 132, 192}, {20, 483, 192}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.box);
        EXPECT_EQ(boxRect(c.box), QRect(c.left, c.top, 108, 34));
    }
    EXPECT_TRUE(boxRect(0).isNull());
    EXPECT_TRUE(boxRect(21).isNull());
}

TEST(BoardRules, EmptyBoxValuesAndMarks)
{
    const struct
    {
        int box, value;
    } values[] = {{1, 20}, {5, 20}, {6, 15}, {10, 15}, {11, 10}, {16, 5}, {20, 5}, {0, 0}};
    for (const auto &v : values) {
        SCOPED_TRACE(v.box);
        EXPECT_EQ(emptyBoxValue(v.box), v.value);
    }
    EXPECT_FALSE(hasBonusMark(1, 1)) << "box 1 never has a mark";
    EXPECT_TRUE(hasBonusMark(2, 1));
    EXPECT_FALSE(hasBonusMark(4, 5)) << "a four-word ladder";
    EXPECT_TRUE(hasBonusMark(5, 5));
    EXPECT_FALSE(hasBonusMark(20, 21)) << "a full ladder";
    EXPECT_FALSE(hasBonusMark(21, 5));
    EXPECT_TRUE(hasBonusMark(2, INT_MIN));
}

TEST(BoardRules, WinnerTextDependsOnWhoWon)
{
    EXPECT_EQ(winnerText(QStringLiteral("Ann"), true), QStringLiteral("You have Won the Game!"));
    EXPECT_EQ(winnerText(QStringLiteral("Ann"), false), QStringLiteral("Ann has Won the Game!"));
}
