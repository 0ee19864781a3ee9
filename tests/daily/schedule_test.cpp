#include "daily/schedule.h"
#include "daily/wordgraph.h"
#include "dict/builtindata.h"
#include "dict/laddersolver.h"
#include "dict/wordpool.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

TEST(Schedule, EveryDayOfTheShippedFileIsFair)
{
    const zz::DailySchedule &schedule = zz::builtinSchedule();
    ASSERT_EQ(schedule.error(), "");
    ASSERT_GE(schedule.days().size(), 3653u);   // ten years and more
    EXPECT_EQ(schedule.days().front().date, zz::DailySchedule::FirstDay);

    const zz::WordPool pool(zz::builtinWordPool());
    std::vector<std::string> poolWords;
    for (std::size_t i = 0; i < pool.size(); ++i)
        poolWords.push_back(pool.at(i));
    const zz::WordGraph poolGraphs[] = {{poolWords, 4}, {poolWords, 5}};
    const zz::LadderSolver &solver = zz::builtinLadderSolver();

    std::set<std::pair<std::string, std::string>> pairs;
    const zz::DailyPuzzle *previous = nullptr;
    for (const zz::DailyPuzzle &day : schedule.days()) {
        SCOPED_TRACE(std::to_string(day.number) + " " + day.start + " " + day.end);
        const std::size_t length = zz::weekdayOf(day.date) >= 5 ? 5 : 4;
        ASSERT_EQ(day.start.size(), length);
        const zz::WordGraph &graph = poolGraphs[length - 4];
        ASSERT_TRUE(graph.contains(day.start) && graph.contains(day.end));
        ASSERT_GE(day.par, 4);
        ASSERT_LE(day.par, 6);
        for (std::size_t i = 0; i < length; ++i)
            ASSERT_NE(day.start[i], day.end[i]);
        // Par is the dictionary's shortest ladder, and round words alone reach it twice over.
        ASSERT_EQ(solver.distance(day.start, day.end), day.par);
        const zz::WordGraph::Reach reach = graph.reach(day.start, day.end, 2);
        ASSERT_EQ(reach.steps, day.par);
        ASSERT_EQ(reach.ladders, 2);
        ASSERT_TRUE(pairs.insert(std::minmax(day.start, day.end)).second);
        if (previous) {
            for (const std::string &word : {previous->start, previous->end})
                ASSERT_TRUE(word != day.start && word != day.end) << word;
        }
        previous = &day;
    }
}

TEST(Schedule, ReadsDaysInSequenceAndStopsAtTheFirstBadLine)
{
    const struct
    {
        const char *name, *text;
        std::size_t days;
        bool error;
    } cases[] = {
        {"two days", "1 2026-12-01 COLD WARM 4\n2 2026-12-02 HEAD TAIL 5\n", 2, false},
        {"no final newline", "1 2026-12-01 COLD WARM 4", 1, false},
        {"a day skipped", "1 2026-12-01 COLD WARM 4\n3 2026-12-03 HEAD TAIL 5\n", 1, true},
        {"number and date disagree", "1 2026-12-02 COLD WARM 4\n", 0, true},
        {"lower case", "1 2026-12-01 cold warm 4\n", 0, true},
        {"lengths differ", "1 2026-12-01 COLD WARMS 4\n", 0, true},
        {"extra field", "1 2026-12-01 COLD WARM 4 x\n", 0, true},
        {"par missing", "1 2026-12-01 COLD WARM\n", 0, true},
        {"blank line", "1 2026-12-01 COLD WARM 4\n\n", 1, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const zz::DailySchedule schedule(c.text);
        EXPECT_EQ(schedule.days().size(), c.days);
        EXPECT_EQ(!schedule.error().empty(), c.error);
    }
    const zz::DailySchedule schedule("1 2026-12-01 COLD WARM 4\n2 2026-12-02 HEAD TAIL 5\n");
    EXPECT_EQ(schedule.puzzleOn(*zz::parseDate("2026-12-02"))->start, "HEAD");
    EXPECT_FALSE(schedule.puzzleOn(*zz::parseDate("2026-11-30")));
    EXPECT_FALSE(schedule.puzzleOn(*zz::parseDate("2026-12-03")));
    EXPECT_FALSE(schedule.puzzle(0));
}

TEST(WordGraph, FindsDifferentShortestLadders)
{
    const zz::WordGraph graph({"cold", "cord", "card", "ward", "warm", "word", "worm", "quiz", "cat"}, 4);
    // Through CARD WARD, WORD WARD and WORD WORM.
    const auto ladders = graph.shortestLadders("COLD", "warm", 5);
    ASSERT_EQ(ladders.size(), 3u);
    EXPECT_EQ(std::set(ladders.begin(), ladders.end()).size(), 3u);
    for (const auto &ladder : ladders) {
        EXPECT_EQ(ladder.size(), 5u);
        EXPECT_EQ(ladder.front(), "COLD");
        EXPECT_EQ(ladder.back(), "WARM");
    }
    EXPECT_EQ(graph.reach("cold", "warm", 5).ladders, 3);
    EXPECT_EQ(graph.reach("cold", "warm", 2).ladders, 2);
    EXPECT_EQ(graph.shortestLadders("COLD", "WARM", 2).size(), 2u);
    EXPECT_TRUE(graph.shortestLadders("COLD", "CAT", 3).empty());
    EXPECT_EQ(graph.reach("COLD", "QUIZ", 2).steps, -1);
}
