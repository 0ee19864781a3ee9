// Seats, login, the seat binding of messages, relays, bounds and fairness.
#include "hostfixture.h"

namespace zz::test {
namespace {

using Seats = HostFixture;

TEST_F(Seats, FreedSeatsAreReusedLowestFirst)
{
    EXPECT_EQ(connect(4), 4);
    host.connectionClosed(2);
    EXPECT_EQ(connect(), 2);
    EXPECT_EQ(connect(), 5);
    EXPECT_EQ(to(2, "CMD_sendlogininfo"), (std::vector<std::string>{"CMD_sendlogininfo+2", "CMD_sendlogininfo+2"}));
}

TEST_F(Seats, TenthConnectionIsRefusedAndTheTableStaysAtNine)
{
    for (int seat = 1; seat <= 9; ++seat)
        EXPECT_EQ(connect(), seat);
    sent.clear();
    EXPECT_EQ(connect(), 0);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].seat, HostServer::FullSeat);
    EXPECT_EQ(sent[0].text, "CMD_full+");
    EXPECT_EQ(closed, std::vector<int>{HostServer::FullSeat});
    EXPECT_EQ(host.highestSeat(), 9);

    host.connectionClosed(3);
    EXPECT_EQ(connect(), 3);
    EXPECT_EQ(host.highestSeat(), 9);
}

TEST_F(Seats, LoginIsAnnouncedToAllAndTheTableToTheNewcomer)
{
    connect(3);
    login(1, "Ann");
    sent.clear();
    login(3, "A+B");
    // Everybody hears the newcomer; the newcomer then hears the others in
    // seat order, a seat that never logged in with an empty name.
    EXPECT_EQ(to(1), std::vector<std::string>{"CMD_newplayerinfo+3+A+B"});
    EXPECT_EQ(to(2), std::vector<std::string>{"CMD_newplayerinfo+3+A+B"});
    EXPECT_EQ(to(3), (std::vector<std::string>{"CMD_newplayerinfo+3+A+B", "CMD_existingplayers+1+Ann",
                                               "CMD_existingplayers+2+"}));
}

TEST_F(Seats, WrongVersionIsReportedButTheNewcomerStays)
{
    seatPlayers(1);
    connect();
    handle(2, "CMD_logininfo+2+1.0.1+Bo");
    EXPECT_EQ(to(1), (std::vector<std::string>{"CMD_newplayerinfo+2+Bo", "CMD_havewrongversion+Bo"}));
    EXPECT_EQ(to(2).back(), "CMD_wrongversion+");
    EXPECT_TRUE(host.inUse(2));
}

TEST_F(Seats, CloseIsAnnouncedOnceToTheOthersFromEitherSide)
{
    seatPlayers(4);
    host.connectionClosed(3);
    host.connectionClosed(3); // the socket reports its close twice
    handle(1, "CMD_kickhim+1+4+");
    EXPECT_EQ(closed, std::vector<int>{4});
    EXPECT_EQ(to(1), (std::vector<std::string>{"CMD_playerdisconnected+3+P3", "CMD_playerdisconnected+4+P4"}));
    EXPECT_EQ(to(2).size(), 2u);
    EXPECT_TRUE(to(3).empty());
    EXPECT_EQ(to(4), std::vector<std::string>{"CMD_playerdisconnected+3+P3"});
}

