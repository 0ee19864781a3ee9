// Verdicts, completions, posted scores, the shown ladder, the winner, and what
// the window sends from the chat box and the start button.
#include "client/chat/chatinput.h"
#include "tablefixture.h"

using namespace zz;
using namespace zz::test;

namespace {

using Sounds = std::vector<std::string>;

class RoundTest : public TableTest
{
protected:
    void SetUp() override
    {
        TableTest::SetUp();
        seat(2, "Ann");
        handle({"CMD_newplayerinfo+1+Bo", "CMD_startgame+Bo+1000+120+", "CMD_roundstart+1+cold+warm+",
                "CMD_nextplayer+2+"});
        sounds->played.clear();
    }
};

TEST_F(RoundTest, AcceptedWordFillsItsBoxAndMovesTheWordBox)
{
    handle({"CMD_goodword+2+cold+1+"});
    EXPECT_EQ(text("label_status"), QStringLiteral("COLD Accepted."));
    EXPECT_EQ(text("word_1"), QStringLiteral("cold"));
    EXPECT_EQ(wordBox()->pos(), control("word_2")->pos());
    EXPECT_EQ(sounds->played, Sounds{"goodword"});

    handle({"CMD_goodword+1+cord+2+", "CMD_invalidword+1+xx+2+", "CMD_completed+1+3+"});
    EXPECT_TRUE(text("word_2").isEmpty()); // another seat's verdicts are not ours
    EXPECT_EQ(text("label_status"), QStringLiteral("COLD Accepted."));
    EXPECT_FALSE(shown("image_completed1"));
    EXPECT_EQ(sounds->played.size(), 1u);
}

TEST_F(RoundTest, RefusalsExplainThemselves)
{
    const struct
    {
        const char *message;
        const char *status;
    } cases[] = {
        {"CMD_invalidword+2+co+1+", "CO is not the correct length."},
        {"CMD_invalidword+2+cxld+2+", "CXLD is not a word."},
        {"CMD_invalidword+2+warm+3+", "You can change only one letter at a time."},
        {"CMD_invalidword+2+cord+4+", "Your word list is too long"},
        {"CMD_invalidword+2+cord+9+", "Your word list is too long"}, // unknown code: unchanged
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        sounds->played.clear();
        handle({c.message});
        EXPECT_EQ(text("label_status"), QString::fromLatin1(c.status));
        EXPECT_EQ(sounds->played, Sounds{"invalid"});
        EXPECT_EQ(wordBox()->pos(), control("word_1")->pos());
    }
}

TEST_F(RoundTest, TwentiethWordEndsTheTurn)
{
    for (int box = 1; box < 20; ++box)
        handle({"CMD_goodword+2+cold+" + std::to_string(box) + "+"});
    EXPECT_EQ(wordBox()->pos(), control("word_20")->pos());
    handle({"CMD_goodword+2+cord+20+"});
    EXPECT_EQ(text("word_20"), QStringLiteral("cord"));
    EXPECT_FALSE(shown("edit_word"));
    EXPECT_EQ(window.table().turnSeat(), 0);
    EXPECT_TRUE(window.chat().chatInput()->hasFocus() || !window.isActiveWindow());
}

TEST_F(RoundTest, CompletionMarksTheEmptyBoxes)
{
    const struct
    {
        int count;
        int firstMark;
    } cases[] = {{4, 5}, {0, 2}, {20, 21}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.count);
        handle({"CMD_roundstart+2+cold+warm+", "CMD_nextplayer+2+"});
        sounds->played.clear();
        handle({"CMD_completed+2+" + std::to_string(c.count) + "+"});
        for (int box = 2; box <= 20; ++box)
            EXPECT_EQ(shown(("image_points" + std::to_string(box)).c_str()), box >= c.firstMark) << box;
        EXPECT_TRUE(shown("image_completed2"));
        EXPECT_FALSE(shown("edit_word"));
        EXPECT_EQ(window.table().turnSeat(), 0);
        EXPECT_EQ(text("label_status"), QStringLiteral("You Completed the Link."));
        EXPECT_EQ(sounds->played, Sounds{"finished"});
    }
}

