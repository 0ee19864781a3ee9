#include "daily/dailyfile.h"
#include "daily/dailystats.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using Outcome = zz::DayRecord::Outcome;

zz::DayRecord record(Outcome outcome, bool onItsDay, int par, int steps)
{
    zz::DayRecord r{outcome, onItsDay, par, {}};
    for (int i = 0; i < steps; ++i)
        r.rungs.push_back("WORD");
    return r;
}

std::string readAll(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class DailyFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path()
            / ("zz-daily-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        m_file = zz::dailyFileIn(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    void write(const std::string &text) { std::ofstream(m_file, std::ios::binary) << text; }

    std::filesystem::path m_dir, m_file;
};

} // namespace

TEST(DailyStatistics, StreaksCountOnlyDaysSolvedOnTheirOwnDay)
{
    zz::DailyRecords records;
    records.days = {
        {1, record(Outcome::Solved, true, 4, 4)},   {2, record(Outcome::Solved, true, 5, 6)},
        {3, record(Outcome::Solved, true, 4, 5)},   // a run of three
        {4, record(Outcome::GaveUp, true, 5, 2)},   // breaks it
        {5, record(Outcome::Solved, true, 6, 6)},   {6, record(Outcome::Solved, false, 4, 9)},   // past: no help
        {7, record(Outcome::Solved, true, 4, 7)},   // a gap at 8
        {9, record(Outcome::Solved, true, 5, 5)},   {10, record(Outcome::Solved, true, 5, 8)},
        {11, record(Outcome::Playing, true, 5, 2)}, // not played yet
    };
    const struct
    {
        const char *name;
        int today, current;
    } cases[] = {{"today unsolved, yesterday solved", 11, 2},
                 {"solved today", 10, 2},
                 {"a day missed since", 12, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const zz::DailyStatistics stats = zz::dailyStatistics(records, c.today);
        EXPECT_EQ(stats.played, 9);
        EXPECT_EQ(stats.solved, 8);
        EXPECT_EQ(stats.notSolved, 1);
        EXPECT_EQ(stats.longestStreak, 3);
        EXPECT_EQ(stats.currentStreak, c.current);
        EXPECT_EQ(stats.atPar[0], 3);   // 1, 5, 9
        EXPECT_EQ(stats.atPar[1], 2);   // 3, 2
        EXPECT_EQ(stats.atPar[2], 0);
        EXPECT_EQ(stats.atPar[3], 3);   // 6, 7, 10
    }
    // Playing a missed day later never mends a streak.
    records.days[8] = record(Outcome::Solved, false, 5, 5);
    EXPECT_EQ(zz::dailyStatistics(records, 11).longestStreak, 3);
}

TEST(DailyRecordsText, RoundTripsAndRefusesDamage)
{
    zz::DailyRecords records;
    records.days = {{3, {Outcome::Solved, true, 4, {"CORD", "CARD", "WARD", "WARM"}}},
                    {7, {Outcome::GaveUp, false, 6, {}}},
                    {9, {Outcome::Playing, true, 5, {"HEAL"}}}};
    const std::string text = zz::dailyRecordsText(records);
    const auto back = zz::parseDailyRecords(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(zz::dailyRecordsText(*back), text);
    EXPECT_EQ(back->days.at(3).rungs.back(), "WARM");
    EXPECT_FALSE(back->days.at(7).onItsDay);

    const struct
    {
        const char *name;
        std::string text;
    } damaged[] = {
        {"empty", ""},
        {"cut short", text.substr(0, text.size() - 10)},
        {"cut inside the end line", text.substr(0, text.size() - 2)},
        {"no header", text.substr(text.find('\n') + 1)},
        {"unknown outcome", "zigzop-daily 1\n3 won day 4\nend\n"},
        {"lower-case rung", "zigzop-daily 1\n3 solved day 4 cord\nend\n"},
        {"number out of range", "zigzop-daily 1\n0 solved day 4\nend\n"},
        {"the same day twice", "zigzop-daily 1\n3 solved day 4\n3 gave-up day 4\nend\n"},
        {"binary", std::string("zigzop-daily 1\n") + '\0' + "\xff\nend\n"},
    };
    for (const auto &c : damaged) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(zz::parseDailyRecords(c.text));
    }
}

TEST(DailyRecordsText, NewerVersionIsReadForWhatItCanAndKeptWhole)
{
    const std::string text = "zigzop-daily 3\n"
                             "3 solved day 4 CORD CARD WARD WARM 17s hard-mode\n"
                             "4 solved day 5 CORD\n"
                             "streak-freeze 2\n"
                             "end\n";
    const auto records = zz::parseDailyRecords(text);
    ASSERT_TRUE(records);
    EXPECT_EQ(records->days.size(), 1u);   // day 3's line has fields this version does not know
    EXPECT_EQ(records->days.count(4), 1u);
    const std::string again = zz::dailyRecordsText(*records);
    EXPECT_EQ(again.substr(0, again.find('\n')), "zigzop-daily 3");
    EXPECT_NE(again.find("3 solved day 4 CORD CARD WARD WARM 17s hard-mode\n"), std::string::npos);
    EXPECT_NE(again.find("streak-freeze 2\n"), std::string::npos);
}

TEST_F(DailyFile, MissingStartsEmptyAndSavesRoundTrip)
{
    zz::DailyLoad load = zz::loadDailyRecords(m_file);
    EXPECT_EQ(load.error, "");
    EXPECT_TRUE(load.records.days.empty());
    load.records.days[5] = {Outcome::Solved, true, 4, {"CORD", "CARD", "WARD", "WARM"}};
    ASSERT_TRUE(zz::saveDailyRecords(m_file, load.records));
    const zz::DailyLoad again = zz::loadDailyRecords(m_file);
    EXPECT_EQ(again.error, "");
    EXPECT_EQ(again.records.days.at(5).rungs.size(), 4u);
}

TEST_F(DailyFile, DamagedFileIsKeptAsideNotOverwritten)
{
    write("zigzop-daily 1\n3 solved day 4 CORD CA");
    const zz::DailyLoad load = zz::loadDailyRecords(m_file);
    EXPECT_NE(load.error.find("damaged"), std::string::npos);
    EXPECT_TRUE(load.records.days.empty());
    ASSERT_FALSE(load.keptAs.empty());
    EXPECT_EQ(readAll(load.keptAs), "zigzop-daily 1\n3 solved day 4 CORD CA");
    EXPECT_FALSE(std::filesystem::exists(m_file));
    EXPECT_TRUE(load.saveAllowed);
    // The next load finds no file and says nothing: reported once.
    EXPECT_EQ(zz::loadDailyRecords(m_file).error, "");
}
