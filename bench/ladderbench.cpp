// Measures the round draw and the ladder solver over the built-in lists: how
// long a draw takes when it keeps only pairs a ladder of twenty words joins,
// beside the plain draw in the same run, how many pairs each fitting draw put
// back, and how long one shortest ladder takes to find.
#include "dict/builtindata.h"
#include "dict/dictionary.h"
#include "dict/laddersolver.h"
#include "dict/wordpool.h"
#include "host/rounddraw.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int Draws = 2000;

using Clock = std::chrono::steady_clock;

struct Figures
{
    double p50 = 0, p99 = 0, max = 0;
};

Figures summarise(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    auto at = [&](double q) { return ms[std::min(ms.size() - 1, std::size_t(q * double(ms.size())))]; };
    return {at(0.5), at(0.99), ms.back()};
}

template <typename Body>
double timed(Body &&body)
{
    const auto begin = Clock::now();
    body();
    return std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
}

void benchDraws(const char *label, zz::LengthMode mode, const zz::WordPool &pool)
{
    std::mt19937 engine(7772);
    const zz::RoundDraw::Random random = [&engine](std::size_t bound) {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(engine);
    };
    zz::RoundDraw fitting(pool, &zz::builtinLadderSolver());
    zz::RoundDraw literal(pool, nullptr);
    fitting.setRandom(random);
    literal.setRandom(random);

    std::vector<double> fitMs, plainMs;
    int redraws = 0, fallbacks = 0;
    for (int i = 0; i < Draws; ++i) {
        std::optional<zz::RoundWords> words;
        fitMs.push_back(timed([&] { words = fitting.draw(mode); }));
        redraws += words ? words->redraws : 0;
        fallbacks += words && words->literal;
        plainMs.push_back(timed([&] { words = literal.draw(mode); }));
    }
    const Figures fit = summarise(fitMs), plain = summarise(plainMs);
    std::printf("%-22s fitting draw p50 %.3f ms p99 %.3f ms max %.3f ms | plain draw p50 %.4f ms p99 %.4f ms"
                " | p99 ratio x%.0f | redraws per fitting draw %.3f | fallbacks %d\n",
                label, fit.p50, fit.p99, fit.max, plain.p50, plain.p99, fit.p99 / std::max(plain.p99, 1e-6),
                double(redraws) / Draws, fallbacks);
}

void benchLadders(const zz::WordPool &pool)
{
    std::mt19937 engine(9001);
    std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 2);
    std::vector<double> ladderMs, lookupMs;
    int found = 0;
    for (int i = 0; i < Draws; ++i) {
        const std::string from = pool.at(pick(engine));
        std::string to;
        do
            to = pool.at(pick(engine));
        while (to.size() != from.size() || to == from);
        ladderMs.push_back(timed([&] { found += !zz::builtinLadderSolver().shortestLadder(from, to).empty(); }));
        // The baseline: one dictionary look-up of each word.
        const zz::Dictionary &dictionary = zz::builtinDictionary();
        lookupMs.push_back(timed([&] { found += dictionary.isWord(from) && dictionary.isWord(to) ? 0 : 1; }));
    }
    const Figures ladder = summarise(ladderMs), lookup = summarise(lookupMs);
    std::printf("shortest ladder        p50 %.3f ms p99 %.3f ms max %.3f ms | two look-ups p50 %.4f ms p99 %.4f ms"
                " | %d of %d pairs joined\n",
                ladder.p50, ladder.p99, ladder.max, lookup.p50, lookup.p99, found, Draws);
}

} // namespace

int main()
{
    const zz::WordPool pool(zz::builtinWordPool());
    // Indexing each length happens once per process; measured apart.
    const double indexMs = timed([] {
        for (const char *word : {"cat", "cold", "warms"})
            zz::builtinLadderSolver().distance(word, word);
    });
    std::printf("indexing 3, 4 and 5 letters once: %.1f ms\n", indexMs);
    benchDraws("five-letter words", zz::LengthMode::Five, pool);
    benchDraws("all lengths", zz::LengthMode::Any, pool);
    benchLadders(pool);
    return 0;
}
