#include "core/chatline.h"

#include <gtest/gtest.h>

using namespace zz;

namespace {

ChatRun text(std::string bytes, int style)
{
    return {ChatRun::Text, std::move(bytes), style, 0};
}

ChatRun link(std::string bytes)
{
    return {ChatRun::Link, std::move(bytes), LinkStyle, 0};
}

ChatRun smiley(int index, int style)
{
    return {ChatRun::Smiley, smileyCode(index), style, index};
}

std::vector<ChatRun> runsOf(std::string_view line)
{
    const auto parsed = parseChatLine(line, colour::Black);
    return parsed ? parsed->runs : std::vector<ChatRun>{};
}

} // namespace

TEST(ChatReceive, CutsAtFirstBarAndReadsColour)
{
    const struct { const char *name; const char *text; const char *line; Colour colour; } cases[] = {
        {"named colour", "2+Ann chats: hello|clNavy", "2+Ann chats: hello", colour::Navy},
        {"hex colour", "2+Ann waves|$00FF0000", "2+Ann waves", colour::Blue},
        {"no bar gives red", "2+Ann chats: hello", "2+Ann chats: hello", colour::Red},
        {"bar in the text: cut at the first, colour unreadable", "2+Ann chats: a|b|clNavy", "2+Ann chats: a",
         colour::Red},
        {"empty colour", "2+Ann chats: x|", "2+Ann chats: x", colour::Red},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const ReceivedChat received = splitReceivedChat(c.text);
        EXPECT_EQ(received.line, c.line);
        EXPECT_EQ(received.colour, c.colour);
    }
}

TEST(ChatLineParse, RelayedChatFromSeatTwo)
{
    const auto line = parseChatLine("2+Ann chats: hello", colour::Navy);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->seat, 2);
    EXPECT_EQ(line->style, 7);
    EXPECT_EQ(line->colour, colour::Navy);
    EXPECT_EQ(line->runs, (std::vector<ChatRun>{text("Ann chats: ", 7), text(" ", 7), text("hello ", 7)}));
}

TEST(ChatLineParse, SystemLineWithoutColonHasEmptyHead)
{
    const auto line = parseChatLine("0+You are Connected.", SystemLineColour);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->style, SystemStyle);
    EXPECT_EQ(line->runs, (std::vector<ChatRun>{text(" ", 0), text("You ", 0), text("are ", 0),
                                                text("Connected. ", 0)}));
}

TEST(ChatLineParse, SpacesBecomeOneSpaceWords)
{
    EXPECT_EQ(runsOf("9+a:  b"), (std::vector<ChatRun>{text("a: ", 14), text(" ", 14), text(" ", 14),
                                                       text("b ", 14)}));
    EXPECT_EQ(runsOf("1+x:"), (std::vector<ChatRun>{text("x: ", 6)})) << "nothing after the head";
}

TEST(ChatLineParse, SmileyCodes)
{
    const struct { const char *name; const char *line; std::vector<ChatRun> runs; } cases[] = {
        {"valid code between words", "3+h: a:)#12b",
         {text("h: ", 8), text(" ", 8), text("a ", 8), smiley(2, 8), text("b ", 8)}},
        {"code that is no integer", "3+h::)#5x", {text("h: ", 8), text(" ", 8), smiley(0, 8)}},
        {"code out of range", "3+h::)#99", {text("h: ", 8), text(" ", 8), smiley(0, 8)}},
        {"code below range", "3+h::)#09z", {text("h: ", 8), text(" ", 8), smiley(0, 8), text("z ", 8)}},
        {"highest code", "3+h::)#27", {text("h: ", 8), text(" ", 8), smiley(17, 8)}},
        {"marker at the very end", "3+h::)#", {text("h: ", 8), text(" ", 8), smiley(0, 8)}},
        {"one character left", "3+h::)#1", {text("h: ", 8), text(" ", 8), smiley(0, 8)}},
        {"two in a row", "3+h::)#10:)#11",
         {text("h: ", 8), text(" ", 8), smiley(0, 8), text(" ", 8), smiley(1, 8)}},
        {"head takes the smiley's colon", "0+a:)#12", {text("a: ", 0), text(")#12 ", 0)}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(runsOf(c.line), c.runs);
    }
}

TEST(ChatLineParse, LinksInAnyCaseKeepTheirTrailingSpace)
{
    EXPECT_EQ(runsOf("4+Bo chats: see WWW.Example.com now"),
              (std::vector<ChatRun>{text("Bo chats: ", 9), text(" ", 9), text("see ", 9), link("WWW.Example.com "),
                                    text("now ", 9)}));
    EXPECT_EQ(runsOf("4+Bo: HTTP://x.org"), (std::vector<ChatRun>{text("Bo: ", 9), text(" ", 9), link("HTTP://x.org ")}));
    EXPECT_TRUE(isLinkWord("(www.a.b)"));
    EXPECT_FALSE(isLinkWord("https://secure.example")) << "only the two markers make a link";
    EXPECT_FALSE(isLinkWord("www"));
}

TEST(ChatLineParse, RefusesLinesWithoutASeat)
{
    for (const char *line : {"", "hello", "x+hello", "+hello", "2.5+hi", "-1+hi", "10+hi", "99999999999+hi"}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(parseChatLine(line, colour::Black).has_value());
    }
    EXPECT_TRUE(parseChatLine("9+watcher: hi", colour::Black).has_value());
}

TEST(ChatSend, ComposesChatActionOrNothing)
{
    const struct {
        const char *name;
        bool loggedIn;
        const char *box;
        ChatSend::Kind kind;
        const char *text;
        bool emptyBox;
    } cases[] = {
        {"chat", true, "hello", ChatSend::Chat, "hello", true},
        {"action", true, "/me waves", ChatSend::Action, "waves", true},
        {"bare action", true, "/me", ChatSend::Action, "", true},
        {"action without a space loses a letter", true, "/mewaves", ChatSend::Action, "aves", true},
        {"other slash command", true, "/who", ChatSend::Nothing, "", true},
        {"empty box", true, "", ChatSend::Nothing, "", true},
        {"not logged in keeps the box", false, "hello", ChatSend::Nothing, "", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const ChatSend send = composeChat(c.loggedIn, c.box);
        EXPECT_EQ(send.kind, c.kind);
        EXPECT_EQ(send.text, c.text);
        EXPECT_EQ(send.emptyBox, c.emptyBox);
    }
}

TEST(ChatSend, NeverSendsTheTerminatorByte)
{
    EXPECT_EQ(composeChat(true, "caf\xff!").text, "caf?!");
    EXPECT_EQ(composeChat(true, "/me \xff").text, "?");
}
