// A round's ladders: words kept in lower case, bonuses, the first finisher.
#include "host/roundladders.h"

#include <gtest/gtest.h>

namespace zz {
namespace {

using Boxes = std::vector<std::pair<int, std::string>>;

TEST(RoundLadders, FirstToCompleteKeepsTheResultsWhateverCase)
{
    RoundLadders round;
    round.setWords("cold", "warm");
    EXPECT_FALSE(round.addWord(2, "CORD"));
    EXPECT_EQ(round.lastWord(2), "cord");
    EXPECT_TRUE(round.addWord(2, "Warm"));
    round.complete(2, -3); // inside the first four seconds: the top band
    for (const char *word : {"cord", "card", "ward", "warm"})
        round.addWord(1, word);
    round.complete(1, 95); // after the time bonus table
    EXPECT_EQ(round.firstFinisher(), 2);
    EXPECT_EQ(round.firstFinisherBoxes(), (Boxes{{1, "cord"}, {2, "warm"}}));

    const struct
    {
        int seat, points, completion, emptyBoxes, timeBonus, words;
    } cases[] = {{2, 310, 50, 210, 100, 2}, {1, 170, 50, 170, 0, 4}, {3, 0, 0, 0, 0, 0}, {7, 0, 0, 0, 0, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.seat);
        // The completion bonus is shown but never counted.
        EXPECT_EQ(round.points(c.seat), c.points);
        const wire::ScoreLine line = round.scoreLine(c.seat, 7);
        EXPECT_EQ(line.seat, c.seat);
        EXPECT_EQ(line.score, 7);
        EXPECT_EQ(line.completion, c.completion);
        EXPECT_EQ(line.emptyBoxes, c.emptyBoxes);
        EXPECT_EQ(line.timeBonus, c.timeBonus);
        EXPECT_EQ(line.words, c.words);
    }
}

TEST(RoundLadders, TwentiethWordFillsTheLadderAndANewRoundEmptiesIt)
{
    RoundLadders round;
    round.setWords("cold", "warm");
    for (int i = 0; i < 25; ++i)
        round.addWord(3, i % 2 ? "cold" : "colt");
    EXPECT_EQ(round.wordCount(3), RoundLadders::MaxWords);
    EXPECT_TRUE(round.full(3));
    EXPECT_EQ(round.lastWord(3), "cold"); // the 20th, not one past it
    EXPECT_FALSE(round.addWord(9, "colt"));
    EXPECT_TRUE(round.firstFinisherBoxes().empty());

    round.complete(3, 0);
    round.reset();
    EXPECT_EQ(round.wordCount(3), 0);
    EXPECT_EQ(round.firstFinisher(), 0);
    EXPECT_EQ(round.points(3), 0);
    EXPECT_EQ(round.startWord(), "cold"); // until the next round's words are drawn
    round.setWords("cat", "dog");
    EXPECT_EQ(round.lastWord(3), "cat");
}

} // namespace
} // namespace zz
