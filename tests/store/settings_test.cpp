#include "store/settings.h"

#include "core/names.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace zz;

namespace {

LoadedSettings load(const std::string &keys)
{
    return readSettings(IniFile("[Zigzop]\n" + keys));
}

class SettingsFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = test::freshTestFolder("zz_settings_");
        path = dir / std::string(setting::FileName);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
    std::filesystem::path path;
};

} // namespace

TEST(Settings, OnlyTheGameSectionCounts)
{
    const LoadedSettings s = readSettings(IniFile("[Other]\nTextsize=12\nBotspeed=500\n"));
    EXPECT_EQ(s.textSize, 8);
    EXPECT_EQ(s.botSpeed, BotSpeedNormal);
}

TEST(Settings, UnusableNumbersGiveTheirDefaults)
{
    const LoadedSettings s = load("Textsize=big\nTop=x\nLeft=$10\nWidth=\nHeight=99999999999\n");
    EXPECT_EQ(s.textSize, 8);
    EXPECT_EQ(s.bounds, (WindowBounds{3, 16, 775, 575}));
    EXPECT_EQ(load("Textsize=9\n").textSize, 9);
    EXPECT_EQ(load("Textsize=0\n").textSize, 8);
    EXPECT_EQ(load("Textsize=-4\n").textSize, 8);
    EXPECT_EQ(load("Textsize=100000\n").textSize, 8);
}

TEST(Settings, TextColourFallsBackToBlack)
{
    EXPECT_EQ(load("Textcolor=clNavy\n").textColour, colour::Navy);
    EXPECT_EQ(load("Textcolor=$000000FF\n").textColour, colour::Red);
    EXPECT_EQ(load("Textcolor=mauve\n").textColour, colour::Black);
    EXPECT_EQ(load("Textcolor=\n").textColour, colour::Black);
}

TEST(Settings, EmptyOrOddGameOptionsLeaveOrSelect)
{
    const LoadedSettings empty = load("Playtoscore=\nTimeperturn=soon\nThree=\nFour=abc\nFive=0\n");
    EXPECT_EQ(empty.playTo, std::nullopt);
    EXPECT_EQ(empty.timePerTurn, std::nullopt);
    EXPECT_EQ(empty.letterBoxes[0], std::nullopt);   // Three= leaves the choice
    EXPECT_EQ(empty.letterBoxes[1], 1);              // Four=abc selects
    EXPECT_EQ(empty.letterBoxes[2], 0);
    EXPECT_EQ(load("Three=abc\n").letterBoxes[0], 1);
    EXPECT_EQ(load("Three=7\n").letterBoxes[0], 7);   // the dialog refuses states other than 0 and 1
    EXPECT_EQ(load("Playtoscore=2500\n").playTo, 2500);
}

TEST(Settings, ExactComparisonsForSpeedSoundAndFlags)
{
    const struct
    {
        const char *keys;
        int botSpeed, turnSound;
        bool playSounds, playerPhraseSounds;
    } cases[] = {
        {"Botspeed=2000\n", 2000, 0, true, true},
        {"Botspeed=500\n", 500, 0, true, true},
        {"Botspeed=fast\n", 1000, 0, true, true},
        {"Botspeed=0500\n", 1000, 0, true, true},
        {"Turnsound=1\n", 1000, 1, true, true},
        {"Turnsound=01\n", 1000, 0, true, true},
        {"Playsounds=false\n", 1000, 0, false, true},
        {"Playsounds=False\n", 1000, 0, true, true},
        {"Playsounds=\n", 1000, 0, true, true},
        {"Playerphrasesounds=false\n", 1000, 0, true, false},
        {"Playerphrasesounds=FALSE\n", 1000, 0, true, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.keys);
        const LoadedSettings s = load(c.keys);
        EXPECT_EQ(s.botSpeed, c.botSpeed);
        EXPECT_EQ(s.turnSound, c.turnSound);
        EXPECT_EQ(s.playSounds, c.playSounds);
        EXPECT_EQ(s.playerPhraseSounds, c.playerPhraseSounds);
    }
}

TEST(Settings, PhrasesAreReadByNumber)
{
    const LoadedSettings s = load("Phrase1=/me dances\nphrase9=Bye=now\nPhrase10=ignored\nPhrase0=ignored\n");
    EXPECT_EQ(s.phrases[0], "/me dances");
    EXPECT_EQ(s.phrases[8], "Bye=now");
    EXPECT_EQ(s.phrases[1], "");
}

TEST(Settings, SavingWritesEveryKeyButThePhrasesInOrder)
{
    IniFile ini;
    SavedSettings s;
    s.textSize = 12;
    s.bounds = {10, 20, 800, 600};
    s.textColour = colour::Navy;
    s.letterBoxes = {1, 0, 1};
    s.botSpeed = BotSpeedFast;
    s.turnSound = 1;
    s.playSounds = false;
    writeSettings(ini, s);
    EXPECT_EQ(ini.text(), "[Zigzop]\r\nTextsize=12\r\nTop=10\r\nLeft=20\r\nWidth=800\r\nHeight=600\r\n"
                          "Textcolor=clNavy\r\nPlaytoscore=1000\r\nTimeperturn=120\r\nThree=1\r\nFour=0\r\n"
                          "Five=1\r\nBotspeed=500\r\nTurnsound=1\r\nPlayerphrasesounds=true\r\n"
                          "Playsounds=false\r\n");
}

