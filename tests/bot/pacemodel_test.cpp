// The computer player's pace: drawn around the Bot Speed interval, never on a
// fixed beat, slower speeds slower and more wandering.
#include "bot/pacemodel.h"
#include "store/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace zz {
namespace {

std::vector<int> thinkingTimes(const PaceModel &pace, bool lastStep)
{
    BotRandom random(42);
    std::vector<int> ms;
    for (int i = 0; i < 2000; ++i)
        ms.push_back(pace.thinkingMs(random, lastStep));
    std::sort(ms.begin(), ms.end());
    return ms;
}

TEST(PaceModel, ThinkingTimesSpreadAroundSeveralIntervals)
{
    double lastDetours = 0;
    for (const int interval : {BotSpeedFast, BotSpeedNormal, BotSpeedSlow}) {
        SCOPED_TRACE(interval);
        const PaceModel pace(interval);
        const std::vector<int> ms = thinkingTimes(pace, false);
        EXPECT_GT(std::set<int>(ms.begin(), ms.end()).size(), ms.size() / 4);   // no fixed beat
        EXPECT_GE(ms.front(), PaceModel::MinIntervals * interval);
        EXPECT_LE(ms.back(), PaceModel::MaxIntervals * interval);
        EXPECT_NEAR(ms[ms.size() / 2] / double(interval), PaceModel::MedianIntervals, 0.5);
        // The end word in sight is typed sooner.
        EXPECT_LT(thinkingTimes(pace, true)[ms.size() / 2], ms[ms.size() / 2]);
        EXPECT_GT(pace.detourChance(), lastDetours);
        lastDetours = pace.detourChance();
    }
}

} // namespace
} // namespace zz
