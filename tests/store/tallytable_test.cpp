#include "store/tallytable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zz;

namespace {

// The text form from a list of lines, each ended by CR LF.
std::string lines(const std::vector<std::string> &cells)
{
    std::string text;
    for (const std::string &cell : cells)
        text += cell + "\r\n";
    return text;
}

// A tally with the given players followed, every count 0.
TallyTable following(const std::vector<std::string> &names)
{
    TallyTable table;
    for (const std::string &name : names)
        EXPECT_TRUE(table.addPlayer(name));
    return table;
}

std::vector<int> counts(const TallyTable &table, int row)
{
    std::vector<int> values;
    for (int column = 1; column < TallyTable::ColumnCount; ++column)
        values.push_back(table.count(column, row));
    return values;
}

TEST(TallyTable, OwnWinWithNobodyFollowedIsTheElevenLines)
{
    TallyTable table;
    table.addGame(TallyOwnWin, {"Ann", "Bo"});
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.toText(), lines({"9", "1", "0", "1", "1", "0", "0", "0", "0", "0", "0"}));
}

TEST(TallyTable, CellsRunColumnByColumn)
{
    TallyTable table = following({"Ann", "Bo"});
    table.addGame("Bo", {"Ann", "Bo"});
    EXPECT_EQ(table.toText(), lines({"9", "3", "0", "Ann", "Bo", "1", "1", "1", "0", "0", "1", "0", "0", "0", "0",
                                     "1", "0", "0", "1", "1", "0", "0", "1", "0", "0", "0", "0", "1", "0"}));
    EXPECT_EQ(table.cell(TallyTable::TheirWins, 2), "1");
    EXPECT_EQ(table.cell(TallyTable::NeitherWon, 1), "1");
}

TEST(TallyTable, TextRoundTripsByteForByte)
{
    // Odd cells are kept as they are: blanks, signs, hex, a lone CR inside a name.
    std::vector<std::string> cells = {"9", "3", "0", "M\xE9lanie", "a b\rc"};
    const char *rest[] = {"12", "$A", "", "7", "-2", "x", "", "", "", "0", "0", "0", "0", "0", "0",
                          "0",  "0",  "0", "0", "0",  "0", "0", "0", "0"};
    cells.insert(cells.end(), std::begin(rest), std::end(rest));
    const std::string text = lines(cells);
    const auto table = TallyTable::fromText(text);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->toText(), text);
    EXPECT_EQ(table->cell(0, 1), "M\xE9lanie");
    EXPECT_EQ(table->cell(0, 2), "a b\rc");
}

TEST(TallyTable, AcceptsLinesEndedByLineFeedAlone)
{
    const auto table = TallyTable::fromText("9\n1\n0\n4\n2\n0\n0\n0\n0\n0\n0");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->count(TallyTable::OwnGames, 0), 4);
    EXPECT_EQ(table->toText(), lines({"9", "1", "0", "4", "2", "0", "0", "0", "0", "0", "0"}));
}