TEST(Settings, ChangedSettingsWriteOnlyTheKeysThatDiffer)
{
    IniFile ini("[Zigzop]\nTextsize=14\nBotspeed=2000\n");
    SavedSettings before;
    SavedSettings after = before;
    after.botSpeed = BotSpeedFast;
    after.textColour = colour::Navy;   // no colour before: a change too
    after.bounds.width = 900;
    writeChangedSettings(ini, before, after);
    EXPECT_EQ(ini.text(), "[Zigzop]\nTextsize=14\nBotspeed=500\nWidth=900\nTextcolor=clNavy\n");
    writeChangedSettings(ini, after, after);
    EXPECT_EQ(ini.text(), "[Zigzop]\nTextsize=14\nBotspeed=500\nWidth=900\nTextcolor=clNavy\n");
}

TEST(Settings, SavedValuesLoadBackAndKeepForeignLines)
{
    IniFile ini("[Zigzop]\nPhrase2=kept\nTextsize=14\n[Mine]\nx=1\n");
    SavedSettings s;
    s.textSize = 10;
    s.bounds = {-5, 7, 900, 640};
    s.textColour = 0x123456;
    s.botSpeed = BotSpeedSlow;
    s.playerPhraseSounds = false;
    writeSettings(ini, s);
    const LoadedSettings back = readSettings(IniFile(ini.text()));
    EXPECT_EQ(back.textSize, 10);
    EXPECT_EQ(back.bounds, s.bounds);
    EXPECT_EQ(back.textColour, 0x123456u);
    EXPECT_EQ(back.botSpeed, BotSpeedSlow);
    EXPECT_FALSE(back.playerPhraseSounds);
    EXPECT_EQ(back.phrases[1], "kept");
    EXPECT_EQ(IniFile(ini.text()).value("Mine", "x"), "1");
}

TEST(Settings, SkippedColourKeepsTheStoredOne)
{
    IniFile ini("[Zigzop]\nTextcolor=clRed\n");
    writeSettings(ini, SavedSettings{});
    EXPECT_EQ(ini.value("Zigzop", "Textcolor"), "clRed");
}

TEST(Settings, PhrasesAreWrittenEvenWhenEmpty)
{
    IniFile ini("[Zigzop]\nPhrase3=old\n");
    std::array<std::string, PhraseKeyCount> phrases{};
    phrases[0] = "/me waves";
    writePhrases(ini, phrases);
    EXPECT_EQ(ini.value("Zigzop", "Phrase1"), "/me waves");
    EXPECT_EQ(ini.value("Zigzop", "Phrase3"), "");
    EXPECT_EQ(ini.value("Zigzop", "Phrase9"), "");
}

TEST(Settings, CloseRule)
{
    const WindowBounds remembered{3, 3, 775, 575};
    EXPECT_EQ(boundsToSave(remembered, remembered, 1024, 740), std::nullopt);
    EXPECT_EQ(boundsToSave({3, 4, 775, 575}, remembered, 1024, 740), (WindowBounds{3, 4, 775, 575}));
    // Wider than the work area: 15 narrower, once, whatever the difference.
    EXPECT_EQ(boundsToSave({0, 0, 1200, 575}, remembered, 1024, 740), (WindowBounds{0, 0, 1185, 575}));
    EXPECT_EQ(boundsToSave({0, 0, 1024, 741}, remembered, 1024, 740), (WindowBounds{0, 0, 1024, 726}));
    // Unloaded: the remembered bounds are all 0, so any window saves.
    EXPECT_TRUE(boundsToSave(remembered, WindowBounds{}, 1024, 740).has_value());
}

TEST_F(SettingsFile, MissingFileReadsAsEmptyAndIsCreated)
{
    ASSERT_TRUE(readIniFile(path).has_value());
    EXPECT_EQ(readIniFile(path)->text(), "");
    ASSERT_TRUE(updateIniFile(path, [](IniFile &ini) { ini.setValue("Zigzop", "Top", "1"); }));
    EXPECT_EQ(test::fileBytes(path), "[Zigzop]\r\nTop=1\r\n");
}

TEST_F(SettingsFile, UpdateKeepsEverythingElseInTheFile)
{
    { std::ofstream(path, std::ios::binary) << "; notes\n[Other]\nA=1\n[zigzop]\nTop=1\n"; }
    ASSERT_TRUE(updateIniFile(path, [](IniFile &ini) { ini.setValue("Zigzop", "Top", "2"); }));
    EXPECT_EQ(test::fileBytes(path), "; notes\n[Other]\nA=1\n[zigzop]\nTop=2\n");
}

TEST_F(SettingsFile, FailedWriteKeepsTheOldFile)
{
    { std::ofstream(path, std::ios::binary) << "[Zigzop]\nTop=1\n"; }
    bool saved = true;
    {
        const test::FileSizeLimit limit(20);
        ASSERT_TRUE(limit.set());
        saved = updateIniFile(path,
                              [](IniFile &ini) { ini.setValue("Zigzop", "Phrase1", "far too long for the disk"); });
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(test::fileBytes(path), "[Zigzop]\nTop=1\n");
    EXPECT_EQ(test::entriesIn(dir), 1);
}

TEST_F(SettingsFile, UnreadableFileIsNotReplaced)
{
    // A folder in the file's place cannot be read as a profile; it must survive.
    std::filesystem::create_directory(path);
    EXPECT_FALSE(updateIniFile(path, [](IniFile &ini) { ini.setValue("Zigzop", "Top", "2"); }));
    EXPECT_TRUE(std::filesystem::is_directory(path));
}