TEST_F(Seats, MessagesSpeakOnlyForTheirOwnConnection)
{
    seatPlayers(3);
    const char *forged[] = {"CMD_chat+2+hi|clRed",
                            "CMD_action+2+waves|clRed",
                            "CMD_playasound+2+wave7+",
                            "CMD_logininfo+2+1.0.2+Mallory",
                            "CMD_kickhim+1+2+",
                            "CMD_kickhim+3+2+",
                            "CMD_justwatch+2+2",
                            "CMD_startgame+Ann+5+120+1+1+1+",
                            "CMD_chat+0+hi|x",
                            "CMD_chat+10+hi|x",
                            "CMD_chat+-1+hi|x",
                            "CMD_chat+99999999999+hi|x",
                            "CMD_chat+abc+hi|x",
                            "CMD_chat",
                            "chat+3+hi",
                            ""};
    for (const char *text : forged) {
        SCOPED_TRACE(text);
        handle(3, text);
        EXPECT_TRUE(sent.empty());
        EXPECT_TRUE(closed.empty());
    }
    EXPECT_EQ(host.name(2), "P2");
    EXPECT_FALSE(host.gameInProgress());
}

// A headless table has no hosting player: when its owner leaves, the lowest
// player seat in use owns it.
TEST_F(Seats, TheOwnersLeavingPassesTheTableOn)
{
    seatPlayers(3);
    EXPECT_EQ(host.owner(), 1);
    handle(2, "CMD_startgame+Bo+5+120+1+1+1+");
    EXPECT_FALSE(host.gameInProgress());

    host.connectionClosed(1);
    EXPECT_EQ(host.owner(), 2);
    handle(3, "CMD_kickhim+3+2+");
    handle(3, "CMD_justwatch+2+1");
    EXPECT_TRUE(closed.empty());
    handle(2, "CMD_kickhim+2+3+");
    EXPECT_EQ(closed, std::vector<int>{3});
    handle(2, "CMD_startgame+Bo+5+120+1+1+1+");
    EXPECT_TRUE(host.gameInProgress());

    EXPECT_EQ(connect(), 1); // whoever takes seat 1 again owns the table
    EXPECT_EQ(host.owner(), 1);
    host.connectionClosed(1);
    host.connectionClosed(2);
    EXPECT_EQ(host.owner(), 0);
}

TEST_F(Seats, ChatActionAndSoundRelays)
{
    seatPlayers(2);
    connect();
    login(3, "Bo");
    sent.clear();
    handle(3, "CMD_chat+3+hi|clRed");
    handle(3, "CMD_action+3+says: Thanks!|clRed");
    handle(3, "CMD_chat+03+a+b|clRed");
    handle(3, "CMD_playasound+03+wave7+");
    const std::vector<std::string> expected{"CMD_chat+3+Bo chats: hi|clRed", "CMD_action+3+Bo says: Thanks!|clRed",
                                            "CMD_chat+03+Bo chats: a+b|clRed", "CMD_playasound+3+wave7+"};
    for (int seat = 1; seat <= 3; ++seat)
        EXPECT_EQ(to(seat), expected);
}

TEST_F(Seats, JustWatching)
{
    seatPlayers(4);
    connect(3); // seats 5 and 6 never log in; seat 7 is a spectator
    sent.clear();
    handle(4, "CMD_justwatch+4+1"); // no game yet
    EXPECT_TRUE(sent.empty());
    handle(4, "CMD_justwatch+4+2");
    EXPECT_EQ(to(1), std::vector<std::string>{"CMD_justwatching+4+2"});
    startColdWarm();
    sent.clear();
    handle(1, "CMD_justwatch+4+1");  // the owner may seat anybody out
    handle(2, "CMD_justwatch+4+1");  // nobody else may
    handle(4, "CMD_justwatch+4+1+"); // flag "1+" is neither
    handle(7, "CMD_justwatch+7+1");  // no player seat
    handle(1, "CMD_justwatch+0+1");
    EXPECT_EQ(to(7), std::vector<std::string>{"CMD_justwatching+4+1"});
}

TEST_F(Seats, ANonNumberStopsOnlyItsOwnMessage)
{
    seatPlayers(1);
    host.bytesReceived(1, "CMD_sendword+x+cord+\xff"
                          "CMD_kickhim+1+x+\xff"
                          "CMD_chat+1+ok|clRed\xff");
    drain();
    EXPECT_EQ(to(1), std::vector<std::string>{"CMD_chat+1+P1 chats: ok|clRed"});
}

