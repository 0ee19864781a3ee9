#pragma once
// How fast a computer player plays: a pause to read the round's two words,
// then a thinking time for every word, each drawn around the Bot Speed
// interval, so that no two words come on the same beat. Slower players also
// wander off the shortest ladder more often. Plain C++: no Qt.
#include <random>

namespace zz {

using BotRandom = std::mt19937;

class PaceModel
{
public:
    // A word takes this many intervals for half of the words, fewer or more
    // for the rest (a log-normal spread, cut at the bounds below).
    static constexpr double MedianIntervals = 6.5;
    static constexpr double Spread = 0.45;
    static constexpr double MinIntervals = 2.0;
    static constexpr double MaxIntervals = 20.0;
    // The end word one letter away is seen at once, or nearly.
    static constexpr double LastStepFactor = 0.6;
    // Reading the start and end word, in intervals.
    static constexpr double MinReadingIntervals = 2.0;
    static constexpr double MaxReadingIntervals = 4.0;

    // An interval of 1 ms or more; anything less counts as 1.
    explicit PaceModel(int intervalMs = 1000);

    int intervalMs() const { return m_intervalMs; }
    // Milliseconds from the play signal until the thinking for the first word starts.
    int readingPauseMs(BotRandom &random) const;
    // Milliseconds spent finding one word; lastStep: the word is the end word.
    int thinkingMs(BotRandom &random, bool lastStep) const;
    // Milliseconds from seeing a ladder completed to pressing a phrase button.
    int phraseDelayMs(BotRandom &random) const;
    // The chance that a word is a detour that brings the ladder no closer:
    // from 5% at 500 ms to 22% at 2000 ms and over.
    double detourChance() const;

private:
    int m_intervalMs;
};

} // namespace zz
