#include "social/phrasecolumn.h"
#include "social/phrasesdialog.h"
#include "social/soundplayer.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zz;

namespace {

QString qs(const char *text) { return QString::fromUtf8(text); }

class Recording : public SoundPlayer
{
public:
    void play(std::string_view name) override { played.emplace_back(name); }
    std::vector<std::string> played;
};

} // namespace

TEST(PhraseColumn, ActionTextKeepsMeAndPrefixesSays)
{
    EXPECT_EQ(PhraseColumn::actionText(qs("/me dances")), qs("dances"));
    EXPECT_EQ(PhraseColumn::actionText(qs("Hello")), qs("says: Hello"));
    EXPECT_EQ(PhraseColumn::actionText(qs("")), qs("says: "));
    EXPECT_EQ(PhraseColumn::actionText(qs("/me")), qs("says: /me"));       // no blank: not an action
    EXPECT_EQ(PhraseColumn::actionText(qs("/ME waves")), qs("says: /ME waves"));
    EXPECT_EQ(PhraseColumn::actionText(qs("/me ")), qs(""));
}

TEST(PhraseColumn, TenButtonsWithTheBuiltInPhrases)
{
    PhraseColumn column;
    for (int n = 1; n <= 10; ++n) {
        auto *b = column.findChild<QToolButton *>(QStringLiteral("b_phrase%1").arg(n));
        ASSERT_NE(b, nullptr) << n;
        EXPECT_FALSE(b->icon().isNull());
    }
    EXPECT_EQ(column.phrase(1), qs("Way To Go!"));
    EXPECT_EQ(column.phrase(9), qs("Good Game Everyone!"));
    EXPECT_EQ(column.findChild<QToolButton *>(qs("b_phrase10"))->toolTip(), qs("Chatter Sounds"));
    EXPECT_EQ(column.phrase(0), QString());
    EXPECT_EQ(column.phrase(10), QString());
    column.setPhrase(10, qs("nope"));   // not a phrase button
    EXPECT_EQ(column.findChild<QToolButton *>(qs("b_phrase10"))->toolTip(), qs("Chatter Sounds"));
}

TEST(PhraseColumn, CoolDownIsTwoSecondsOfClockTime)
{
    PhraseColumn column;
    qint64 now = 0;   // a clock that starts at 0 must still allow the first phrase
    column.setClock([&] { return now; });
    QStringList sent;
    QObject::connect(&column, &PhraseColumn::actionRequested, [&](const QString &text) { sent << text; });
    column.phraseClicked(1);
    column.phraseClicked(2);
    now = 1999;
    column.phraseClicked(3);
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent.at(0), qs("says: Way To Go!"));
    now = 2000;
    column.phraseClicked(4);
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(sent.at(1), qs("says: Excellent!"));
    // A click on something that is no phrase button does not start a cool-down.
    now = 5000;
    column.phraseClicked(10);
    column.phraseClicked(5);
    EXPECT_EQ(sent.size(), 3);
}

TEST(PhraseColumn, SoundMenuOffersCancelThenTwentySounds)
{
    PhraseColumn column;
    QMenu *menu = column.soundMenu();
    EXPECT_EQ(menu->objectName(), qs("popup_sounds"));
    const QList<QAction *> entries = menu->actions();
    ASSERT_EQ(entries.size(), 21);
    EXPECT_EQ(entries[0]->text(), qs("<Cancel>"));
    EXPECT_EQ(entries[0]->data().toInt(), 0);
    EXPECT_EQ(entries[5]->objectName(), qs("wave5"));

    std::vector<int> chosen;
    QObject::connect(&column, &PhraseColumn::chatterRequested, [&](int n) { chosen.push_back(n); });
    entries[0]->trigger();
    entries[13]->trigger();
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen.at(0), 13);
}

TEST(PhraseColumn, ChatterNamesMatchOnlyTheMenusSounds)
{
    const struct
    {
        const char *name;
        int number;
    } cases[] = {{"wave1", 1}, {"WAVE20", 20}, {"Wave13", 13}, {"wave0", 0},  {"wave21", 0},
                 {"wave01", 0}, {"wave", 0},    {"wave+1", 0},  {"wave 1", 0}, {"winner", 0}, {"", 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PhraseColumn::chatterNumber(qs(c.name)), c.number);
    }
    EXPECT_EQ(PhraseColumn::chatterCaption(13), qs("Applause"));
    EXPECT_EQ(PhraseColumn::chatterCaption(21), QString());
}

TEST(PhrasesDialog, DoneHandsOverEveryBoxAndCloses)
{
    PhrasesDialog dialog;
    dialog.setPhrases({qs("a"), qs("b")});
    EXPECT_EQ(dialog.phraseEdit(2)->text(), qs("b"));
    EXPECT_EQ(dialog.phraseEdit(3)->text(), QString());
    EXPECT_EQ(dialog.phraseEdit(1)->maxLength(), 50);
    EXPECT_FALSE(dialog.phraseEdit(0));
    EXPECT_FALSE(dialog.phraseEdit(10));
    dialog.show();
    std::vector<QStringList> confirmed;
    QObject::connect(&dialog, &PhrasesDialog::phrasesConfirmed, [&](const QStringList &p) { confirmed.push_back(p); });
    dialog.findChild<QPushButton *>(qs("button_done"))->click();
    ASSERT_EQ(confirmed.size(), 1);
    const QStringList phrases = confirmed.at(0);
    ASSERT_EQ(phrases.size(), 9);
    EXPECT_EQ(phrases[0], qs("a"));
    EXPECT_EQ(phrases[8], QString());
    EXPECT_FALSE(dialog.isVisible());
}

TEST(SwitchedSoundPlayer, ForwardsOnlyWhileOn)
{
    Recording target;
    SwitchedSoundPlayer gate;
    gate.play("tick");   // no target yet: nothing, and no crash
    gate.setTarget(&target);
    gate.play("tick");
    gate.setOn(false);
    gate.play("winner");
    gate.setOn(true);
    gate.play("turn");
    EXPECT_EQ(target.played, (std::vector<std::string>{"tick", "turn"}));
}
