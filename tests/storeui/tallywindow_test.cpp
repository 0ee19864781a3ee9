#include "storeui/tallywindow.h"
#include "support/files.h"

#include "store/tallycodec.h"
#include "store/tallyfile.h"
#include "support/waitfor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>

using namespace zz;
namespace fs = std::filesystem;

namespace {

class TallyWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = test::freshTestFolder("zz_tallywindow_");
        file = tallyFileIn(dir);
        window = std::make_unique<TallyWindow>();
        seated();
    }
    void TearDown() override
    {
        window.reset();
        fs::remove_all(dir);
    }

    // Seats 1..6 of the board; the own seat is 2.
    void seated(std::array<QString, 6> names = {QStringLiteral("Ann"), QStringLiteral("Me"), QStringLiteral("<Waiting>"),
                                                QStringLiteral("BO"), QString(), QStringLiteral("Cy")})
    {
        seats = names;
        window->setSeatSource([this](int seat) { return seat >= 1 && seat <= 6 ? seats[seat - 1] : QString(); },
                              [] { return 2; });
    }
    QString text(const char *name) const { return window->findChild<QLabel *>(QString::fromLatin1(name))->text(); }
    QListWidget *list(const char *name) const { return window->findChild<QListWidget *>(QString::fromLatin1(name)); }
    QStringList names(const char *listName) const
    {
        QStringList out;
        for (int i = 0; i < list(listName)->count(); ++i)
            out << list(listName)->item(i)->text();
        return out;
    }
    void check(const char *listName, const QString &name, Qt::CheckState state) const
    {
        const auto found = list(listName)->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        found.front()->setCheckState(state);
    }
    // Answers the open confirmation box and returns its question.
    QString answer(const QString &button) const
    {
        QMessageBox *box = nullptr;
        EXPECT_TRUE(test::waitFor([&] { return (box = window->findChild<QMessageBox *>(QStringLiteral("confirm"))); }));
        if (!box)
            return {};
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Confirm"));
        EXPECT_TRUE(box->isVisible());
        const QString question = box->text();
        for (QAbstractButton *b : box->buttons())
            if (b->text() == button)
                b->click();
        EXPECT_TRUE(test::waitFor([&] { return !window->findChild<QMessageBox *>(QStringLiteral("confirm")); }));
        return question;
    }
    void follow(const QString &name) const { check("checklist", name, Qt::Checked); }

    fs::path dir;
    fs::path file;
    std::array<QString, 6> seats;
    std::unique_ptr<TallyWindow> window;
};

