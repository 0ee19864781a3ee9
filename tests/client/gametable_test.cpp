// Seats, game start, rounds, the play signal, word entry and the turn clock,
// as the game window shows them.
#include "tablefixture.h"

using namespace zz;
using namespace zz::test;

namespace {

using Sounds = std::vector<std::string>;

TEST_F(TableTest, OwnArrivalOnABoardSeat)
{
    int arrivals = 0;
    QObject::connect(&window.table(), &GameTable::ownArrival, &window, [&arrivals] { ++arrivals; });
    handle({"CMD_sendlogininfo+3", "CMD_existingplayers+1+Bo", "CMD_newplayerinfo+3+Ann"});
    EXPECT_EQ(chatLines(), (QStringList{QStringLiteral("Bo is Connected."), QStringLiteral("You are Connected.")}));
    EXPECT_EQ(text("label_playername3"), QStringLiteral("Ann"));
    EXPECT_EQ(text("label_playername1"), QStringLiteral("Bo"));
    EXPECT_TRUE(shown("label_score3"));
    EXPECT_EQ(text("label_playername2"), QStringLiteral("<Waiting>"));
    EXPECT_EQ(sounds->played, (Sounds{"entered", "entered"}));
    EXPECT_EQ(arrivals, 1);
    EXPECT_TRUE(spyList->spies().isEmpty());
}

TEST_F(TableTest, OwnArrivalAsSpectator)
{
    handle({"CMD_sendlogininfo+7", "CMD_newplayerinfo+7+Max", "CMD_newplayerinfo+8+Eve"});
    EXPECT_EQ(chatLines(), (QStringList{QStringLiteral("You are Connected."), QStringLiteral("You are spying."),
                                        QStringLiteral("Eve is Connected."), QStringLiteral("Eve is spying.")}));
    EXPECT_EQ(spyList->spies(), (QStringList{QStringLiteral("7: Max"), QStringLiteral("8: Eve")}));
    for (int seat = 1; seat <= 6; ++seat)
        EXPECT_EQ(window.board().seatName(seat), QStringLiteral("<Waiting>"));
}

TEST_F(TableTest, DeparturesFromSeatsAndTheSpyList)
{
    handle({"CMD_newplayerinfo+2+Klot", "CMD_newplayerinfo+3+A+B", "CMD_newplayerinfo+8+Max",
            "CMD_postscores+3+120+50+70+0+3"});
    window.board().showEyes(3, true);
    const int before = chatLines().size();
    handle({
        "CMD_playerdisconnected+2+Klot", // leaves under the seat's quiet name: no line
        "CMD_playerdisconnected+3+A+B",
        "CMD_playerdisconnected+3+A+B", // already empty: no line
        "CMD_playerdisconnected+9+Max", // not in the spy list: nothing
        "CMD_playerdisconnected+8+Max",
    });
    EXPECT_EQ(chatLines().mid(before),
              (QStringList{QStringLiteral("A+B disconnected."), QStringLiteral("Max has left.")}));
    EXPECT_EQ(text("label_playername2"), QStringLiteral("<Waiting>"));
    EXPECT_EQ(text("label_playername3"), QStringLiteral("<Waiting>"));
    EXPECT_FALSE(shown("image_eyes3"));
    EXPECT_EQ(text("label_score3"), QStringLiteral("120")); // the score stays
    EXPECT_TRUE(spyList->spies().isEmpty());
}

TEST_F(TableTest, GameStartShowsTheSettingsAndClearsTheBoard)
{
    seat(1, "Ann");
    window.board().showWinner(QStringLiteral("Bo has Won the Game!"));
    handle({"CMD_postscores+1+400+0+0+0+5", "CMD_startgame+Ann+1000+120+"});
    EXPECT_EQ(lastChatLine(), QStringLiteral("Ann has started a game."));
    EXPECT_EQ(text("label_playtoscore"), QStringLiteral("Play To Score: 1000"));
    EXPECT_EQ(text("label_timeperturn"), QStringLiteral("Time: 120secs"));
    EXPECT_EQ(text("label_score1"), QStringLiteral("0"));
    EXPECT_EQ(text("word_1"), QStringLiteral("TAN"));
    EXPECT_FALSE(shown("panel_winner"));
    EXPECT_FALSE(shown("button_start"));
    EXPECT_EQ(window.table().timePerTurn(), 120);
    EXPECT_FALSE(window.table().clockRunning()); // it starts with the first round

    // The step for each time is the board rules' test; here, that each start and catch-up sets it.
    EXPECT_EQ(window.board().barStep(), 1);
    handle({"CMD_startgame+Ann+500+60+"});
    EXPECT_EQ(window.board().barStep(), 2);
    handle({"CMD_startgame+Ann+500+120+", "CMD_stats+1+cold+warm+t+1000+60+50+1+0"});
    EXPECT_EQ(window.board().barStep(), 2);
}

TEST_F(TableTest, RoundStartClearsTheRoundAndRunsTheClock)
{
    seat(2, "Ann");
    handle({"CMD_startgame+Ann+1000+120+", "CMD_roundstart+1+pan+fun+", "CMD_nextplayer+2+", "CMD_goodword+2+tan+1+",
            "CMD_completed+2+1+", "CMD_postscores+2+330+50+180+100+1", "CMD_addcorrect+2+1+fun"});
    ASSERT_TRUE(ladder->isVisible());
    ASSERT_TRUE(shown("image_fast2"));
    handle({"CMD_roundstart+3+cold+warm+"});
    EXPECT_EQ(text("label_word1"), QStringLiteral("COLD"));
    EXPECT_EQ(text("label_word2"), QStringLiteral("WARM"));
    for (int box = 1; box <= 20; ++box) {
        EXPECT_TRUE(window.board().boxWord(box).isEmpty()) << box;
        EXPECT_FALSE(box > 1 && shown(("image_points" + std::to_string(box)).c_str())) << box;
    }
    EXPECT_FALSE(shown("image_completed2"));
    EXPECT_FALSE(shown("image_fast2"));
    EXPECT_TRUE(text("label_bonus2").isEmpty());
    EXPECT_TRUE(text("label_wordcount2").isEmpty());
    EXPECT_EQ(text("label_score2"), QStringLiteral("330")); // scores and names last the game
    EXPECT_EQ(text("label_playername2"), QStringLiteral("Ann"));
    EXPECT_FALSE(ladder->isVisible());
    EXPECT_TRUE(window.table().clockRunning());
    EXPECT_EQ(window.table().clockSeconds(), 120);
}

TEST_F(TableTest, PlaySignalOpensTheTurnOnlyForTheOwnSeat)
{
    seat(2, "Ann");
    handle({"CMD_startgame+Ann+1000+120+", "CMD_roundstart+1+cold+warm+", "CMD_nextplayer+2+"});
    EXPECT_EQ(text("label_status"), QStringLiteral("Your Turn."));
    EXPECT_TRUE(shown("edit_word"));
    EXPECT_EQ(wordBox()->pos(), control("word_1")->pos());
    EXPECT_EQ(sounds->played, Sounds{"turn"});
    EXPECT_EQ(window.table().turnSeat(), 2);

    window.table().setTurnSound(1);
    handle({"CMD_postscores+2+0+0+0+0+0", "CMD_roundstart+2+cold+warm+", "CMD_nextplayer+2+"});
    EXPECT_EQ(sounds->played.back(), "turnnew");

    handle({"CMD_postscores+2+0+0+0+0+0", "CMD_roundstart+3+cold+warm+", "CMD_nextplayer+0+"});
    EXPECT_EQ(text("label_status"), QStringLiteral("Player's are linking the words."));
    EXPECT_FALSE(shown("edit_word"));
    EXPECT_EQ(window.table().turnSeat(), 0);
}

TEST_F(TableTest, CatchUpForAPlayerThatMayPlay)
{
    seat(3, "Ann");
    handle({"CMD_stats+3+cold+warm+t+2000+90+65+1+120+2+0+3+45+4+0+5+0+6+0"});
    EXPECT_TRUE(text("word_1").isEmpty()); // the demonstration ladder is gone
    EXPECT_EQ(text("label_word1"), QStringLiteral("COLD"));
    EXPECT_EQ(text("label_word2"), QStringLiteral("WARM"));
    EXPECT_EQ(text("label_playtoscore"), QStringLiteral("Play To Score: 2000"));
    EXPECT_EQ(text("label_timeperturn"), QStringLiteral("Time: 90secs"));
    EXPECT_EQ(text("label_timer"), QStringLiteral("Time: 1:05"));
    EXPECT_EQ(text("label_score1"), QStringLiteral("120"));
    EXPECT_EQ(text("label_score3"), QStringLiteral("45"));
    EXPECT_TRUE(window.table().clockRunning());
    EXPECT_EQ(window.table().turnSeat(), 3);
    EXPECT_EQ(text("label_status"), QStringLiteral("Your Turn."));
    EXPECT_TRUE(shown("edit_word"));
}

TEST_F(TableTest, CatchUpWithoutATurn)
{
    const struct
    {
        const char *name;
        int seat;
        const char *stats;
    } cases[] = {
        {"spectator", 7, "CMD_stats+7+cold+warm+t+1000+120+30+1+0+2+0+3+0+4+0+5+0+6+50"},
        {"finished this round", 4, "CMD_stats+4+cold+warm+f+1000+120+30+1+0+2+0+3+0+4+0+5+0+6+50"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        handle({"CMD_sendlogininfo+" + std::to_string(c.seat), c.stats});
        EXPECT_EQ(text("label_word1"), QStringLiteral("COLD"));
        EXPECT_EQ(text("label_score6"), QStringLiteral("50"));
        EXPECT_EQ(text("label_status"), QStringLiteral("Player's are linking the words."));
        EXPECT_FALSE(shown("edit_word"));
        EXPECT_EQ(window.table().turnSeat(), 0);
    }
    // Stats meant for another seat only take the demonstration words away.
    handle({"CMD_startgame+Ann+1000+120+", "CMD_stats+2+pink+blue+t+1000+120+30+1+0"});
    EXPECT_TRUE(text("word_1").isEmpty());
    EXPECT_EQ(text("label_word1"), QStringLiteral("PAN"));
}

TEST_F(TableTest, EnterSendsTheWordOnlyDuringTheOwnTurn)
{
    seat(2, "Ann");
    handle({"CMD_startgame+Ann+1000+120+", "CMD_roundstart+1+cold+warm+", "CMD_nextplayer+1+"});
    wordBox()->setText(QStringLiteral("cord"));
    pressEnter(wordBox());
    EXPECT_EQ(wordBox()->text(), QStringLiteral("cord")); // ignored: not our turn
    EXPECT_TRUE(sounds->played.empty());

    handle({"CMD_nextplayer+2+"});
    sounds->played.clear();
    wordBox()->setText(QStringLiteral("Cord"));
    pressEnter(wordBox());
    EXPECT_EQ(sent("CMD_sendword+2+Cord+\xff"), QByteArray("CMD_sendword+2+Cord+\xff"));
    EXPECT_TRUE(wordBox()->text().isEmpty());
    EXPECT_EQ(wordBox()->pos(), control("word_1")->pos()); // it moves only when accepted
    EXPECT_EQ(sounds->played, Sounds{"submit"});

    pressEnter(wordBox()); // an empty box is sent too; the host refuses it
    EXPECT_EQ(sent("CMD_sendword+2++\xff"), QByteArray("CMD_sendword+2++\xff"));
}

// How the board draws the seconds left is the board's own test.
TEST_F(TableTest, TurnClockCountsDownOnTheBoardAndTicksAtTheEnd)
{
    seat(1, "Ann");
    handle({"CMD_startgame+Ann+1000+120+", "CMD_roundstart+1+cold+warm+"});
    window.table().turnTimeTick();
    EXPECT_EQ(text("label_timer"), QStringLiteral("Time: 1:59"));

    std::vector<int> tickedAt;
    while (window.table().clockSeconds() > 0) {
        sounds->played.clear();
        window.table().turnTimeTick();
        if (!sounds->played.empty())
            tickedAt.push_back(window.table().clockSeconds());
    }
    EXPECT_EQ(tickedAt, (std::vector<int>{20, 15, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
    window.table().turnTimeTick(); // it stays at zero while it runs on
    EXPECT_EQ(window.table().clockSeconds(), 0);
    EXPECT_EQ(text("label_timer"), QStringLiteral("Time: 0:00"));
}

TEST_F(TableTest, TimeUpOnlyResetsTheClockText)
{
    seat(1, "Ann");
    handle({"CMD_startgame+Ann+1000+120+", "CMD_roundstart+1+cold+warm+", "CMD_nextplayer+1+"});
    window.table().turnTimeTick();
    sounds->played.clear();
    handle({"CMD_timeup+"});
    EXPECT_EQ(sounds->played, Sounds{"timeup"});
    EXPECT_EQ(text("label_timer"), QStringLiteral("Time: 0:00"));
    EXPECT_EQ(window.table().clockSeconds(), 119);
    EXPECT_TRUE(window.table().clockRunning());
    EXPECT_TRUE(shown("edit_word"));
}

} // namespace
