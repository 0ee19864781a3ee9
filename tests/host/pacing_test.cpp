// Each connection's pace: the token bucket on its own, and the host handling
// messages on arrival while a connection's pace allows, on a clock the tests move.
#include "host/tokenbucket.h"
#include "hostfixture.h"

#include <chrono>

namespace zz::test {
namespace {

using namespace std::chrono_literals;
using Time = TokenBucket::Time;

constexpr Time Start = 1h;

int drainTokens(TokenBucket &bucket, Time now)
{
    int taken = 0;
    while (taken < 1000 && bucket.take(now))
        ++taken;
    return taken;
}

TEST(TokenBucket, FullBucketLetsTheBurstGoAtOnce)
{
    TokenBucket bucket(100, 20);
    EXPECT_EQ(drainTokens(bucket, Start), 20);
    EXPECT_EQ(bucket.nextTokenAt(), Start + 10ms);
    EXPECT_FALSE(bucket.take(Start + 10ms - 1us));
    EXPECT_TRUE(bucket.take(Start + 10ms));
    EXPECT_FALSE(bucket.take(Start + 10ms));
}

TEST(TokenBucket, RefillsAtTheSteadyRateUpToTheBurst)
{
    const struct
    {
        const char *name;
        Time idle;
        int tokens;
    } cases[] = {{"just short of one interval", 9999us, 0}, {"one interval", 10ms, 1},
                 {"five and a half intervals", 55ms, 5},   {"the whole burst", 200ms, 20},
                 {"a long idle lends no more", 1h, 20}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TokenBucket bucket(100, 20);
        drainTokens(bucket, Start);
        EXPECT_EQ(drainTokens(bucket, Start + c.idle), c.tokens);
    }
}

TEST(TokenBucket, SteadyDemandGetsTheRateAndNoMore)
{
    TokenBucket bucket(100, 20);
    int taken = 0;
    for (Time t = Start; t < Start + 1s; t += 1ms)
        taken += bucket.take(t) ? 1 : 0;
    EXPECT_EQ(taken, 20 + 99); // the burst, then one every 10 ms after the first
}

class Pacing : public HostFixture
{
protected:
    // count numbered chat lines from seat, in one read.
    void chatLines(int seat, int count)
    {
        std::string lines;
        for (int i = 0; i < count; ++i)
            lines += "CMD_chat+" + std::to_string(seat) + "+line " + std::to_string(i) + "|x\xff";
        host.bytesReceived(seat, lines);
    }
    // The numbers of the lines of seat relayed to seat 1, in the order sent.
    std::vector<int> relayedFrom(int seat) const
    {
        const std::string prefix = "CMD_chat+" + std::to_string(seat) + "+P" + std::to_string(seat) + " chats: line ";
        std::vector<int> numbers;
        for (const std::string &text : to(1, prefix))
            numbers.push_back(std::stoi(text.substr(prefix.size())));
        return numbers;
    }
    static std::vector<int> upTo(int count)
    {
        std::vector<int> numbers(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            numbers[static_cast<std::size_t>(i)] = i;
        return numbers;
    }
};

TEST_F(Pacing, QuietConnectionIsHandledOnArrivalWithNoTimer)
{
    seatPlayers(2);
    host.bytesReceived(2, "CMD_chat+2+hi|x\xff");
    EXPECT_EQ(to(1), std::vector<std::string>{"CMD_chat+2+P2 chats: hi|x"});
    EXPECT_EQ(host.queuedEntries(), 0u);
    EXPECT_FALSE(host.dispatchScheduled());
}

TEST_F(Pacing, EachConnectionGoesAtItsOwnPaceInItsOwnOrder)
{
    seatPlayers(3);
    chatLines(2, 50);
    chatLines(3, 50);
    EXPECT_EQ(relayedFrom(2), upTo(SeatTable::PaceBurst));
    EXPECT_EQ(relayedFrom(3), upTo(SeatTable::PaceBurst));
    EXPECT_TRUE(host.dispatchScheduled());

    // One interval later one more of each, not one for the whole table.
    later(10ms);
    EXPECT_EQ(relayedFrom(2), upTo(SeatTable::PaceBurst + 1));
    EXPECT_EQ(relayedFrom(3), upTo(SeatTable::PaceBurst + 1));

    drain();
    EXPECT_EQ(relayedFrom(2), upTo(50));
    EXPECT_EQ(relayedFrom(3), upTo(50));
    EXPECT_FALSE(host.dispatchScheduled());
}

TEST_F(Pacing, FloodIsHeldToTheSteadyRate)
{
    seatPlayers(2);
    chatLines(2, 300);
    for (int step = 0; step < 100; ++step)
        later(10ms);
    EXPECT_EQ(relayedFrom(2), upTo(SeatTable::PaceBurst + 100));
    EXPECT_EQ(host.queuedEntries(), 300u - SeatTable::PaceBurst - 100);
}

TEST_F(Pacing, ClosedConnectionLeavesNothingWaiting)
{
    seatPlayers(2);
    chatLines(2, 100);
    ASSERT_TRUE(host.dispatchScheduled());
    host.bytesReceived(1, "CMD_kickhim+1+2+\xff");
    EXPECT_EQ(closed, std::vector<int>{2});
    EXPECT_EQ(host.queuedEntries(), 0u);
    EXPECT_FALSE(host.dispatchScheduled());

    // The next occupant starts with a full pace of its own.
    EXPECT_EQ(connect(), 2);
    login(2, "Q2");
    sent.clear();
    chatLines(2, SeatTable::PaceBurst - 1);
    EXPECT_EQ(host.queuedEntries(), 0u);
}

TEST_F(Pacing, InputArrivingInsideAHandlerWaitsForTheHandlerToEnd)
{
    seatPlayers(3);
    int depth = 0;
    int depthOfInner = -1;
    onSend = [&](int seat, const std::string &text) {
        if (text.find("inner") != std::string::npos && seat == 1)
            depthOfInner = depth;
        if (seat == 3 && text == "CMD_chat+2+P2 chats: outer|x") {
            ++depth;
            host.bytesReceived(3, "CMD_chat+3+inner|x\xff");
            --depth;
        }
    };
    host.bytesReceived(2, "CMD_chat+2+outer|x\xff");
    EXPECT_EQ(depthOfInner, 0); // handled after the outer message, not inside its send
    EXPECT_EQ(to(1), (std::vector<std::string>{"CMD_chat+2+P2 chats: outer|x", "CMD_chat+3+P3 chats: inner|x"}));
}

} // namespace
} // namespace zz::test