TEST(TallyTable, LinesAfterTheCellsAreNotPartOfTheTable)
{
    const std::string good = lines({"9", "1", "0", "3", "2", "0", "0", "0", "0", "0", "0"});
    const struct { const char *name; std::string text; } cases[] = {
        {"an empty line", good + "\r\n"},
        {"one more cell", good + "7\r\n"},
        {"a line without its end", good + "junk"},
        {"several lines", good + "a\r\nb\r\n\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto table = TallyTable::fromText(c.text);
        ASSERT_TRUE(table);
        EXPECT_EQ(table->count(TallyTable::OwnGames, 0), 3);
        EXPECT_EQ(table->count(TallyTable::OwnWins, 0), 2);
        EXPECT_EQ(table->toText(), good);
    }
}

TEST(TallyTable, RefusesDamagedOrInconsistentText)
{
    const std::string good = lines({"9", "1", "0", "1", "1", "0", "0", "0", "0", "0", "0"});
    const struct { const char *name; std::string text; } cases[] = {
        {"empty", ""},
        {"counts only", lines({"9", "1"})},
        {"one cell short", good.substr(0, good.size() - 3)},
        {"eight columns", lines({"8", "1", "0", "1", "1", "0", "0", "0", "0", "0"})},
        {"no rows", lines({"9", "0"})},
        {"negative rows", lines({"9", "-1"})},
        {"rows not a number", lines({"9", "one", "0", "1", "1", "0", "0", "0", "0", "0", "0"})},
        {"rows past the lines", lines({"9", "2", "0", "1", "1", "0", "0", "0", "0", "0", "0"})},
        {"huge row count", lines({"9", "2147483647", "0"})},
        {"binary", std::string("\x00\xff\x01", 3)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(TallyTable::fromText(c.text));
    }
}

TEST(TallyTable, EmptyOrNonNumberCellsCountAsZero)
{
    auto table = TallyTable::fromText(lines({"9", "2", "0", "Ann", "", "x", "", "12abc", "", "", "", " 3", "",
                                             "", "", "", "", "", "", ""}));
    ASSERT_TRUE(table);
    EXPECT_EQ(table->addit(TallyTable::OwnGames, 0), 1);
    EXPECT_EQ(table->addit(TallyTable::Games, 1), 1);    // "x"
    EXPECT_EQ(table->addit(TallyTable::TheirWins, 1), 1); // "12abc"
    EXPECT_EQ(table->cell(TallyTable::TheirWins, 1), "1");
}

TEST(TallyTable, AFullCounterStaysFull)
{
    auto table = TallyTable::fromText(lines({"9", "1", "0", "2147483647", "0", "0", "0", "0", "0", "0", "0"}));
    ASSERT_TRUE(table);
    EXPECT_EQ(table->addit(TallyTable::OwnGames, 0), 2147483647);
}

TEST(TallyTable, AGameCountsForEachFollowedPlayerInIt)
{
    using Counts = std::vector<int>;
    const Counts neitherWon{1, 0, 0, 1, 1, 0, 0, 1};
    const Counts theyWon{1, 1, 0, 0, 1, 1, 0, 0};
    const struct
    {
        const char *name;
        std::vector<std::string> following;
        std::string_view winner;
        std::vector<std::string> inGame;
        std::vector<std::pair<int, Counts>> rows;
    } cases[] = {
        {"a followed winner gains a win, the others in the game neither, those away nothing",
         {"Ann", "Bo", "Cy"}, "Bo", {"Ann", "Bo", "Dee"},
         {{0, {1, 0, 0, 0, 0, 0, 0, 0}}, {1, neitherWon}, {2, theyWon}, {3, Counts(8, 0)}}},
        {"an own win is a your-win for each followed player in the game", {"Ann", "Bo"}, TallyOwnWin,
         {"Bo", "Ann"}, {{1, {1, 0, 1, 0, 1, 0, 1, 0}}, {2, {1, 0, 1, 0, 1, 0, 1, 0}}}},
        {"a winner nobody follows", {"Ann"}, "Zed", {"Ann", "Zed"}, {{1, neitherWon}}},
        {"a followed name in other case is found, but its win counts as neither", {"BoB"}, "BOB", {"BOB"},
         {{1, neitherWon}}},
        {"two seats differing in case count one game", {"Bob"}, "Bob", {"Bob", "BOB"}, {{1, theyWon}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TallyTable table = following(c.following);
        table.addGame(c.winner, c.inGame);
        EXPECT_EQ(table.rowCount(), static_cast<int>(c.following.size()) + 1);
        for (const auto &[row, expected] : c.rows)
            EXPECT_EQ(counts(table, row), expected) << "row " << row;
    }
}

TEST(TallyTable, EmptyCountCellsOfAPlayedRowBecomeZero)
{
    auto table = TallyTable::fromText(lines({"9", "2", "0", "Ann", "0", "", "0", "", "0", "", "0", "", "0",
                                             "", "0", "", "0", "", "0", ""}));
    ASSERT_TRUE(table);
    table->addGame("Zed", {"Ann"});
    EXPECT_EQ(table->cell(TallyTable::TheirWins, 1), "0");
    EXPECT_EQ(table->cell(TallyTable::YourWins + TallyTable::SessionOffset, 1), "0");
    EXPECT_EQ(counts(*table, 1), (std::vector<int>{1, 0, 0, 1, 1, 0, 0, 1}));
}

TEST(TallyTable, NoSecondRowForAFollowedNameAndNoLineBreaks)
{
    TallyTable table = following({"Ann"});
    // A line break in a name would leave the file unreadable.
    for (const char *name : {"ANN", "Ann", "Ann\nBo", "Ann\r"})
        EXPECT_FALSE(table.addPlayer(name)) << name;
    EXPECT_EQ(table.rowCount(), 2);
}

TEST(TallyTable, CaseInsensitiveSearchCoversAccentedLetters)
{
    TallyTable table = following({"\xC9mile", "\x8A" "a"});   // Émile, Ša
    EXPECT_EQ(table.findPlayer("\xE9MILE"), 1);
    EXPECT_EQ(table.findPlayer("\x9A" "A"), 2);
    EXPECT_FALSE(table.findPlayer("\xD7"));                // the multiplication sign has no case
}

TEST(TallyTable, RemovingARowMovesTheRowsBelowUp)
{
    TallyTable table = following({"Ann", "Bo", "Cy"});
    table.addGame("Cy", {"Cy"});
    ASSERT_TRUE(table.removePlayer(2));
    EXPECT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.cell(0, 2), "Cy");
    EXPECT_EQ(table.count(TallyTable::TheirWins, 2), 1);
    EXPECT_FALSE(table.removePlayer(0));
    EXPECT_FALSE(table.removePlayer(3));
}

TEST(TallyTable, DeletingTheLastTalliedPlayerLeavesRowZeroAlone)
{
    TallyTable table = following({"Ann"});
    table.addGame(TallyOwnWin, {"Ann"});
    ASSERT_TRUE(table.removePlayer(1));
    EXPECT_EQ(table.toText(), lines({"9", "1", "0", "1", "1", "0", "0", "0", "0", "0", "0"}));
}

TEST(TallyTable, ResetLeavesRowZeroAtZeroEvenWithPlayers)
{
    TallyTable table = following({"Ann", "Bo"});
    table.addGame(TallyOwnWin, {"Ann"});
    table.reset();
    EXPECT_EQ(table.toText(), lines({"9", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
}

TEST(TallyTable, NewSessionZeroesSessionColumnsAndKeepsTotals)
{
    TallyTable table = following({"Ann"});
    table.addGame("Ann", {"Ann"});
    table.addGame(TallyOwnWin, {"Ann"});
    auto reread = TallyTable::fromText(table.toText());
    ASSERT_TRUE(reread);
    reread->startSession();
    EXPECT_EQ(counts(*reread, 1), (std::vector<int>{2, 1, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(counts(*reread, 0), (std::vector<int>{2, 1, 0, 0, 0, 0, 0, 0}));
}

} // namespace
