#include "core/wire.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zz::wire;
using namespace std::string_literals;

namespace {

// "\xff" spelled once so the expected strings below read like the wire.
const std::string FF = "\xff"s;

std::vector<std::string> drain(FrameSplitter &splitter)
{
    std::vector<std::string> out;
    while (auto entry = splitter.next())
        out.push_back(*entry);
    return out;
}

} // namespace

TEST(FrameSplitter, TwoMessagesInOneReadBecomeTwoEntries)
{
    FrameSplitter s;
    ASSERT_TRUE(s.feed("CMD_timeup+" + FF + "CMD_nextplayer+2+" + FF));
    EXPECT_EQ(drain(s), (std::vector<std::string>{"CMD_timeup+", "CMD_nextplayer+2+"}));
    EXPECT_EQ(s.pendingBytes(), 0u);
}

TEST(FrameSplitter, RebuildsMessageSplitAcrossReads)
{
    FrameSplitter s;
    ASSERT_TRUE(s.feed("CMD_goodw"));
    EXPECT_TRUE(drain(s).empty());
    ASSERT_TRUE(s.feed("ord+1+cord+1+" + FF + "CMD_ti"));
    EXPECT_EQ(drain(s), (std::vector<std::string>{"CMD_goodword+1+cord+1+"}));
    ASSERT_TRUE(s.feed("meup+" + FF));
    EXPECT_EQ(drain(s), (std::vector<std::string>{"CMD_timeup+"}));
}

TEST(FrameSplitter, DoubleTerminatorGivesAnEmptyEntry)
{
    FrameSplitter s;
    ASSERT_TRUE(s.feed("CMD_logininfo+3+1.0.2+Ann" + FF + FF));
    EXPECT_EQ(drain(s), (std::vector<std::string>{"CMD_logininfo+3+1.0.2+Ann", ""}));
}

TEST(FrameSplitter, KeepsOtherBytesIncludingZero)
{
    FrameSplitter s;
    const std::string body("a\0b+\xfe", 5);
    ASSERT_TRUE(s.feed(body + FF));
    EXPECT_EQ(drain(s), (std::vector<std::string>{body}));
}

TEST(FrameSplitter, RefusesAnEndlessMessageButKeepsWhatCameBefore)
{
    FrameSplitter s;
    ASSERT_TRUE(s.feed("CMD_full+" + FF + std::string(MaxPendingBytes, 'x')));
    EXPECT_FALSE(s.feed("x"));
    EXPECT_EQ(drain(s), (std::vector<std::string>{"CMD_full+"}));
    EXPECT_EQ(s.pendingBytes(), 0u);
}

TEST(InboundQueue, CutsLongEntriesWhenTakenAndKeepsOrder)
{
    InboundQueue q;
    ASSERT_TRUE(q.push(std::string(5000, 'a')));
    ASSERT_TRUE(q.push(std::string(MaxEntryLength, 'b')));
    EXPECT_EQ(q.pop(), std::string(MaxEntryLength, 'a'));
    EXPECT_EQ(q.pop(), std::string(MaxEntryLength, 'b'));
    EXPECT_EQ(q.pop(), "");   // an empty queue yields an empty text
    EXPECT_TRUE(q.empty());
}

TEST(InboundQueue, RefusesEntriesPastItsBound)
{
    InboundQueue q;
    for (std::size_t i = 0; i < MaxQueuedEntries; ++i)
        ASSERT_TRUE(q.push(std::to_string(i)));
    EXPECT_FALSE(q.push("one too many"));
    EXPECT_EQ(q.size(), MaxQueuedEntries);
    EXPECT_EQ(q.pop(), "0");
}

TEST(SplitCommand, CommandWordAndArguments)
{
    const struct { const char *entry, *word, *args; } cases[] = {
        {"CMD_sendword+1+cord+", "CMD_sendword", "1+cord+"},
        {"CMD_full+", "CMD_full", ""},
        {"receivedlist", "", ""},   // no '+' at all: an empty command word
        {"", "", ""},
        {"+x", "", "x"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.entry);
        const Command cmd = splitCommand(c.entry);
        EXPECT_EQ(cmd.word, c.word);
        EXPECT_EQ(cmd.args, c.args);
    }
}

TEST(TakeField, CutsFromTheFrontAndLeavesTheRest)
{
    std::string_view rest = "3+1.0.2+A+B";
    EXPECT_EQ(takeField(rest), "3");
    EXPECT_EQ(takeField(rest), "1.0.2");
    EXPECT_EQ(rest, "A+B");   // a last-field name keeps its '+'
    EXPECT_EQ(takeField(rest), "A");
    EXPECT_EQ(takeField(rest), "");   // no '+' left: empty field, rest unchanged
    EXPECT_EQ(rest, "B");
}

TEST(TakeField, EmptyFieldsBetweenSeparators)
{
    std::string_view rest = "++x+";
    EXPECT_EQ(takeField(rest), "");
    EXPECT_EQ(takeField(rest), "");
    EXPECT_EQ(takeField(rest), "x");
    EXPECT_EQ(rest, "");
}

TEST(TakeField, FlagWithoutTrailingSeparatorIsTheRest)
{
    std::string_view rest = "4+1+";
    takeField(rest);
    EXPECT_EQ(rest, "1+");   // a writer that adds '+' gets "1+", which is not "1"
}

TEST(ToInteger, AcceptsThePlatformForms)
{
    const struct { const char *text; int value; } cases[] = {
        {"0", 0}, {"7", 7}, {"03", 3}, {"-7", -7}, {"+12", 12}, {"$1F", 31}, {"$ff", 255},
        {"-$10", -16}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"$FFFFFFFF", -1}, {"$7FFFFFFF", 2147483647},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(toInteger(c.text), c.value);
    }
}

TEST(ToInteger, RefusesEverythingElse)
{
    const char *cases[] = {"", "-", "+", "$", "abc", "1.5", " 1", "1 ", "12a", "0x10", "$G",
                           "2147483648", "-2147483649", "$100000000", "--1", "$-1", "1+"};
    for (const char *text : cases) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(toInteger(text).has_value());
    }
}

// Every layout a game sends is read back byte for byte where the host and the
// session send it (the host fixture, the session and window tests); these are
// the edges no game of those tests sends.
TEST(Builders, LayoutsAtTheirEdges)
{
    EXPECT_EQ(startGameRequest("Bo", "", "x", false, true, true), "CMD_startgame+Bo++x+0+1+1+" + FF);
    EXPECT_EQ(postScores({}), "CMD_postscores+0+0+0+0" + FF);
    EXPECT_EQ(addCorrect(2, {}), "CMD_addcorrect+2" + FF);
    EXPECT_EQ(loginInfo(2, "1.0.2", "A+B"), "CMD_logininfo+2+1.0.2+A+B" + FF + FF);
}

TEST(Builders, EveryMessageRoundTripsThroughTheSplitter)
{
    // Each builder's output is exactly one frame (loginInfo adds one empty one).
    const std::string all = sendWord(1, "cord") + loginInfo(1, "1.0.2", "You") + timeUp();
    FrameSplitter s;
    ASSERT_TRUE(s.feed(all));
    EXPECT_EQ(drain(s), (std::vector<std::string>{"CMD_sendword+1+cord+", "CMD_logininfo+1+1.0.2+You", "",
                                                  "CMD_timeup+"}));
}