TEST_F(TallyWindowTest, StartsHiddenWithZeroes)
{
    EXPECT_FALSE(window->isVisible());
    for (const char *name : {"mylabel_1", "mylabel_2", "label_1", "label_4", "label_5", "label_8"})
        EXPECT_EQ(text(name), QStringLiteral("0")) << name;
    window->show();
    EXPECT_FALSE(window->findChild<QLabel *>(QStringLiteral("mylabel_3"))->isVisible());
    EXPECT_FALSE(window->findChild<QLabel *>(QStringLiteral("mylabel_4"))->isVisible());
    EXPECT_TRUE(window->findChild<QLabel *>(QStringLiteral("mylabel_2"))->isVisible());
    window->findChild<QPushButton *>(QStringLiteral("button_done"))->click();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(TallyWindowTest, ShowingListsTheOtherSeatedPlayers)
{
    window->show();
    EXPECT_EQ(names("checklist"), (QStringList{QStringLiteral("Ann"), QStringLiteral("BO"), QStringLiteral("Cy")}));
}

TEST_F(TallyWindowTest, CheckingAPlayerFollowsItOnceOnly)
{
    window->show();
    follow(QStringLiteral("Ann"));
    check("checklist", QStringLiteral("Ann"), Qt::Unchecked);
    check("checklist", QStringLiteral("Ann"), Qt::Checked);
    EXPECT_EQ(names("listbox_tally"), QStringList{QStringLiteral("Ann")});
    EXPECT_EQ(window->table().rowCount(), 2);
    EXPECT_EQ(list("listbox_tally")->item(0)->checkState(), Qt::Checked);
}

TEST_F(TallyWindowTest, FollowedNameInOtherCaseIsCheckedOnTheBoard)
{
    window->show();
    follow(QStringLiteral("BO"));
    seated({QStringLiteral("Bo"), QStringLiteral("Me"), {}, {}, {}, {}});
    window->loadCheckList();
    EXPECT_EQ(list("checklist")->item(0)->checkState(), Qt::Checked);
}

TEST_F(TallyWindowTest, AddGameCountsTheGameAndShowsTheSelectedPlayer)
{
    window->show();
    follow(QStringLiteral("Ann"));
    follow(QStringLiteral("Cy"));
    list("listbox_tally")->setCurrentRow(0);
    EXPECT_EQ(text("label_tallyname"), QStringLiteral("Ann's Tally"));
    EXPECT_EQ(text("label_playerwins"), QStringLiteral("Ann Wins:"));

    window->addGame(QStringLiteral("Ann"));
    window->addGame(QStringLiteral("addtomine"));
    EXPECT_EQ(text("mylabel_1"), QStringLiteral("2"));
    EXPECT_EQ(text("mylabel_2"), QStringLiteral("1"));
    const char *shown[] = {"label_1", "label_2", "label_3", "label_4", "label_5", "label_6", "label_7", "label_8"};
    const char *want[] = {"2", "1", "1", "0", "2", "1", "1", "0"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(text(shown[i]), QString::fromLatin1(want[i])) << shown[i];
    EXPECT_EQ(window->games(), (QStringList{QStringLiteral("Ann"), QStringLiteral("addtomine")}));
}

TEST_F(TallyWindowTest, ClearingATalliedBoxAsksAndNoKeepsThePlayer)
{
    window->show();
    follow(QStringLiteral("Ann"));
    check("listbox_tally", QStringLiteral("Ann"), Qt::Unchecked);
    EXPECT_EQ(answer(QStringLiteral("&No")), QStringLiteral("This will delete Ann's Tally, Are you want to delete it?"));
    EXPECT_EQ(list("listbox_tally")->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(window->table().rowCount(), 2);
}

TEST_F(TallyWindowTest, YesRemovesTheRowTheItemAndTheBoardCheck)
{
    window->show();
    follow(QStringLiteral("Ann"));
    follow(QStringLiteral("Cy"));
    window->addGame(QStringLiteral("Cy"));
    check("listbox_tally", QStringLiteral("Ann"), Qt::Unchecked);
    answer(QStringLiteral("&Yes"));
    EXPECT_EQ(names("listbox_tally"), QStringList{QStringLiteral("Cy")});
    EXPECT_EQ(window->table().cell(0, 1), "Cy");
    EXPECT_EQ(window->table().count(TallyTable::TheirWins, 1), 1);
    EXPECT_EQ(list("checklist")->item(0)->checkState(), Qt::Unchecked);
}

TEST_F(TallyWindowTest, ResetAsksThenClearsEverything)
{
    window->show();
    follow(QStringLiteral("Ann"));
    list("listbox_tally")->setCurrentRow(0);
    window->addGame(QStringLiteral("addtomine"));
    window->findChild<QPushButton *>(QStringLiteral("button_reset"))->click();
    EXPECT_EQ(answer(QStringLiteral("&No")), QStringLiteral("Are you sure you want to reset the Tally?"));
    EXPECT_EQ(text("mylabel_1"), QStringLiteral("1"));

    window->findChild<QPushButton *>(QStringLiteral("button_reset"))->click();
    answer(QStringLiteral("&Yes"));
    EXPECT_EQ(text("mylabel_1"), QStringLiteral("0"));
    EXPECT_EQ(text("label_1"), QStringLiteral("0"));
    EXPECT_EQ(list("listbox_tally")->count(), 0);
    EXPECT_EQ(window->table().rowCount(), 1);
}

TEST_F(TallyWindowTest, EachGameIsSavedAndARestartZeroesTheSession)
{
    EXPECT_TRUE(window->openFile(file));
    window->show();
    follow(QStringLiteral("Ann"));
    window->addGame(QStringLiteral("Ann"));
    ASSERT_TRUE(fs::exists(file)); // saved before the program ends

    window = std::make_unique<TallyWindow>();
    EXPECT_TRUE(window->openFile(file));
    EXPECT_EQ(names("listbox_tally"), QStringList{QStringLiteral("Ann")});
    list("listbox_tally")->setCurrentRow(0);
    EXPECT_EQ(text("label_1"), QStringLiteral("1"));
    EXPECT_EQ(text("label_2"), QStringLiteral("1"));
    EXPECT_EQ(text("label_5"), QStringLiteral("0"));
    EXPECT_EQ(text("label_6"), QStringLiteral("0"));
    EXPECT_EQ(text("mylabel_1"), QStringLiteral("1"));
}

TEST_F(TallyWindowTest, DamagedFileIsReportedOnceKeptAsideAndNotOverwritten)
{
    std::ofstream(file, std::ios::binary) << "WRZL\x05";
    EXPECT_FALSE(window->openFile(file));
    QMessageBox *box = nullptr;
    ASSERT_TRUE(test::waitFor([&] { return (box = window->findChild<QMessageBox *>(QStringLiteral("tally_loaderror"))); }));
    EXPECT_TRUE(box->text().startsWith(QStringLiteral("Lzrw1 : Error reading from input file : ")));
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(box->isModal());

    window->addGame(QStringLiteral("addtomine"));
    window.reset(); // program end
    int kept = 0;
    for (const auto &entry : fs::directory_iterator(dir))
        if (entry.path().filename().string().rfind("Zigzoptally.tld.damaged-", 0) == 0) {
            ++kept;
            EXPECT_EQ(test::fileBytes(entry.path()), std::string("WRZL\x05"));
        }
    EXPECT_EQ(kept, 1);
    EXPECT_EQ(TallyTable::fromText(readTallyFile(file))->count(TallyTable::OwnWins, 0), 1);
}

TEST_F(TallyWindowTest, WithoutAFileNothingIsWritten)
{
    window->addGame(QStringLiteral("addtomine"));
    EXPECT_FALSE(window->save());
    window.reset();
    EXPECT_TRUE(fs::is_empty(dir));
}

// ZZ_TALLY_GRAB=path.png saves a picture of a filled window for a look by eye.
TEST_F(TallyWindowTest, GrabsAPictureWhenAsked)
{
    const QString path = qEnvironmentVariable("ZZ_TALLY_GRAB");
    if (path.isEmpty())
        GTEST_SKIP() << "set ZZ_TALLY_GRAB to a PNG path";
    window->show();
    follow(QStringLiteral("Ann"));
    follow(QStringLiteral("Cy"));
    window->addGame(QStringLiteral("Ann"));
    window->addGame(QStringLiteral("addtomine"));
    list("listbox_tally")->setCurrentRow(0);
    QApplication::processEvents();
    EXPECT_TRUE(window->grab().save(path));
}

} // namespace
