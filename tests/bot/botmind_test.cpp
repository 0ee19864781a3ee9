// The computer player's choice of words, its names and its phrase habit:
// plain rules, no sockets.
#include "bot/botmind.h"
#include "bot/botnames.h"
#include "bot/botphrases.h"
#include "core/names.h"
#include "dict/builtindata.h"
#include "dict/dictionary.h"
#include "dict/laddersolver.h"
#include "dict/wordpool.h"
#include "host/rounddraw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zz {
namespace {

BotMind freshMind()
{
    return BotMind(builtinDictionary(), builtinLadderSolver());
}

int distance(const std::string &from, const std::string &to)
{
    return builtinLadderSolver().distance(from, to).value_or(-1);
}

// Plays a round to its end, each word taken as the host would take it.
// Returns the words after the start word.
std::vector<std::string> playOut(BotMind &mind, BotRandom &random, double detourChance)
{
    std::vector<std::string> words;
    while (const std::optional<std::string> word = mind.nextWord(random, detourChance)) {
        EXPECT_TRUE(builtinDictionary().isWord(*word)) << *word;
        EXPECT_TRUE(oneLetterApart(mind.lastWord(), *word)) << mind.lastWord() << " to " << *word;
        words.push_back(*word);
        mind.accepted(*word, mind.wordCount() + 1);
    }
    return words;
}

TEST(BotMind, PlaysThePoolsRoundsToTheEndWithinTheBoxes)
{
    const WordPool pool(builtinWordPool());
    RoundDraw draw(pool, &builtinLadderSolver());
    std::mt19937 engine(7772);
    draw.setRandom([&engine](std::size_t bound) {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(engine);
    });
    BotRandom random(1);
    const struct { const char *name; double detours; } cases[] = {
        {"never wanders", 0.0}, {"wanders like a slow player", 0.22}, {"wanders whenever it can", 1.0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        for (int round = 0; round < 30; ++round) {
            const std::optional<RoundWords> words = draw.draw(LengthMode::Any);
            ASSERT_TRUE(words);
            SCOPED_TRACE(words->start + " to " + words->end);
            BotMind mind = freshMind();
            mind.startRound(words->start, words->end);
            const std::vector<std::string> ladder = playOut(mind, random, c.detours);
            EXPECT_TRUE(mind.completed());
            EXPECT_LE(mind.wordCount(), BotMind::MaxWords);
            if (c.detours == 0.0) {
                EXPECT_EQ(mind.wordCount(), distance(words->start, words->end));
            }
        }
    }
}

TEST(BotMind, PlansAgainFromTheLastAcceptedWordAfterRefusals)
{
    BotMind mind = freshMind();
    mind.startRound("COLD", "WARM");   // the host's words may come in any case
    BotRandom random(3);
    const std::string first = *mind.nextWord(random, 0.0);
    mind.accepted(first, 1);
    std::vector<std::string> refused;
    for (int k = 1; k <= BotMind::MaxRefusals; ++k) {
        SCOPED_TRACE(k);
        ASSERT_FALSE(mind.finished());
        const std::optional<std::string> word = mind.nextWord(random, 0.0);
        ASSERT_TRUE(word);
        EXPECT_TRUE(oneLetterApart(first, *word));
        EXPECT_EQ(std::count(refused.begin(), refused.end(), *word), 0) << "tried again: " << *word;
        refused.push_back(*word);
        mind.refused(*word, false);
    }
    // Too many refusals in one round: it stops rather than keep knocking.
    EXPECT_TRUE(mind.finished());
    EXPECT_FALSE(mind.nextWord(random, 0.0));

    mind.startRound("cold", "warm");
    mind.refused("cord", true);   // a full ladder
    EXPECT_TRUE(mind.finished());
    EXPECT_FALSE(mind.completed());
}

TEST(BotMind, NoDetourWhenTheBoxesHaveNoRoomForIt)
{
    // Three steps from the end with three boxes left: only a closer word fits.
    BotMind mind = freshMind();
    mind.startRound("cold", "warm");
    const std::string near = "ward";
    ASSERT_EQ(distance(near, "warm"), 1);
    mind.accepted(near, BotMind::MaxWords - 1);
    BotRandom random(5);
    for (int k = 0; k < 20; ++k)
        EXPECT_EQ(mind.nextWord(random, 1.0), "warm");

    mind.startRound("cold", "warm");
    mind.accepted("cord", BotMind::MaxWords - 3);
    ASSERT_EQ(distance("cord", "warm"), 3);
    for (int k = 0; k < 20; ++k)
        EXPECT_EQ(distance(*mind.nextWord(random, 1.0), "warm"), 2);
}

TEST(BotMind, StepsBackOutOfADeadEnd)
{
    BotMind mind = freshMind();
    ASSERT_EQ(mind.neighbours("thiol"), std::vector<std::string>{"thill"});
    mind.startRound("drill", "rhyme");
    mind.accepted("trill", 1);
    mind.accepted("thill", 2);
    mind.accepted("thiol", 3);
    BotRandom random(7);
    EXPECT_EQ(mind.nextWord(random, 0.0), "thill");
    mind.accepted("thill", 4);
    const std::vector<std::string> rest = playOut(mind, random, 0.0);
    EXPECT_TRUE(mind.completed());
}

TEST(BotMind, NothingToPlayWithoutALadder)
{
    const struct { const char *name; const char *start; const char *end; } cases[] = {
        {"lengths differ", "cold", "warms"}, {"end word unknown", "cold", "qxzv"}, {"no round yet", "", ""}};
    BotRandom random(9);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        BotMind mind = freshMind();
        mind.startRound(c.start, c.end);
        EXPECT_FALSE(mind.nextWord(random, 0.0));
    }
}

TEST(BotNames, FirstOfTheFiveNotAtTheTable)
{
    const struct { const char *name; std::vector<std::string> taken; int first; const char *expected; } cases[] = {
        {"empty table", {}, 0, "Klot"},
        {"a person", {"You"}, 0, "Klot"},
        {"Klot there", {"You", "Klot"}, 0, "Klock"},
        {"case does not matter", {"KLOT", "klock"}, 0, "Kling"},
        {"a gap is filled first", {"Klock", "Kling"}, 0, "Klot"},
        {"from the seat's own name", {}, 2, "Kling"},
        {"round again after Krazy", {"Krazy"}, 4, "Klot"},
        {"all five taken", {"Klot", "Klock", "Kling", "Klick", "Krazy"}, 1, "Klock"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(botName(c.taken, c.first), c.expected);
    }
    EXPECT_EQ(firstBotNameForSeat(1), 0);
    EXPECT_EQ(firstBotNameForSeat(3), 1);
    EXPECT_EQ(firstBotNameForSeat(6), 4);
    EXPECT_EQ(firstBotNameForSeat(7), 0);
}

TEST(PhraseHabit, RarelyAndNeverTwiceARound)
{
    PhraseHabit habit;
    BotRandom random(11);
    int roundsWithAPhrase = 0;
    constexpr int Rounds = 2000;
    for (int round = 0; round < Rounds; ++round) {
        habit.newRound();
        int said = 0;
        // Three others finish every round, and every fifth round ends a game.
        std::vector<PhraseHabit::Occasion> occasions(3, PhraseHabit::Occasion::OtherCompleted);
        if (round % 5 == 4)
            occasions.push_back(PhraseHabit::Occasion::GameOver);
        for (const auto occasion : occasions) {
            if (const auto phrase = habit.react(occasion, random)) {
                ++said;
                EXPECT_NE(std::find(std::begin(BuiltInPhrases), std::end(BuiltInPhrases), *phrase),
                          std::end(BuiltInPhrases));
            }
        }
        ASSERT_LE(said, 1);
        roundsWithAPhrase += said;
    }
    EXPECT_GT(roundsWithAPhrase, 0);
    EXPECT_LT(roundsWithAPhrase, Rounds / 5);
}

} // namespace
} // namespace zz
