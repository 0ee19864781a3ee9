// The settings file as the window reads and writes it, and the phrase
// buttons and chatter sounds as they reach the host and the chat.
#include "tablefixture.h"

#include "client/computerplayers.h"
#include "client/gamestartdialog.h"
#include "social/phrasecolumn.h"
#include "social/phrasesdialog.h"
#include "store/inifile.h"
#include "store/settings.h"
#include "support/files.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>

#include <climits>
#include <filesystem>
#include <fstream>

namespace zz::test {
namespace {

class WindowSettings : public TableTest
{
protected:
    void SetUp() override
    {
        TableTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        path = std::filesystem::path(dir.path().toStdString()) / "quibplazo.ini";
        window.setSettingsPath(path);
        gameStart = new GameStartDialog(&window);
        phrasesDialog = new PhrasesDialog(&window);
        window.setCompanions({{}, {}, gameStart, {}, phrasesDialog, spyList, tally, ladder});
        window.phraseColumn().setClock([this] { return now; });
    }

    void writeFile(const std::string &text) { std::ofstream(path, std::ios::binary) << text; }
    std::optional<std::string> stored(const char *key) const { return IniFile(fileBytes(path)).value("Zigzop", key); }
    QAction *action(const char *name) const { return window.findChild<QAction *>(QString::fromLatin1(name)); }
    bool checked(const char *name) const { return action(name)->isChecked(); }

