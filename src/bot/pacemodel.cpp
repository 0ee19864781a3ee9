#include "bot/pacemodel.h"

#include <algorithm>
#include <cmath>

namespace zz {

namespace {

constexpr double FastestMs = 500;
constexpr double FastDetours = 0.05;
constexpr double DetoursPerDoubling = 0.085;   // 0.22 at 2000 ms
constexpr double MaxDetours = 0.22;

int rounded(double ms)
{
    return static_cast<int>(std::lround(ms));
}

} // namespace

PaceModel::PaceModel(int intervalMs) : m_intervalMs(std::max(1, intervalMs)) {}

int PaceModel::readingPauseMs(BotRandom &random) const
{
    std::uniform_real_distribution<double> intervals(MinReadingIntervals, MaxReadingIntervals);
    return rounded(intervals(random) * m_intervalMs);
}

int PaceModel::thinkingMs(BotRandom &random, bool lastStep) const
{
    std::lognormal_distribution<double> intervals(std::log(MedianIntervals), Spread);
    double drawn = std::clamp(intervals(random), MinIntervals, MaxIntervals);
    if (lastStep)
        drawn *= LastStepFactor;
    return rounded(drawn * m_intervalMs);
}

int PaceModel::phraseDelayMs(BotRandom &random) const
{
    // Pressing a button is quick whatever the speed: one to three seconds.
    std::uniform_int_distribution<int> ms(1000, 3000);
    return ms(random);
}

double PaceModel::detourChance() const
{
    const double doublings = std::log2(std::max(1.0, m_intervalMs / FastestMs));
    return std::min(MaxDetours, FastDetours + DetoursPerDoubling * doublings);
}

} // namespace zz
