// The seat table: the next-seat rule, what a released seat forgets, and the
// turn-taking of the inbound queues.
#include "host/seattable.h"

#include <gtest/gtest.h>

#include <vector>

namespace zz {
namespace {

TEST(SeatTable, NextSeatFillsGapsLowestFirstThenGrowsUntilFull)
{
    SeatTable table;
    const struct
    {
        const char *name;
        int release; // 0: none
        int taken;   // what take() gives afterwards
        int highest;
    } steps[] = {{"first", 0, 1, 1},
                 {"second", 0, 2, 2},
                 {"third", 0, 3, 3},
                 {"gap below the highest", 2, 2, 3},
                 {"the highest left", 3, 3, 3},
                 {"no gap: grow", 0, 4, 4}};
    for (const auto &s : steps) {
        SCOPED_TRACE(s.name);
        if (s.release != 0) {
            ASSERT_TRUE(table.release(s.release));
        }
        EXPECT_EQ(table.take(), s.taken);
        EXPECT_EQ(table.highestSeat(), s.highest);
    }
    for (int seat = 5; seat <= 9; ++seat)
        EXPECT_EQ(table.take(), seat);
    EXPECT_EQ(table.take(), SeatTable::FullSeat);
    EXPECT_EQ(table.highestSeat(), 9);
    table.release(9);
    table.release(4);
    EXPECT_EQ(table.take(), 4);
    EXPECT_EQ(table.take(), 9);
}

TEST(SeatTable, ReleaseForgetsWhatTheConnectionLeftSoNoSuccessorIsBlamed)
{
    SeatTable table;
    table.take();
    table.take();
    table.setName(2, "Mallory");
    ASSERT_TRUE(table.receive(2, "CMD_kickhim+2+1+\xff"
                                 "CMD_kick"));
    EXPECT_EQ(table.release(2), "Mallory");
    EXPECT_EQ(table.release(2), std::nullopt); // announced once, whichever side closed
    EXPECT_EQ(table.queuedEntries(), 0u);
    EXPECT_TRUE(table.finished(2)); // a seat left mid-round is not played by its successor

    EXPECT_EQ(table.take(), 2);
    EXPECT_EQ(table.name(2), "");
    ASSERT_TRUE(table.receive(2, "him+2+1+" + std::string(wire::MaxEntryLength, 'x') + '\xff'));
    const auto entry = table.nextEntry();
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->seat, 2);
    // Not the unfinished tail of the one before; cut to what is ever read.
    EXPECT_EQ(entry->text, "him+2+1+" + std::string(wire::MaxEntryLength - 8, 'x'));
}

TEST(SeatTable, QueuesAreServedOneEntryPerConnectionInTurn)
{
    SeatTable table;
    for (int seat = 1; seat <= 9; ++seat)
        table.take();
    auto served = [&table](int count) {
        std::vector<int> seats;
        while (count-- > 0)
            if (const auto entry = table.nextEntry())
                seats.push_back(entry->seat);
        return seats;
    };
    std::string flood;
    for (int i = 0; i < 50; ++i)
        flood += "spam\xff";
    ASSERT_TRUE(table.receive(2, flood));
    ASSERT_TRUE(table.receive(9, "a\xff"
                                 "b\xff"));
    ASSERT_TRUE(table.receive(5, "c\xff"));
    EXPECT_EQ(served(6), (std::vector<int>{2, 5, 9, 2, 9, 2}));

    // The turn wraps from the last seat to the first.
    ASSERT_TRUE(table.receive(1, "d\xff"));
    ASSERT_TRUE(table.receive(9, "e\xff"));
    EXPECT_EQ(served(3), (std::vector<int>{9, 1, 2}));
    EXPECT_EQ(served(100).size(), 46u); // the flood keeps its count
}

} // namespace
} // namespace zz
