// Game start, rounds, the clock, judging, scoring and the winner.
#include "hostfixture.h"

namespace zz::test {
namespace {

using Game = HostFixture;

TEST_F(Game, StartAnnouncesAndPlaysWordsOfTheChosenLength)
{
    seatPlayers(2);
    connect(5);
    for (int seat = 3; seat <= 6; ++seat)
        host.connectionClosed(seat);
    sent.clear();
    // Three letters only: "stone" and, for the end word, "cold" and "cat" itself are drawn again.
    draws = {Stone, Cat, Cold, Cat, Dog};
    handle(1, "CMD_startgame+Ann+1000+120+1+0+0+");
    const std::vector<std::string> common{"CMD_startgame+Ann+1000+120+", "CMD_roundstart+1+cat+dog+"};
    for (int seat : {1, 2, 7}) {
        SCOPED_TRACE(seat);
        auto expected = common;
        expected.push_back("CMD_nextplayer+" + std::to_string(seat == 7 ? 0 : seat) + "+");
        EXPECT_EQ(to(seat), expected);
    }
    EXPECT_TRUE(draws.empty());
}

TEST_F(Game, StartFallsBackToItsDefaults)
{
    seatPlayers(1);
    draws = {Cold, Warm};
    handle(1, "CMD_startgame+Ann+abc+x+1+1+1+");
    EXPECT_EQ(to(1).front(), "CMD_startgame+Ann+5+120+");
    sent.clear();
    draws = {Cold, Warm};
    // A '+' in the name shifts the fields: "B" is no number, "1000" becomes the time.
    handle(1, "CMD_startgame+A+B+1000+120+1+0+0+");
    EXPECT_EQ(to(1).front(), "CMD_startgame+A+5+1000+");
    EXPECT_EQ(to(1)[1].rfind("CMD_roundstart+1+", 0), 0u); // a new game counts from round 1
}

TEST_F(Game, WordsAreJudgedLengthThenDictionaryThenOneLetter)
{
    seatPlayers(2);
    startColdWarm();
    ticks(3); // x = -1: still inside the round's first four seconds
    sent.clear();
    sendWords(1, {"colds", "zzzz", "cold", "CORD", "card", "ward", "warm"});
    EXPECT_EQ(to(1),
              (std::vector<std::string>{"CMD_invalidword+1+colds+1+", "CMD_invalidword+1+zzzz+2+",
                                        "CMD_invalidword+1+cold+3+", "CMD_goodword+1+cord+1+", "CMD_goodword+1+card+2+",
                                        "CMD_goodword+1+ward+3+", "CMD_goodword+1+warm+4+", "CMD_completed+1+4+"}));
    EXPECT_EQ(to(2), std::vector<std::string>{"CMD_completed+1+4+"});
    // A finished seat gets no reply; repeats of earlier words are fine.
    sent.clear();
    sendWords(1, {"ward"});
    sendWords(2, {"colt", "cold"});
    EXPECT_TRUE(to(1).empty());
    EXPECT_EQ(to(2), (std::vector<std::string>{"CMD_goodword+2+colt+1+", "CMD_goodword+2+cold+2+"}));

    // Seat 2 sits out: the round goes on until the clock runs out.
    handle(2, "CMD_justwatch+2+1");
    ticks(121);
    EXPECT_EQ(to(2).back(), "CMD_timeup+");
    sent.clear();
    sendWords(2, {"cord"});
    EXPECT_TRUE(sent.empty());
    ticks(2);
    EXPECT_EQ(to(1), (std::vector<std::string>{"CMD_postscores+1+270+50+170+100+4+2+0+0+0+0+2",
                                               "CMD_addcorrect+1+1+cord+2+card+3+ward+4+warm"}));
    EXPECT_EQ(host.score(1), 270); // the completion bonus is shown, not counted
}

TEST_F(Game, RoundEndsEarlyWhenOnlyWatchersArePlaying)
{
    seatPlayers(3);
    startColdWarm();
    handle(3, "CMD_justwatch+3+1");
    ticks(12); // x = 8
    sendWords(1, {"cord", "card", "ward", "warm"});
    ticks(3); // x = 11
    sent.clear();
    sendWords(2, {"cord", "card", "ward"});
    EXPECT_TRUE(to(1, "CMD_postscores").empty());
    sendWords(2, {"warm"});
    EXPECT_EQ(to(3, "CMD_postscores"),
              std::vector<std::string>{"CMD_postscores+1+270+50+170+100+4+2+250+50+170+80+4+3+0+0+0+0+0"});
    EXPECT_EQ(to(3, "CMD_addcorrect"), std::vector<std::string>{"CMD_addcorrect+1+1+cord+2+card+3+ward+4+warm"});

    sent.clear();
    draws = {Warm, Cold};
    ticks(14);
    EXPECT_TRUE(sent.empty());
    ticks(1);
    EXPECT_EQ(to(1, "CMD_roundstart"), std::vector<std::string>{"CMD_roundstart+2+warm+cold+"});
    EXPECT_TRUE(to(1, "CMD_timeup").empty());
}

TEST_F(Game, TwentiethWordFinishesTheLadderWithoutBonus)
{
    seatPlayers(2);
    startColdWarm();
    sent.clear();
    for (int i = 0; i < 11; ++i)
        sendWords(1, {"colt", "cold"});
    const auto replies = to(1);
    ASSERT_EQ(replies.size(), 20u); // the 21st and 22nd words get no reply
    EXPECT_EQ(replies.back(), "CMD_goodword+1+cold+20+");
    ticks(126);
    EXPECT_EQ(to(1, "CMD_postscores"), std::vector<std::string>{"CMD_postscores+1+0+0+0+0+20+2+0+0+0+0+0"});
    EXPECT_TRUE(to(1, "CMD_addcorrect").empty());
}

TEST_F(Game, NewcomerGetsTheStateOfTheGame)
{
    seatPlayers(2);
    startColdWarm("1000", "30");
    sendWords(1, {"cord"});
    host.connectionClosed(2); // a seat that leaves mid-round has finished it
    ticks(34);                // time-up: the grace shows negative seconds left
    connect();
    sent.clear();
    login(2, "Cy");
    EXPECT_EQ(to(2), (std::vector<std::string>{"CMD_newplayerinfo+2+Cy", "CMD_existingplayers+1+P1",
                                               "CMD_stats+2+cold+warm+f+1000+30+-2+1+0+2+0+3+0+4+0+5+0+6+0"}));
}

TEST_F(Game, NewcomerInAFreshSeatPlaysTheRunningRound)
{
    seatPlayers(1);
    startColdWarm();
    connect();
    sent.clear();
    login(2, "Di");
    EXPECT_EQ(to(2, "CMD_stats"),
              std::vector<std::string>{"CMD_stats+2+cold+warm+t+1000+120+120+1+0+2+0+3+0+4+0+5+0+6+0"});
    sendWords(2, {"cord"});
    EXPECT_EQ(to(2).back(), "CMD_goodword+2+cord+1+");
}

TEST_F(Game, WinnerIsDeclaredAfterThePauseAndEndsTheGame)
{
    seatPlayers(1);
    startColdWarm("100");
    sendWords(1, {"cord", "card", "ward", "warm"});
    sent.clear();
    ticks(15);
    EXPECT_EQ(to(1), std::vector<std::string>{"CMD_winner+P1+"});
    EXPECT_FALSE(host.gameInProgress());
    sent.clear();
    ticks(200);
    handle(1, "CMD_justwatch+1+1");
    EXPECT_TRUE(sent.empty());
}

TEST_F(Game, UnnamedWinnerIsAnnouncedByItsFallbackName)
{
    connect(3);
    startColdWarm("100");
    handle(1, "CMD_justwatch+1+1");
    handle(1, "CMD_justwatch+2+1");
    sendWords(3, {"cord", "card", "ward", "warm"});
    sent.clear();
    ticks(15);
    EXPECT_EQ(to(1), std::vector<std::string>{"CMD_winner+Klock+"});
}

TEST_F(Game, TieAboveTheTargetPlaysAnotherRound)
{
    seatPlayers(2);
    startColdWarm("100");
    sendWords(1, {"cord", "card", "ward", "warm"});
    sendWords(2, {"cord", "card", "ward", "warm"});
    sent.clear();
    draws = {Cold, Warm};
    ticks(15);
    EXPECT_TRUE(to(1, "CMD_winner").empty());
    EXPECT_EQ(to(1, "CMD_roundstart"), std::vector<std::string>{"CMD_roundstart+2+cold+warm+"});
}

} // namespace
} // namespace zz::test
