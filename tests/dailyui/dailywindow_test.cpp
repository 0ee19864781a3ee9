#include "dailyui/dailywindow.h"

#include "daily/dailyfile.h"
#include "daily/schedule.h"
#include "dict/builtindata.h"
#include "support/files.h"
#include "support/waitfor.h"
#include "support/widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

using namespace zz;

namespace {

const DailySchedule Schedule("1 2026-12-01 HEAD TAIL 5\n"
                             "2 2026-12-02 COLD WARM 4\n"
                             "3 2026-12-03 HEAD TAIL 5\n");

// Noon of 2026-12-02 in UTC: the local date there in any zone within twelve hours.
constexpr std::time_t DayTwo = 1'796'212'800;

class DailyWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = test::freshTestFolder("zz_dailywindow_");
        file = dailyFileIn(dir);
        open();
    }
    void TearDown() override
    {
        window.reset();
        std::filesystem::remove_all(dir);
    }
    void open()
    {
        window = std::make_unique<DailyWindow>(
            Schedule, builtinDictionary(),
            std::vector<std::string>{"cold", "cord", "card", "ward", "warm", "word", "worm", "head", "heal", "teal", "tell", "tall", "tail"});
        window->setClock([] { return DayTwo; });
        window->setResultsFile(file);
        window->openToday();
    }
    template <typename T> T *child(const char *name) { return window->findChild<T *>(QString::fromLatin1(name)); }
    QString enter(const char *word)
    {
        child<QLineEdit>("edit_dailyword")->setText(QString::fromLatin1(word));
        test::pressEnter(child<QLineEdit>("edit_dailyword"));
        return child<QLabel>("label_dailystatus")->text();
    }

    std::filesystem::path dir, file;
    std::unique_ptr<DailyWindow> window;
};

} // namespace

TEST_F(DailyWindowTest, RefusedWordsStayInTheBoxWithTheirReasonSaidAloud)
{
    ASSERT_EQ(window->today(), 2);
    EXPECT_EQ(child<QLabel>("label_dailystart")->accessibleName(), QStringLiteral("Start word: COLD"));
    EXPECT_EQ(enter("cord"), QStringLiteral("CORD added."));
    EXPECT_EQ(child<QLineEdit>("edit_dailyword")->text(), QString());
    const struct
    {
        const char *word, *said;
    } cases[] = {
        {"corq", "CORQ is not a word."},
        {"cords", "CORDS is not the right length: the words here have 4 letters."},
        {"worm", "WORM changes more than one letter of CORD."},
        {"cold", "COLD is already used in this ladder."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(enter(c.word), QString::fromLatin1(c.said));
        EXPECT_EQ(child<QLineEdit>("edit_dailyword")->text(), QString::fromLatin1(c.word));
        EXPECT_EQ(child<QLabel>("label_dailystatus")->accessibleName(), QString::fromLatin1(c.said));
    }
    const QListWidget *rungs = child<QListWidget>("list_dailyrungs");
    ASSERT_EQ(rungs->count(), 1);
    EXPECT_EQ(rungs->item(0)->data(Qt::AccessibleTextRole).toString(), QStringLiteral("1. CORD, in place: R"));
}

TEST_F(DailyWindowTest, APuzzleInProgressComesBackAfterClosing)
{
    enter("cord");
    enter("word");
    child<QPushButton>("button_dailyundo")->click();
    enter("card");
    window.reset();
    open();
    ASSERT_TRUE(window->game());
    EXPECT_EQ(window->game()->rungs(), (std::vector<std::string>{"CORD", "CARD"}));
    EXPECT_EQ(child<QListWidget>("list_dailyrungs")->count(), 2);
}

TEST_F(DailyWindowTest, SolvingCountsTheDayAndCopiesAResultWithoutWords)
{
    EXPECT_FALSE(child<QPushButton>("button_dailycopy")->isEnabled());
    for (const char *word : {"cord", "card", "ward", "warm"})
        enter(word);
    EXPECT_EQ(child<QLabel>("label_dailystatus")->text(), QStringLiteral("Solved in 4 steps (par 4)."));
    EXPECT_FALSE(child<QLineEdit>("edit_dailyword")->isEnabled());
    const QString result = child<QLabel>("label_dailyresult")->text();
    EXPECT_TRUE(result.contains(QStringLiteral("COLD CORD CARD WARD WARM"))) << result.toStdString();
    EXPECT_TRUE(result.contains(QStringLiteral("Current streak 1"))) << result.toStdString();

    child<QPushButton>("button_dailycopy")->click();
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8(shareText(*window->game())));

    const DailyLoad kept = loadDailyRecords(file);
    ASSERT_EQ(kept.records.days.count(2), 1u);
    EXPECT_EQ(kept.records.days.at(2).outcome, DayRecord::Outcome::Solved);
    EXPECT_TRUE(kept.records.days.at(2).onItsDay);
}

TEST_F(DailyWindowTest, PastDaysPlayAsPastAndFutureDaysStayShut)
{
    EXPECT_FALSE(window->openDay(3));
    EXPECT_EQ(child<QComboBox>("combo_dailyday")->count(), 2);   // today and day 1
    ASSERT_TRUE(window->openDay(1));
    EXPECT_TRUE(child<QLabel>("label_dailytitle")->text().contains(QStringLiteral("a past day")));
    child<QPushButton>("button_dailygiveup")->click();
    const DailyRecords &records = window->records();
    ASSERT_EQ(records.days.count(1), 1u);
    EXPECT_EQ(records.days.at(1).outcome, DayRecord::Outcome::GaveUp);
    EXPECT_FALSE(records.days.at(1).onItsDay);
    EXPECT_TRUE(child<QLabel>("label_dailyresult")->text().contains(QStringLiteral("HEAD HEAL TEAL TELL TALL TAIL")));
}

TEST_F(DailyWindowTest, DamagedResultsAreReportedOnceAndKept)
{
    window.reset();
    {
        std::ofstream out(file, std::ios::binary);
        out << "zigzop-daily 1\n2 solved day 4 CO";
    }
    open();
    const auto box = [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *b = qobject_cast<QMessageBox *>(w); b && b->isVisible())
                return b;
        return static_cast<QMessageBox *>(nullptr);
    };
    ASSERT_TRUE(box());
    EXPECT_TRUE(box()->text().contains(QStringLiteral("damaged")));
    box()->close();
    QApplication::processEvents();
    window->hide();
    window->openToday();
    EXPECT_FALSE(box());
    EXPECT_EQ(test::entriesIn(dir), 1);   // the damaged file, kept aside; nothing saved yet
}
