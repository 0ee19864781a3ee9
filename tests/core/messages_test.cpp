#include "core/wire.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zz::wire;

namespace {

// What a receiver does with a built message: frame it, cut the command word,
// and hand the rest to the parser.
template <typename Parse>
auto received(const std::string &bytes, std::string_view command, Parse parse)
{
    FrameSplitter splitter;
    splitter.feed(bytes);
    const std::string entry = splitter.next().value_or("");
    const Command cmd = splitCommand(entry);
    EXPECT_EQ(cmd.word, command);
    return parse(cmd.args);
}

using Probe = bool (*)(std::string_view);

} // namespace

TEST(Messages, ClientRequestsRoundTrip)
{
    EXPECT_EQ(received(loginInfo(3, "1.0.2", "A+B"), CmdLoginInfo, parseLoginInfo), (LoginInfo{3, "1.0.2", "A+B"}));
    EXPECT_EQ(received(sendWord(2, "CoRd"), CmdSendWord, parseSendWord), (SendWord{2, "CoRd"}));
    EXPECT_EQ(received(startGameRequest("Ann", "1000", "90", true, false, true), CmdStartGame, parseStartGameRequest),
              (StartGameRequest{"Ann", 1000, 90, "1", "0", "1"}));
    EXPECT_EQ(received(chatRequest(3, "a+b", "clRed"), CmdChat, parseChatRequest), (ChatRequest{3, "3", "a+b|clRed"}));
    EXPECT_EQ(received(actionRequest(4, "waves", ""), CmdAction, parseActionRequest),
              (ActionRequest{4, "4", "waves|"}));
    EXPECT_EQ(received(playASoundRequest(5, 13), CmdPlayASound, parsePlayASoundRequest),
              (PlayASoundRequest{5, "wave13+"}));
    EXPECT_EQ(received(justWatch(4, WatchFlag::Watch), CmdJustWatch, parseJustWatch), (JustWatch{4, WatchFlag::Watch}));
    EXPECT_EQ(received(justWatch(4, WatchFlag::PlayAgain), CmdJustWatch, parseJustWatch),
              (JustWatch{4, WatchFlag::PlayAgain}));
    EXPECT_EQ(received(kickHim(1, 8), CmdKickHim, parseKickHim), (KickHim{1, 8}));
}

TEST(Messages, HostMessagesRoundTrip)
{
    EXPECT_EQ(received(sendLoginInfo(9), CmdSendLoginInfo, parseSendLoginInfo), SendLoginInfo{9});
    EXPECT_EQ(received(newPlayerInfo(2, "A+B"), CmdNewPlayerInfo, parseNewPlayerInfo), (NewPlayerInfo{2, "A+B"}));
    EXPECT_EQ(received(existingPlayers(1, ""), CmdExistingPlayers, parseExistingPlayers), (ExistingPlayers{1, ""}));
    EXPECT_EQ(received(haveWrongVersion("Cy+"), CmdHaveWrongVersion, parseHaveWrongVersion), HaveWrongVersion{"Cy+"});
    EXPECT_EQ(received(playerDisconnected(5, "D+i"), CmdPlayerDisconnected, parsePlayerDisconnected),
              (PlayerDisconnected{5, "D+i"}));
    EXPECT_EQ(received(justWatching(4, WatchFlag::Watch), CmdJustWatching, parseJustWatching), (JustWatching{4, true}));
    EXPECT_EQ(received(justWatching(4, WatchFlag::PlayAgain), CmdJustWatching, parseJustWatching),
              (JustWatching{4, false}));
    EXPECT_EQ(received(chatRelay("03", "Bo", "hi+x|clRed"), CmdChat, parseChatRelay),
              (ChatRelay{"03+Bo chats: hi+x", "clRed"}));
    EXPECT_EQ(received(actionRelay("3", "Bo", "waves|$00FF0000"), CmdAction, parseActionRelay),
              (ActionRelay{"3+Bo waves", "$00FF0000"}));
    EXPECT_EQ(received(playASoundRelay(3, "wave7+"), CmdPlayASound, parsePlayASoundRelay),
              (PlayASoundRelay{3, "wave7"}));
    EXPECT_EQ(received(startGameAnnounce("Ann", 5, 120), CmdStartGame, parseStartGameAnnounce),
              (StartGameAnnounce{"Ann", 5, 120}));
    EXPECT_EQ(received(roundStart(2, "cold", "warm"), CmdRoundStart, parseRoundStart), (RoundStart{2, "cold", "warm"}));
    EXPECT_EQ(received(nextPlayer(0), CmdNextPlayer, parseNextPlayer), NextPlayer{0});
    EXPECT_EQ(received(goodWord(1, "cord", 3), CmdGoodWord, parseGoodWord), (GoodWord{1, "cord", 3}));
    EXPECT_EQ(received(invalidWord(1, "CoLt", Refusal::NotOneLetter), CmdInvalidWord, parseInvalidWord),
              (InvalidWord{1, "CoLt", 3}));
    EXPECT_EQ(received(completed(6, 20), CmdCompleted, parseCompleted), (Completed{6, 20}));
    const std::vector<ScoreLine> lines = {{1, 270, 50, 170, 100, 4}, {6, -3, 0, 0, 0, 20}};
    EXPECT_EQ(received(postScores(lines), CmdPostScores, parsePostScores), PostScores{lines});
    const std::vector<std::pair<int, std::string>> boxes = {{1, "cord"}, {2, "card"}, {20, "@"}};
    EXPECT_EQ(received(addCorrect(2, boxes), CmdAddCorrect, parseLadder), (Ladder{2, boxes}));
    EXPECT_EQ(received(winner("Klock"), CmdWinner, parseWinner), Winner{"Klock"});
}