    QTemporaryDir dir;
    std::filesystem::path path;
    GameStartDialog *gameStart = nullptr;
    PhrasesDialog *phrasesDialog = nullptr;
    qint64 now = 10000;
};

TEST_F(WindowSettings, FirstRunWithoutAFileGivesTheStoredDefaults)
{
    window.chat().setTextSize(10);
    window.resize(900, 700);
    seat(2, "Bo");
    EXPECT_TRUE(window.settingsLoaded());
    EXPECT_EQ(window.chat().textSize(), 8);
    EXPECT_TRUE(checked("N8"));
    EXPECT_EQ(window.chat().textColour(), colour::Black);
    EXPECT_EQ(gameStart->playToScore(), 1000);
    EXPECT_EQ(gameStart->timePerTurn(), 120);
    for (int box = 1; box <= 3; ++box)
        EXPECT_EQ(gameStart->boxState(box), 1);
    EXPECT_TRUE(checked("Normal1"));
    EXPECT_EQ(window.computerPlayers().intervalMs(), 1000);
    EXPECT_TRUE(checked("Classic1"));
    EXPECT_TRUE(checked("PlaySounds1"));
    EXPECT_TRUE(checked("PlayerPhraseSounds1"));
    EXPECT_EQ(window.size(), QSize(775, 575));
    EXPECT_EQ(window.pos(), QPoint(3, 3));
    EXPECT_EQ(window.phraseColumn().phrase(1), QStringLiteral("Way To Go!"));
    EXPECT_FALSE(std::filesystem::exists(path));   // reading creates nothing
}

TEST_F(WindowSettings, OddValuesFollowTheExactRules)
{
    writeFile("[ZIGZOP]\r\ntextsize=9\r\nBotspeed=fast\r\nPlaysounds=False\r\nPlayerphrasesounds=false\r\n"
              "Three=abc\r\nFour=\r\nFive=0\r\nTurnsound=1\r\nPlaytoscore=\r\nTimeperturn=90\r\n"
              "Phrase2=/me dances\r\nPhrase3=\r\nTextcolor=nonsense\r\n");
    gameStart->changeBox(QStringLiteral("image_gt1"), 0);
    gameStart->changeBox(QStringLiteral("image_gt2"), 0);
    gameStart->setPlayToScore(3000);
    window.chat().setTextColour(colour::Red);
    seat(2, "Bo");
    EXPECT_EQ(window.chat().textSize(), 9);
    for (const char *entry : {"N8", "N10", "N12", "N14"})
        EXPECT_FALSE(checked(entry)) << entry;
    EXPECT_TRUE(checked("Normal1"));
    EXPECT_TRUE(checked("PlaySounds1"));
    EXPECT_FALSE(checked("PlayerPhraseSounds1"));
    EXPECT_EQ(gameStart->boxState(1), 1);   // "abc" selects
    EXPECT_EQ(gameStart->boxState(2), 0);   // empty leaves the choice
    EXPECT_EQ(gameStart->boxState(3), 0);
    EXPECT_EQ(gameStart->playToScore(), 3000);
    EXPECT_EQ(gameStart->timePerTurn(), 90);
    EXPECT_TRUE(checked("New1"));
    EXPECT_EQ(window.turnSound(), 1);
    EXPECT_EQ(window.chat().textColour(), colour::Black);
    EXPECT_EQ(window.phraseColumn().phrase(2), QStringLiteral("/me dances"));
    EXPECT_EQ(window.phraseColumn().phrase(3), QStringLiteral("Nice Try!"));
}

TEST_F(WindowSettings, TurnSoundNewPlaysTurnNew)
{
    writeFile("[Zigzop]\nTurnsound=1\n");
    seat(2, "Bo");
    handle({"CMD_nextplayer+2+"});
    EXPECT_EQ(sounds->played, std::vector<std::string>{"turnnew"});
}

TEST_F(WindowSettings, MenuChoicesAreWrittenAtOnceAndKeepOtherLines)
{
    writeFile("; mine\n[Zigzop]\nPhrase1=hi\n[Other]\nx=1\n");
    seat(2, "Bo");
    action("Fast1")->trigger();
    EXPECT_EQ(window.computerPlayers().intervalMs(), 500);
    EXPECT_TRUE(checked("Fast1"));
    EXPECT_FALSE(checked("Normal1"));
    EXPECT_EQ(stored("Botspeed"), "500");
    EXPECT_EQ(stored("Phrase1"), "hi");
    EXPECT_EQ(IniFile(fileBytes(path)).value("Other", "x"), "1");

    action("PlaySounds1")->trigger();
    EXPECT_EQ(stored("Playsounds"), "false");
    action("PlayerPhraseSounds1")->trigger();
    EXPECT_EQ(stored("Playerphrasesounds"), "false");
    action("New1")->trigger();
    EXPECT_EQ(stored("Turnsound"), "1");
    action("N12")->trigger();
    EXPECT_EQ(stored("Textsize"), "12");
    EXPECT_EQ(fileBytes(path).rfind("; mine\n[Zigzop]\nPhrase1=hi\n", 0), 0u);
}

TEST_F(WindowSettings, StartingAGameSavesItsOptions)
{
    seat(1, "Bo");
    gameStart->setTimePerTurn(180);
    gameStart->toggleBox(2);
    gameStart->buttonStartClick();
    EXPECT_EQ(stored("Timeperturn"), "180");
    EXPECT_EQ(stored("Four"), "0");
}

TEST_F(WindowSettings, PlaySoundsOffSilencesGameSoundsButNotChatter)
{
    seat(2, "Bo");
    action("PlaySounds1")->trigger();
    handle({"CMD_nextplayer+2+", "CMD_playasound+3+WAVE4+"});
    EXPECT_EQ(sounds->played, std::vector<std::string>{"wave4"});
}

TEST_F(WindowSettings, ClosingWithUnchangedBoundsWritesNothing)
{
    writeFile("[Zigzop]\nTop=40\nLeft=50\nWidth=800\nHeight=600\n");
    seat(2, "Bo");
    std::filesystem::remove(path);
    window.close();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(WindowSettings, ClosingBeforeLoadingKeepsTheStoredChoices)
{
    writeFile("[Zigzop]\nTextsize=14\n");
    window.move(100, 100);
    action("Fast1")->trigger();   // the one key chosen is written, nothing else
    window.close();
    EXPECT_EQ(fileBytes(path), "[Zigzop]\nTextsize=14\nBotspeed=500\n");
}

TEST_F(WindowSettings, ChoicesMadeWhileConnectingOutliveTheLoad)
{
    writeFile("[Zigzop]\nTextsize=14\nBotspeed=2000\nTurnsound=0\nPhrase1=hi\n");
    action("Fast1")->trigger();
    action("New1")->trigger();
    action("PlaySounds1")->trigger();
    seat(2, "Bo");
    EXPECT_TRUE(checked("Fast1"));
    EXPECT_EQ(window.computerPlayers().intervalMs(), 500);
    EXPECT_TRUE(checked("New1"));
    EXPECT_FALSE(checked("PlaySounds1"));
    EXPECT_EQ(window.chat().textSize(), 14);   // what the player did not touch comes from the file
    EXPECT_EQ(fileBytes(path), "[Zigzop]\nTextsize=14\nBotspeed=500\nTurnsound=1\nPhrase1=hi\nPlaysounds=false\n");
}

TEST_F(WindowSettings, NothingChosenWhileConnectingWritesNothing)
{
    action("Normal1")->trigger();   // already the built-in choice
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(WindowSettings, MovedWindowIsSavedOnClose)
{
    seat(2, "Bo");
    window.move(20, 30);
    window.close();
    EXPECT_EQ(stored("Left"), "20");
    EXPECT_EQ(stored("Top"), "30");
    EXPECT_EQ(stored("Width"), "775");
}

TEST_F(WindowSettings, WindowWiderThanTheWorkAreaIsSaved15Narrower)
{
    seat(2, "Bo");
    const QRect work = window.screen()->availableGeometry();
    window.resize(work.width() + 200, 575);
    window.close();
    EXPECT_EQ(stored("Width"), std::to_string(work.width() + 185));
}

TEST(WindowBoundsOnLoad, OnlyATitleBarOffEveryScreenIsMovedBack)
{
    const WindowBounds primary{0, 0, 1920, 1040};    // top, left, width, height
    const WindowBounds second{-200, 1920, 1280, 1024};   // to the right, reaching higher
    const std::vector<WindowBounds> both{primary, second};
    const struct
    {
        const char *name;
        std::vector<WindowBounds> areas;
        WindowBounds saved, expected;
    } cases[] = {
        {"on the primary", both, {40, 50, 775, 575}, {40, 50, 775, 575}},
        {"on the second, above the primary's top", both, {-150, 2000, 775, 575}, {-150, 2000, 775, 575}},
        {"title bar on screen, body hanging off", both, {700, 3000, 775, 575}, {700, 3000, 775, 575}},
        {"top edge on its first row", both, {0, 0, 775, 575}, {0, 0, 775, 575}},
        {"left edge only just on", both, {10, -774, 775, 575}, {10, -774, 775, 575}},
        {"left edge just off", both, {10, -775, 775, 575}, {10, 0, 775, 575}},
        {"one pixel above the primary", both, {-1, 50, 775, 575}, {0, 50, 775, 575}},
        {"far up and right: the second is nearest", both, {-5000, 99999, 775, 575}, {-200, 2425, 775, 575}},
        {"far up and left: the primary is nearest", both, {-5000, -5000, 775, 575}, {0, 0, 775, 575}},
        {"below every screen", both, {5000, 100, 775, 575}, {465, 100, 775, 575}},
        {"a second screen unplugged", {primary}, {100, 2500, 775, 575}, {100, 1145, 775, 575}},
        {"too big for the nearest: shrunk to it", {primary}, {-5000, 0, 2500, 1200}, {0, 0, 1920, 1040}},
        {"equally near: the primary", {{0, 0, 800, 600}, {0, 1000, 800, 600}}, {-100, 850, 100, 100},
         {0, 700, 100, 100}},
        {"values at the ends of int", both, {INT_MIN, INT_MAX, 775, 575}, {-200, 2425, 775, 575}},
        {"no screens known", {}, {-5000, 99999, 775, 575}, {-5000, 99999, 775, 575}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(boundsOnAWorkArea(c.saved, c.areas), c.expected);
    }
}

TEST_F(WindowSettings, PositionOffEveryScreenOpensOnTheScreen)
{
    writeFile("[Zigzop]\nTop=-5000\nLeft=99999\nWidth=400\nHeight=300\n");
    seat(2, "Bo");
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window.pos(), QPoint(work.left() + work.width() - 400, work.top()));
    EXPECT_EQ(window.size(), QSize(400, 300));
    EXPECT_EQ(stored("Top"), "-5000");   // the file is left as it was until the window closes
}

TEST_F(WindowSettings, ResetScreenLocationMovesWithoutSaving)
{
    seat(2, "Bo");
    window.move(200, 100);
    window.resize(900, 650);
    action("ResetScreenLocation1")->trigger();
    EXPECT_EQ(window.pos(), QPoint(3, 3));
    EXPECT_EQ(window.size(), QSize(775, 575));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(WindowSettings, FailedSaveReportsThePathAndKeepsNoHalfFile)
{
    const std::filesystem::path missing = path.parent_path() / "gone" / "quibplazo.ini";
    window.setSettingsPath(missing);
    seat(2, "Bo");
    action("Slow1")->trigger();
    const QString message = QStringLiteral("Unable to write to ") + QString::fromStdString(missing.string());
    ASSERT_TRUE(waitFor([&] { return openMessageBox(message) != nullptr; }));
    openMessageBox(message)->close();
    EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));
    EXPECT_TRUE(checked("Slow1"));   // the choice itself stands
}

// ---- phrases ------------------------------------------------------------------

// What a button says and how often is the phrase column's own test.
TEST_F(WindowSettings, PhraseButtonSaysThePhraseInTheChatColour)
{
    seat(2, "Bo");
    window.chat().setTextColour(colour::Navy);
    window.phraseColumn().setPhrase(3, QStringLiteral("/me dances"));
    control<QAbstractButton>("b_phrase3")->click();
    EXPECT_EQ(sent("CMD_action+2+dances|clNavy\xff"), QByteArray("CMD_action+2+dances|clNavy\xff"));
}

TEST_F(WindowSettings, ChatterMenuSendsTheSoundAndCancelSendsNothing)
{
    seat(2, "Bo");
    QMenu *menu = window.findChild<QMenu *>(QStringLiteral("popup_sounds"));
    ASSERT_NE(menu, nullptr);
    menu->actions().front()->trigger();
    action("wave13")->trigger();
    EXPECT_EQ(sent("CMD_playasound+2+wave13+\xff"), QByteArray("CMD_playasound+2+wave13+\xff"));
}

TEST_F(WindowSettings, ChatterSoundWrittenWhenPhraseSoundsAreOff)
{
    seat(2, "Ann");
    action("PlayerPhraseSounds1")->trigger();
    handle({"CMD_playasound+2+wave13+"});
    EXPECT_EQ(lastChatLine().simplified(), QStringLiteral("Ann: <Chatter Sound> Applause"));
    handle({"CMD_playasound+3+WAVE1+"});
    EXPECT_EQ(lastChatLine().simplified(), QStringLiteral("<Waiting>: <Chatter Sound> Doh"));
    const QStringList before = chatLines();
    handle({"CMD_playasound+7+wave1+", "CMD_playasound+2+wave21+", "CMD_playasound+2+winner+"});
    EXPECT_EQ(chatLines(), before);   // a spectator, an unknown sound: nothing
    EXPECT_TRUE(sounds->played.empty());
}

TEST_F(WindowSettings, ChatterSoundHeardWhenPhraseSoundsAreOn)
{
    seat(2, "Ann");
    const QStringList before = chatLines();
    handle({"CMD_playasound+5+Wave13+"});
    EXPECT_EQ(sounds->played, std::vector<std::string>{"wave13"});
    EXPECT_EQ(chatLines(), before);
}

TEST_F(WindowSettings, PhraseDialogCopiesAppliesAndStoresThePhrases)
{
    writeFile("[Zigzop]\nPhrase9=Bye\n");
    seat(2, "Bo");
    action("PrhaseList1")->trigger();
    EXPECT_TRUE(phrasesDialog->isVisible());
    EXPECT_FALSE(phrasesDialog->isModal());
    EXPECT_EQ(phrasesDialog->phraseEdit(1)->text(), QStringLiteral("Way To Go!"));
    EXPECT_EQ(phrasesDialog->phraseEdit(9)->text(), QStringLiteral("Bye"));
    phrasesDialog->phraseEdit(1)->setText(QStringLiteral("/me waves"));
    phrasesDialog->phraseEdit(2)->clear();
    phrasesDialog->findChild<QAbstractButton *>(QStringLiteral("button_done"))->click();
    EXPECT_FALSE(phrasesDialog->isVisible());
    EXPECT_EQ(window.phraseColumn().phrase(1), QStringLiteral("/me waves"));
    EXPECT_EQ(window.phraseColumn().phrase(2), QString());
    EXPECT_EQ(stored("Phrase1"), "/me waves");
    EXPECT_EQ(stored("Phrase2"), "");

    // An empty phrase says nothing after "says: ".
    control<QAbstractButton>("b_phrase2")->click();
    EXPECT_EQ(sent("CMD_action+2+says: |clBlack\xff"), QByteArray("CMD_action+2+says: |clBlack\xff"));

    // Closed another way: the edits are dropped and the next opening copies again.
    action("PrhaseList1")->trigger();
    phrasesDialog->phraseEdit(3)->setText(QStringLiteral("dropped"));
    phrasesDialog->reject();
    action("PrhaseList1")->trigger();
    EXPECT_EQ(phrasesDialog->phraseEdit(3)->text(), QStringLiteral("Nice Try!"));
}

TEST_F(WindowSettings, ViewTallyRefreshesTheGameListOfAnOpenWindow)
{
    tally->setSeatSource([this](int s) { return window.board().seatName(s); }, [this] { return window.table().ownSeat(); });
    seat(1, "Me");
    action("ViewTally1")->trigger();
    auto *inGame = tally->findChild<QListWidget *>(QStringLiteral("checklist"));
    ASSERT_TRUE(tally->isVisible());
    EXPECT_EQ(inGame->count(), 0);

    handle({"CMD_newplayerinfo+2+Ann"});
    action("ViewTally1")->trigger();
    ASSERT_EQ(inGame->count(), 1);
    EXPECT_EQ(inGame->item(0)->text(), QStringLiteral("Ann"));
}

} // namespace
} // namespace zz::test
