// The turn clock without timers: the count, its events and its wrap-around.
#include "host/turnclock.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace zz {
namespace {

using Event = TurnClock::Event;

// The ticks (1-based) at which something happened, with what.
std::vector<std::pair<int, Event>> events(TurnClock &clock, int ticks)
{
    std::vector<std::pair<int, Event>> seen;
    for (int tick = 1; tick <= ticks; ++tick)
        if (const Event event = clock.tick(); event != Event::None)
            seen.emplace_back(tick, event);
    return seen;
}

TEST(TurnClock, TurnRunsItsLeadThenAGraceThenEnds)
{
    TurnClock clock;
    clock.startTurn(30);
    EXPECT_EQ(clock.secondsLeft(), 30);
    EXPECT_EQ(clock.elapsedSeconds(), -4); // inside the round's first four seconds
    EXPECT_TRUE(events(clock, 33).empty());
    EXPECT_EQ(clock.elapsedSeconds(), 29);
    EXPECT_TRUE(clock.running());

    EXPECT_EQ(clock.tick(), Event::TimeUp);
    EXPECT_EQ(clock.purpose(), TurnClock::Purpose::Grace);
    EXPECT_EQ(clock.secondsLeft(), -2); // what a newcomer sees during the grace
    EXPECT_EQ(events(clock, 10), (std::vector<std::pair<int, Event>>{{2, Event::GraceOver}}));
    EXPECT_EQ(clock.purpose(), TurnClock::Purpose::Idle);
}

TEST(TurnClock, PauseEndsAfterFifteenSecondsAndAStoppedClockStandsStill)
{
    TurnClock clock;
    clock.startPause();
    EXPECT_EQ(events(clock, 20), (std::vector<std::pair<int, Event>>{{15, Event::PauseOver}}));

    clock.startTurn(120);
    events(clock, 10);
    clock.stop();
    EXPECT_TRUE(events(clock, 200).empty());
    EXPECT_EQ(clock.counter(), 114); // kept for whoever asks how much was left
    EXPECT_FALSE(clock.running());
}

TEST(TurnClock, CountWrapsAsA32BitCounterAtTheExtremes)
{
    const struct
    {
        const char *name;
        int timePerTurn, counter, secondsLeft;
        std::int64_t elapsed;
        Event firstTick;
    } cases[] = {
        {"largest time: the lead wraps", INT_MAX, INT_MIN + 3, INT_MAX, 4294967292, Event::TimeUp},
        {"largest time the lead fits", INT_MAX - 4, INT_MAX, INT_MAX - 4, -4, Event::None},
        {"smallest time", INT_MIN, INT_MIN + 4, INT_MIN, -4, Event::TimeUp},
        {"lead used up", -4, 0, -4, -4, Event::TimeUp},
        {"one second", -3, 1, -3, -4, Event::TimeUp},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TurnClock clock;
        clock.startTurn(c.timePerTurn);
        EXPECT_EQ(clock.counter(), c.counter);
        EXPECT_EQ(clock.secondsLeft(), c.secondsLeft);
        EXPECT_EQ(clock.elapsedSeconds(), c.elapsed);
        EXPECT_EQ(clock.tick(), c.firstTick);
    }
}

} // namespace
} // namespace zz