TEST(Messages, StatsRoundTripWithEverySeatAndNegativeSeconds)
{
    const Stats s{7, "cold", "warm", true, 1000, 120, -4, {{1, 270}, {2, 0}, {3, 5}, {4, 0}, {5, 0}, {6, -40}}};
    EXPECT_EQ(received(stats(s), CmdStats, parseStats), s);
}

TEST(Messages, RequestWithUnreadableSeatFieldIsRefused)
{
    const struct { const char *args; Probe parses; } cases[] = {
        {"x+1.0.2+Ann", [](std::string_view a) { return parseLoginInfo(a).has_value(); }},
        {"3", [](std::string_view a) { return parseLoginInfo(a).has_value(); }},   // no '+': the seat is ""
        {"+cord+", [](std::string_view a) { return parseSendWord(a).has_value(); }},
        {"three+hi|clRed", [](std::string_view a) { return parseChatRequest(a).has_value(); }},
        {"3.0+hi", [](std::string_view a) { return parseActionRequest(a).has_value(); }},
        {"x+wave7+", [](std::string_view a) { return parsePlayASoundRequest(a).has_value(); }},
        {"4 +1", [](std::string_view a) { return parseJustWatch(a).has_value(); }},
        {"one+4+", [](std::string_view a) { return parseKickHim(a).has_value(); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args);
        EXPECT_FALSE(c.parses(c.args));
    }
}

TEST(Messages, RequestsKeepWhatTheHostReadsAsTyped)
{
    // A word without its closing '+' reads as "".
    EXPECT_EQ(parseSendWord("1+cat"), (SendWord{1, ""}));
    // The seat field is echoed as it came; the rest is not split.
    EXPECT_EQ(parseChatRequest("03+a|b|c"), (ChatRequest{3, "03", "a|b|c"}));
    // Numbers that do not read fall back; the flags stay raw text.
    const auto start = parseStartGameRequest("Ann+lots++1+x+0");
    ASSERT_TRUE(start);
    EXPECT_EQ(*start, (StartGameRequest{"Ann", std::nullopt, std::nullopt, "1", "x", ""}));
    EXPECT_EQ(start->playToOrFallback(), 5);
    EXPECT_EQ(start->timeOrFallback(), 120);
    // The watch flag is the rest: "1+" is neither flag.
    EXPECT_EQ(parseJustWatch("4+1+"), (JustWatch{4, std::nullopt}));
    EXPECT_EQ(parseJustWatch("4+"), (JustWatch{4, std::nullopt}));
    // A target that is not a number still leaves the requester readable.
    EXPECT_EQ(parseKickHim("2+x+"), (KickHim{2, std::nullopt}));
}

TEST(Messages, HostMessageWithUnreadableNumberIsDropped)
{
    const struct { const char *args; Probe parses; } cases[] = {
        {"x", [](std::string_view a) { return parseSendLoginInfo(a).has_value(); }},
        {"two+Bo", [](std::string_view a) { return parseNewPlayerInfo(a).has_value(); }},
        {"+Bo", [](std::string_view a) { return parsePlayerDisconnected(a).has_value(); }},
        {"4", [](std::string_view a) { return parseJustWatching(a).has_value(); }},
        {"x+wave7+", [](std::string_view a) { return parsePlayASoundRelay(a).has_value(); }},
        {"Ann+5", [](std::string_view a) { return parseStartGameAnnounce(a).has_value(); }},
        {"Ann+5+soon+", [](std::string_view a) { return parseStartGameAnnounce(a).has_value(); }},
        {"one+cold+warm+", [](std::string_view a) { return parseRoundStart(a).has_value(); }},
        {"2", [](std::string_view a) { return parseNextPlayer(a).has_value(); }},   // no closing '+'
        {"1+cord+last+", [](std::string_view a) { return parseGoodWord(a).has_value(); }},
        {"1+cord+", [](std::string_view a) { return parseInvalidWord(a).has_value(); }},
        {"1+4", [](std::string_view a) { return parseCompleted(a).has_value(); }},
        {"3+cold+warm+t+1000+soon+57", [](std::string_view a) { return parseStats(a).has_value(); }},
        {"3+cold+warm+t+1000+120+57+1", [](std::string_view a) { return parseStats(a).has_value(); }},
        {"1+120+50+x+40+6", [](std::string_view a) { return parsePostScores(a).has_value(); }},
        {"1+120+50", [](std::string_view a) { return parsePostScores(a).has_value(); }},
        {"", [](std::string_view a) { return parsePostScores(a).has_value(); }},
        {"1+2+3+4+5+6+", [](std::string_view a) { return parsePostScores(a).has_value(); }},
        {"2+one+cord", [](std::string_view a) { return parseLadder(a).has_value(); }},
        {"2+1+cord+@", [](std::string_view a) { return parseLadder(a).has_value(); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args);
        EXPECT_FALSE(c.parses(c.args));
    }
}

TEST(Messages, HostMessagesReadAsTheClientAlwaysHas)
{
    EXPECT_EQ(parseSendLoginInfo("9+x"), SendLoginInfo{9});   // the first field only
    EXPECT_EQ(parseJustWatching("4+1+"), (JustWatching{4, false}));   // only exactly "1" watches
    EXPECT_EQ(parseJustWatching("4+"), (JustWatching{4, false}));
    EXPECT_EQ(parseChatRelay("2+Ann waves"), (ChatRelay{"2+Ann waves", ""}));
    EXPECT_EQ(parseChatRelay("2+a|b|clRed"), (ChatRelay{"2+a", "b|clRed"}));
    EXPECT_EQ(parsePlayASoundRelay("4+wave13"), (PlayASoundRelay{4, ""}));
    // Only "t" lets the newcomer play; scores are the pairs that came, if any.
    EXPECT_EQ(parseStats("3+cold+warm+T+1000+120+57"), (Stats{3, "cold", "warm", false, 1000, 120, 57, {}}));
    EXPECT_EQ(parseStats("3+++t+0+0+0+9+1"), (Stats{3, "", "", true, 0, 0, 0, {{9, 1}}}));
    // The last box's word may be missing its text.
    EXPECT_EQ(parseLadder("2"), (Ladder{2, {}}));
    EXPECT_EQ(parseLadder("2+1"), (Ladder{2, {{1, ""}}}));
    // One closing '+' is the winner message's own; a name may end in '+'.
    EXPECT_EQ(parseWinner("A+B++"), Winner{"A+B+"});
    EXPECT_EQ(parseWinner("Ann"), Winner{"Ann"});
    EXPECT_EQ(received(winner("+"), CmdWinner, parseWinner), Winner{"+"});
}

TEST(Messages, ScoreRecordsOfSeatZeroAreLeftOut)
{
    EXPECT_EQ(received(postScores({}), CmdPostScores, parsePostScores), PostScores{});
    EXPECT_EQ(parsePostScores("0+0+0+0"), PostScores{});
    EXPECT_EQ(parsePostScores("0+9+9+9+9+9+2+10+0+0+0+3"), (PostScores{{{2, 10, 0, 0, 0, 3}}}));
    EXPECT_EQ(parsePostScores("2+10+0+0+0+3+0+x+y"), (PostScores{{{2, 10, 0, 0, 0, 3}}}));   // skipped unread
}
