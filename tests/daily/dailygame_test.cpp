#include "daily/dailygame.h"
#include "dict/builtindata.h"

#include <gtest/gtest.h>

namespace {

zz::DailyPuzzle coldWarm() { return {342, {2027, 11, 7}, "COLD", "WARM", 4}; }

} // namespace

TEST(DailyGame, RefusesEachKindOfWrongRungWithItsReason)
{
    zz::DailyGame game(coldWarm(), zz::builtinDictionary());
    ASSERT_EQ(game.submit(" cord "), zz::RungVerdict::Taken);
    const struct
    {
        const char *typed;
        zz::RungVerdict verdict;
        const char *text;
    } cases[] = {
        {"CORQ", zz::RungVerdict::NotAWord, "CORQ is not a word."},
        {"PEST", zz::RungVerdict::ChangesMoreThanOne, "PEST changes more than one letter of CORD."},
        {"QXZV", zz::RungVerdict::NotAWord, "QXZV is not a word."},
        {"c0rd", zz::RungVerdict::NotAWord, "C0RD is not a word."},
        {"CORDS", zz::RungVerdict::WrongLength, "CORDS is not the right length: the words here have 4 letters."},
        {"WORM", zz::RungVerdict::ChangesMoreThanOne, "WORM changes more than one letter of CORD."},
        {"COLD", zz::RungVerdict::AlreadyUsed, "COLD is already used in this ladder."},
        {"cord", zz::RungVerdict::AlreadyUsed, "CORD is already used in this ladder."},
        {"  ", zz::RungVerdict::Empty, "Type a word of 4 letters first."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(game.submit(c.typed), c.verdict);
        EXPECT_EQ(zz::verdictText(c.verdict, c.typed, game), c.text);
    }
    EXPECT_EQ(game.rungs(), std::vector<std::string>{"CORD"});
}

TEST(DailyGame, UndoStartOverAndSolving)
{
    zz::DailyGame game(coldWarm(), zz::builtinDictionary());
    EXPECT_FALSE(game.undo());
    game.replay({"CORD", "WORD", "PEST", "WARD"});   // stops at the refused word
    EXPECT_EQ(game.rungs(), (std::vector<std::string>{"CORD", "WORD"}));
    EXPECT_TRUE(game.undo());
    EXPECT_EQ(game.lastWord(), "CORD");
    game.startOver();
    EXPECT_TRUE(game.rungs().empty());
    game.replay({"CORD", "CARD", "WARD", "WARM"});
    EXPECT_EQ(game.state(), zz::DailyGame::State::Solved);
    EXPECT_EQ(game.steps(), 4);
    // A finished play changes no more.
    EXPECT_EQ(game.submit("WARD"), zz::RungVerdict::Finished);
    EXPECT_FALSE(game.undo());
    game.giveUp();
    EXPECT_EQ(game.state(), zz::DailyGame::State::Solved);
}

TEST(DailyGame, ShareTextGivesNoWordAway)
{
    zz::DailyGame game(coldWarm(), zz::builtinDictionary());
    game.replay({"CORD", "WORD", "WORM", "WARM"});
    const std::string green = "\xF0\x9F\x9F\xA9", white = "\xE2\xAC\x9C";
    const std::string want = "Zig Zop Daily #342 \xC2\xB7 4 steps (par 4)\n"
        + white + white + green + white + "\n"      // CORD
        + green + white + green + white + "\n"      // WORD
        + green + white + green + green + "\n"      // WORM
        + green + green + green + green + "\n";     // WARM
    EXPECT_EQ(zz::shareText(game), want);
    for (const char *word : {"COLD", "CORD", "WORD", "WORM", "WARM"})
        EXPECT_EQ(zz::shareText(game).find(word), std::string::npos) << word;

    zz::DailyGame given(coldWarm(), zz::builtinDictionary());
    given.replay({"CORD"});
    given.giveUp();
    EXPECT_EQ(zz::shareText(given), "Zig Zop Daily #342 \xC2\xB7 not solved (par 4)\n" + white + white + green + white + "\n");
}

TEST(DailyGame, MarksLettersInPlace)
{
    EXPECT_EQ(zz::lettersInPlace("WORD", "warm"), (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(zz::lettersInPlace("WORDS", "WARM"), (std::vector<bool>{true, false, true, false, false}));
}