TEST_F(Seats, MessageSplitAcrossReadsIsRebuilt)
{
    seatPlayers(1);
    host.bytesReceived(1, "CMD_chat+1+h");
    drain();
    EXPECT_TRUE(sent.empty());
    host.bytesReceived(1, "i|x\xff");
    drain();
    EXPECT_EQ(to(1), std::vector<std::string>{"CMD_chat+1+P1 chats: hi|x"});
}

TEST_F(Seats, FloodingConnectionDoesNotStarveAnother)
{
    seatPlayers(3);
    startColdWarm();
    std::string flood;
    for (int i = 0; i < 200; ++i)
        flood += "CMD_chat+2+spam " + std::to_string(i) + "|clRed\xff";
    host.bytesReceived(2, flood);
    sent.clear();
    // No time passes: the word is judged on arrival however much is queued.
    host.bytesReceived(3, "CMD_sendword+3+cord+\xff");
    EXPECT_EQ(to(3, "CMD_goodword"), std::vector<std::string>{"CMD_goodword+3+cord+1+"});
    drain();
    const std::vector<std::string> chat = to(1, "CMD_chat");
    ASSERT_EQ(chat.size(), 200u - SeatTable::PaceBurst); // the burst went before the word
    for (std::size_t i = 0; i < chat.size(); ++i)
        EXPECT_EQ(chat[i], "CMD_chat+2+P2 chats: spam " + std::to_string(i + SeatTable::PaceBurst) + "|clRed");
}

TEST_F(Seats, ConnectionPastTheBoundsIsDropped)
{
    seatPlayers(3);
    host.bytesReceived(2, std::string(wire::MaxPendingBytes, 'x'));
    EXPECT_TRUE(closed.empty());
    host.bytesReceived(2, "x");
    EXPECT_EQ(closed, std::vector<int>{2});
    EXPECT_EQ(to(1), std::vector<std::string>{"CMD_playerdisconnected+2+P2"});

    std::string burst;
    for (std::size_t i = 0; i < wire::MaxQueuedEntries; ++i)
        burst += "CMD_chat+3+x|y\xff";
    host.bytesReceived(3, burst);
    EXPECT_TRUE(host.inUse(3));
    // The burst its pace allowed was handled at once; the rest still waits.
    std::string topUp;
    for (int i = 0; i < SeatTable::PaceBurst; ++i)
        topUp += "CMD_chat+3+x|y\xff";
    host.bytesReceived(3, topUp);
    EXPECT_TRUE(host.inUse(3));
    EXPECT_EQ(host.queuedEntries(), wire::MaxQueuedEntries);
    host.bytesReceived(3, "CMD_chat+3+one too many|y\xff");
    EXPECT_FALSE(host.inUse(3));
    EXPECT_EQ(host.queuedEntries(), 0u); // nothing of it is handled for a later occupant
    EXPECT_EQ(connect(), 2);
}

TEST_F(Seats, TableTickPacingHandlesOneEntryPerTickForTheWholeTable)
{
    seatPlayers(2);
    host.setPacing(HostServer::Pacing::TableTick);
    EXPECT_FALSE(host.dispatchScheduled());
    host.bytesReceived(1, "CMD_chat+1+a|x\xff");
    host.bytesReceived(2, "CMD_chat+2+b|x\xff");
    EXPECT_TRUE(sent.empty()); // nothing before the tick
    EXPECT_TRUE(host.dispatchScheduled());
    host.dispatchTick();
    EXPECT_EQ(to(1), std::vector<std::string>{"CMD_chat+1+P1 chats: a|x"});
    EXPECT_TRUE(host.dispatchScheduled());
    host.dispatchTick();
    EXPECT_EQ(to(1).size(), 2u);
    EXPECT_FALSE(host.dispatchScheduled());
}

} // namespace
} // namespace zz::test
