// Plays the pool's rounds with the computer player's own mind and pace on a
// simulated clock (no real waiting) and reports, for each Bot Speed and word
// length, the share of rounds finished within the round's 120 seconds and
// the median finishing time. Used to tune the pace against people: Fast
// should beat a quick person, Normal be an even match, Slow be beatable by a
// beginner.
#include "bot/botmind.h"
#include "bot/pacemodel.h"
#include "dict/builtindata.h"
#include "dict/dictionary.h"
#include "dict/laddersolver.h"
#include "dict/wordpool.h"
#include "host/rounddraw.h"
#include "host/scoring.h"
#include "store/settings.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr double RoundSeconds = 120;
constexpr double Unfinished = std::numeric_limits<double>::infinity();

struct Outcome
{
    double seconds = Unfinished;   // to the end word
    int words = 0;
    bool valid = true;   // every word one letter on and in the dictionary
};

// One round as the live player plays it: a reading pause, then one word per
// thinking time, each taken at once as the host would take it.
Outcome playRound(const zz::RoundWords &words, const zz::PaceModel &pace, zz::BotRandom &random)
{
    const zz::Dictionary &dictionary = zz::builtinDictionary();
    zz::BotMind mind(dictionary, zz::builtinLadderSolver());
    mind.startRound(words.start, words.end);
    Outcome outcome;
    double ms = pace.readingPauseMs(random);
    while (!mind.finished()) {
        ms += pace.thinkingMs(random, mind.oneStepLeft());
        const std::optional<std::string> word = mind.nextWord(random, pace.detourChance());
        if (!word)
            break;
        outcome.valid = outcome.valid && dictionary.isWord(*word) && zz::changesOneLetter(mind.lastWord(), *word);
        mind.accepted(*word, mind.wordCount() + 1);
    }
    outcome.words = mind.wordCount();
    if (mind.completed())
        outcome.seconds = ms / 1000;
    return outcome;
}

void report(const char *speed, int intervalMs, const char *letters, zz::LengthMode mode, int rounds)
{
    const zz::WordPool pool(zz::builtinWordPool());
    zz::RoundDraw draw(pool, &zz::builtinLadderSolver());
    std::mt19937 drawEngine(7772);   // the same rounds for every speed
    draw.setRandom([&drawEngine](std::size_t bound) {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(drawEngine);
    });
    zz::BotRandom random(9001);
    const zz::PaceModel pace(intervalMs);

    std::vector<double> seconds;
    int finished = 0, words = 0, shortest = 0, invalid = 0;
    for (int i = 0; i < rounds; ++i) {
        const std::optional<zz::RoundWords> round = draw.draw(mode);
        if (!round)
            continue;
        const Outcome outcome = playRound(*round, pace, random);
        seconds.push_back(outcome.seconds);
        finished += outcome.seconds <= RoundSeconds;
        words += outcome.words;
        shortest += zz::builtinLadderSolver().distance(round->start, round->end).value_or(0);
        invalid += !outcome.valid;
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds.empty() ? Unfinished : seconds[seconds.size() / 2];
    const double n = static_cast<double>(seconds.size());
    char medianText[16];
    if (median <= RoundSeconds)
        std::snprintf(medianText, sizeof medianText, "%.1f s", median);
    else
        std::snprintf(medianText, sizeof medianText, "> %.0f s", RoundSeconds);
    std::printf("| %-6s | %-7s | %6zu | %6.1f %% | %9s | %5.1f | %8.1f |%s\n", speed, letters, seconds.size(),
                100.0 * finished / n, medianText, words / n, shortest / n, invalid ? " INVALID WORDS" : "");
}

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 400;
    std::printf("| speed  | letters | rounds | in 120 s | median    | words | shortest |\n");
    std::printf("|--------|---------|--------|----------|-----------|-------|----------|\n");
    const struct
    {
        const char *name;
        int ms;
    } speeds[] = {{"Fast", zz::BotSpeedFast}, {"Normal", zz::BotSpeedNormal}, {"Slow", zz::BotSpeedSlow}};
    const struct
    {
        const char *name;
        zz::LengthMode mode;
    } lengths[] = {{"3", zz::LengthMode::Three}, {"4", zz::LengthMode::Four}, {"5", zz::LengthMode::Five}};
    for (const auto &speed : speeds)
        for (const auto &length : lengths)
            report(speed.name, speed.ms, length.name, length.mode, rounds);
    return 0;
}
