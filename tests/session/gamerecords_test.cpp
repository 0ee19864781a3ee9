#include "session/gamerecords.h"

#include <gtest/gtest.h>

using namespace zz;

TEST(GameRecords, ScoresOfTwoSeats)
{
    const auto records = parseScores("1+120+50+30+40+6+2+0+0+0+0+20");
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 2);
    const ScoreRecord &first = records->at(0);
    EXPECT_EQ(first.seat, 1);
    EXPECT_EQ(first.score, 120);
    EXPECT_EQ(first.completion, 50);
    EXPECT_EQ(first.emptyBoxes, 30);
    EXPECT_EQ(first.timeBonus, 40);
    EXPECT_EQ(first.words, 6);
    EXPECT_EQ(records->at(1).seat, 2);
    EXPECT_EQ(records->at(1).words, 20);
}

TEST(GameRecords, TableWithoutPlayersPostsNothing)
{
    // The host's fixed layout when no player seat is in use.
    const auto records = parseScores("0+0+0+0");
    ASSERT_TRUE(records);
    EXPECT_TRUE(records->isEmpty());
}

TEST(GameRecords, BrokenScoresChangeNothing)
{
    EXPECT_FALSE(parseScores("1+120+50+x+40+6"));
    EXPECT_FALSE(parseScores("1+120+50"));   // truncated record
    EXPECT_FALSE(parseScores(""));
}

TEST(GameRecords, StatsForANewcomer)
{
    const auto stats = parseStats("3+cold+warm+t+1000+120+57+1+10+2+0+3+0+4+0+5+0+6+30");
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->seat, 3);
    EXPECT_EQ(stats->start, QStringLiteral("cold"));
    EXPECT_EQ(stats->end, QStringLiteral("warm"));
    EXPECT_TRUE(stats->mayPlay);
    EXPECT_EQ(stats->playTo, 1000);
    EXPECT_EQ(stats->time, 120);
    EXPECT_EQ(stats->secondsLeft, 57);
    ASSERT_EQ(stats->scores.size(), 6);
    EXPECT_EQ(stats->scores.front(), qMakePair(1, 10));
    EXPECT_EQ(stats->scores.back(), qMakePair(6, 30));

    const auto finished = parseStats("3+cold+warm+f+1000+120+57");
    ASSERT_TRUE(finished);
    EXPECT_FALSE(finished->mayPlay);
    EXPECT_TRUE(finished->scores.isEmpty());

    EXPECT_FALSE(parseStats("3+cold+warm+t+1000+soon+57"));
}

TEST(GameRecords, LadderBoxesInOrder)
{
    const auto ladder = parseLadder("2+1+cord+2+word+3+warm");
    ASSERT_TRUE(ladder);
    EXPECT_EQ(ladder->seat, 2);
    ASSERT_EQ(ladder->boxes.size(), 3);
    EXPECT_EQ(ladder->boxes.at(1), qMakePair(2, QStringLiteral("word")));

    const auto empty = parseLadder("2");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->boxes.isEmpty());

    EXPECT_FALSE(parseLadder("2+one+cord"));
}
