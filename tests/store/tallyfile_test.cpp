#include "store/tallyfile.h"
#include "support/files.h"

#include "store/tallycodec.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

using namespace zz;
namespace fs = std::filesystem;

namespace {

class TallyFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = test::freshTestFolder("zz_tallyfile_");
        file = tallyFileIn(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    void put(const std::string &bytes) const { std::ofstream(file, std::ios::binary) << bytes; }
    static std::string bytesOf(const fs::path &path) { return test::fileBytes(path); }
    int filesInDir() const { return test::entriesIn(dir); }

    fs::path dir;
    fs::path file;
};

TallyTable sample()
{
    TallyTable table;
    table.addPlayer("Ann");
    table.addGame("Ann", {"Ann"});
    table.addGame(TallyOwnWin, {"Ann"});
    return table;
}

TEST_F(TallyFileTest, MissingFileGivesAnEmptyTallyAndNoMessage)
{
    const TallyLoad load = loadTally(file);
    EXPECT_TRUE(load.error.empty());
    EXPECT_TRUE(load.saveAllowed);
    EXPECT_EQ(load.table.rowCount(), 1);
    EXPECT_EQ(filesInDir(), 0);
}

TEST_F(TallyFileTest, SavedTallyLoadsWithTotalsKeptAndSessionZeroed)
{
    ASSERT_TRUE(saveTally(file, sample()));
    const TallyLoad load = loadTally(file);
    ASSERT_TRUE(load.error.empty()) << load.error;
    EXPECT_EQ(load.table.cell(0, 1), "Ann");
    EXPECT_EQ(load.table.count(TallyTable::Games, 1), 2);
    EXPECT_EQ(load.table.count(TallyTable::Games + TallyTable::SessionOffset, 1), 0);
    EXPECT_EQ(load.table.count(TallyTable::OwnWins, 0), 1);
    EXPECT_EQ(filesInDir(), 1); // no working copy left behind
}

TEST_F(TallyFileTest, FileIsThePackedTextForm)
{
    ASSERT_TRUE(saveTally(file, sample()));
    EXPECT_EQ(decompressTally(bytesOf(file)), sample().toText());
}

TEST_F(TallyFileTest, LineAfterTheCellsLoadsInPlaceAndIsNotKeptAside)
{
    put(compressTally(sample().toText() + "\r\n"));
    const TallyLoad load = loadTally(file);
    EXPECT_TRUE(load.error.empty()) << load.error;
    EXPECT_TRUE(load.keptAs.empty());
    EXPECT_EQ(load.table.count(TallyTable::Games, 1), 2);
    EXPECT_EQ(filesInDir(), 1);
}

TEST_F(TallyFileTest, FileThatDoesNotUnpackIsKeptAsideAndReported)
{
    put("not a tally file");
    const auto when = std::chrono::system_clock::now();
    const TallyLoad load = loadTally(file, when);
    EXPECT_EQ(load.error, file.string() + " : Lzrw1 decompression : this file has no valid header !");
    EXPECT_EQ(load.table.rowCount(), 1);
    ASSERT_FALSE(load.keptAs.empty());
    EXPECT_EQ(bytesOf(load.keptAs), "not a tally file");
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(load.saveAllowed);

    // The next save makes a new file and leaves the damaged one alone.
    ASSERT_TRUE(saveTally(file, sample()));
    EXPECT_EQ(bytesOf(load.keptAs), "not a tally file");
}

TEST_F(TallyFileTest, PackedTextThatIsNotATableIsKeptAsideWithNothingLoaded)
{
    // Cut short after Ann's row began: none of it may count.
    const std::string text = sample().toText();
    const std::string packed = compressTally(text.substr(0, text.size() / 2));
    put(packed);
    const TallyLoad load = loadTally(file);
    EXPECT_FALSE(load.error.empty());
    EXPECT_EQ(load.table.rowCount(), 1);
    EXPECT_EQ(load.table.count(TallyTable::OwnGames, 0), 0);
    EXPECT_EQ(bytesOf(load.keptAs), packed);
}

TEST_F(TallyFileTest, DamagedNameCarriesTheTimeAndNeverReusesAName)
{
    std::tm moment{};
    moment.tm_year = 2024 - 1900;
    moment.tm_mon = 2;
    moment.tm_mday = 7;
    moment.tm_hour = 9;
    moment.tm_min = 5;
    moment.tm_sec = 3;
    moment.tm_isdst = -1;
    const auto when = std::chrono::system_clock::from_time_t(std::mktime(&moment));
    const fs::path first = damagedTallyName(file, when);
    EXPECT_EQ(first.filename().string(), "Zigzoptally.tld.damaged-20240307-090503");
    std::ofstream(first) << "x";
    EXPECT_EQ(damagedTallyName(file, when).filename().string(), "Zigzoptally.tld.damaged-20240307-090503-2");
}

TEST_F(TallyFileTest, DamagedFileThatCannotBeMovedIsNeverWrittenOver)
{
    put("damaged");
    // Every name it could be kept under is taken.
    const auto when = std::chrono::system_clock::now();
    const std::string base = damagedTallyName(file, when).string();
    std::ofstream(base) << "";
    for (int n = 2; n <= 1000; ++n)
        std::ofstream(base + "-" + std::to_string(n)) << "";
    const TallyLoad load = loadTally(file, when);
    EXPECT_FALSE(load.error.empty());
    EXPECT_TRUE(load.keptAs.empty());
    EXPECT_FALSE(load.saveAllowed);
    EXPECT_EQ(bytesOf(file), "damaged");
}

#if defined(__unix__)
// Even root cannot write past the file-size limit, so this fails for everyone.
TEST_F(TallyFileTest, FailedSaveLeavesThePreviousFile)
{
    TallyTable big;
    for (int i = 0; i < 300; ++i)
        big.addPlayer("Player number " + std::to_string(i * 7919));
    ASSERT_TRUE(saveTally(file, sample()));
    const std::string before = bytesOf(file);

    bool saved = true;
    {
        const test::FileSizeLimit limit(before.size() + 16);
        ASSERT_TRUE(limit.set());
        saved = saveTally(file, big);
    }

    EXPECT_FALSE(saved);
    EXPECT_EQ(bytesOf(file), before);
    EXPECT_EQ(filesInDir(), 1); // no half-written temporary left
}
#endif

TEST_F(TallyFileTest, SaveIntoAMissingFolderFails)
{
    EXPECT_FALSE(saveTally(dir / "gone" / "Zigzoptally.tld", sample()));
}

} // namespace