TEST_F(RoundTest, PostedScoresFillTheSeats)
{
    handle({"CMD_postscores+1+0+0+0+0+0+2+80+50+30+0+6"});
    EXPECT_EQ(text("label_score2"), QStringLiteral("80"));
    EXPECT_EQ(text("label_bonus2"), QStringLiteral("50+30+0"));
    EXPECT_EQ(control("label_bonus2")->toolTip(),
              QStringLiteral(" Completed Zig Zop: 50\n Empty Boxes: 30\n Time Bonus: 0\n Word Count: 6"));
    EXPECT_EQ(text("label_wordcount2"), QStringLiteral("6 Wds"));
    EXPECT_FALSE(shown("image_fast2"));
    EXPECT_EQ(text("label_status"), QStringLiteral("Posting Scores..Please Wait."));
    EXPECT_EQ(sounds->played, Sounds{"roundover"});
    EXPECT_FALSE(window.table().clockRunning());
    EXPECT_FALSE(shown("edit_word"));

    handle({"CMD_postscores+1+290+50+140+100+4"});
    EXPECT_TRUE(shown("image_fast1"));
    EXPECT_EQ(text("label_score2"), QStringLiteral("80"));

    // The host's record for a table without players changes no seat.
    handle({"CMD_postscores+0+0+0+0"});
    EXPECT_EQ(text("label_score1"), QStringLiteral("290"));
    EXPECT_EQ(text("label_bonus1"), QStringLiteral("50+140+100"));
}

TEST_F(RoundTest, ResultsAreFollowedByTheRoundsShortestLadder)
{
    handle({"CMD_postscores+1+0+0+0+0+0"});
    const QString line = lastChatLine();
    EXPECT_TRUE(line.startsWith(QStringLiteral("Shortest ladder: COLD "))) << line.toStdString();
    EXPECT_TRUE(line.endsWith(QStringLiteral(" WARM (4 words)"))) << line.toStdString();

    // Only a host that draws any two pool words can start a round like this.
    handle({"CMD_roundstart+2+ohm+ugh+", "CMD_postscores+1+0+0+0+0+0"});
    EXPECT_EQ(lastChatLine(), QStringLiteral("No ladder joins OHM and UGH."));
}

TEST_F(RoundTest, FirstFinishersLadderIsShownUntilTheNextRound)
{
    handle({"CMD_addcorrect+2+1+pine+2+pane+3+lane+4+line+5+lint+6+lent+7+blue"});
    ASSERT_TRUE(ladder->isVisible());
    EXPECT_FALSE(ladder->isModal());
    EXPECT_EQ(ladder->correctLabel(7)->text(), QStringLiteral("BLUE"));
    handle({"CMD_roundstart+2+cold+warm+"});
    EXPECT_FALSE(ladder->isVisible());

    handle({"CMD_addcorrect+1+1+cord+2+card+3+ward+4+warm"});
    ASSERT_TRUE(ladder->isVisible());
    EXPECT_EQ(ladder->correctLabel(0)->text(), QStringLiteral("BO'S ZIG ZOP"));
    EXPECT_EQ(ladder->correctLabel(1)->text(), QStringLiteral("CORD"));
    EXPECT_EQ(ladder->correctLabel(4)->text(), QStringLiteral("WARM"));
    // The longer ladder before is gone: its boxes show their bonus again.
    EXPECT_EQ(ladder->correctLabel(5)->text(), QStringLiteral("+20"));
    EXPECT_EQ(ladder->correctLabel(7)->text(), QStringLiteral("+15"));
    EXPECT_EQ(ladder->correctLabel(21)->text(), QStringLiteral("WORD COUNT: 4"));
    ladder->findChild<QAbstractButton *>(QStringLiteral("button_done"))->click();
    EXPECT_FALSE(ladder->isVisible());
}

TEST_F(RoundTest, LadderOfALeaverShowsItsTitleAsTyped)
{
    // The finisher left: its seat reads "<Waiting>", which a label would take for a tag.
    handle({"CMD_playerdisconnected+1+Bo", "CMD_addcorrect+1+1+cord+2+<b>x"});
    EXPECT_EQ(ladder->correctLabel(0)->text(), QStringLiteral("<WAITING>'S ZIG ZOP"));
    for (int label = 0; label <= 21; ++label) {
        SCOPED_TRACE(label);
        EXPECT_EQ(ladder->correctLabel(label)->textFormat(), Qt::PlainText);
    }
    EXPECT_EQ(ladder->correctLabel(22), nullptr);   // so a word for no box goes nowhere

    // Boxes outside the ladder never take the title's or the count's place.
    handle({"CMD_addcorrect+1+0+evil+1+cord+21+evil+22+evil"});
    EXPECT_EQ(ladder->correctLabel(0)->text(), QStringLiteral("<WAITING>'S ZIG ZOP"));
    EXPECT_EQ(ladder->correctLabel(21)->text(), QStringLiteral("WORD COUNT: 1"));
}

TEST_F(RoundTest, WinnerIsAnnouncedAndCounted)
{
    handle({"CMD_winner+Ann+"});
    EXPECT_EQ(text("label_winner1"), QStringLiteral("You have Won the Game!"));
    EXPECT_EQ(text("label_winner2"), QStringLiteral("You have Won the Game!"));
    EXPECT_TRUE(shown("panel_winner"));
    EXPECT_EQ(text("label_status"), QStringLiteral("Game Over!"));
    EXPECT_EQ(lastChatLine(), QStringLiteral("You have Won the Game!"));
    EXPECT_EQ(sounds->played, Sounds{"winner"});
    EXPECT_FALSE(shown("button_start")); // only the hosting player gets it back

    // A winner's name is taken whole, '+' and all.
    handle({"CMD_winner+C+D+"});
    EXPECT_EQ(text("label_winner1"), QStringLiteral("C+D has Won the Game!"));
    EXPECT_EQ(lastChatLine(), QStringLiteral("C+D has Won the Game!"));
    EXPECT_EQ(tally->games(), (QStringList{QStringLiteral("addtomine"), QStringLiteral("C+D")}));
}

TEST_F(TableTest, SpectatorSeesTheWinnerButCountsNothing)
{
    handle({"CMD_sendlogininfo+7", "CMD_newplayerinfo+7+Ann", "CMD_winner+Ann+"});
    EXPECT_EQ(text("label_winner1"), QStringLiteral("Ann has Won the Game!"));
    EXPECT_TRUE(tally->games().isEmpty());
}

TEST_F(TableTest, StartButtonComesBackForTheHostingPlayer)
{
    window.table().setHosting(true);
    seat(1, "Ann");
    handle({"CMD_startgame+Ann+1000+120+"});
    EXPECT_FALSE(shown("button_start"));
    handle({"CMD_winner+Ann+"});
    EXPECT_TRUE(window.board().findChild<QWidget *>(QStringLiteral("button_start"))->isVisibleTo(&window.board()));
}

TEST_F(TableTest, ChatBoxSendsLinesAndActions)
{
    seat(2, "Ann");
    ChatInput *box = window.chat().chatInput();
    const struct
    {
        const char *typed;
        QByteArray sent;
    } cases[] = {
        {"", ""},
        {"/who", ""},
        {"/me waves", "CMD_action+2+waves|clBlack\xff"},
        {"hello", "CMD_chat+2+hello|clBlack\xff"},
    };
    QByteArray expected;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        box->setText(QString::fromLatin1(c.typed));
        pressEnter(box);
        EXPECT_TRUE(box->text().isEmpty());
        expected += c.sent;
    }
    EXPECT_EQ(sent(expected), expected);
}

} // namespace
