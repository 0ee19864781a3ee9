#pragma once
// Drawing a round's two words from the pool. Plain C++: no Qt.
#include "host/scoring.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace zz {

class LadderSolver;
class WordPool;

struct RoundWords
{
    std::string start;
    std::string end;
    int redraws = 0;         // pairs drawn and put back because no short ladder joins them
    bool literal = false;    // no fitting pair was found: the last pair drawn, as drawn
};

class RoundDraw
{
public:
    // An index drawn uniformly from 0 .. bound-1.
    using Random = std::function<std::size_t(std::size_t bound)>;

    static constexpr int MaxLadderSteps = 20;   // the board's boxes
    static constexpr int MaxPairDraws = 200;    // then the pair is kept as drawn
    static constexpr int MaxWordDraws = 10000;  // per pair: a source that keeps repeating must not hang the host

    // The pool and the solver must outlive the draw; without a solver every
    // pair is kept as drawn.
    RoundDraw(const WordPool &pool, const LadderSolver *solver);

    // Two different pool words of one length the mode allows (any length when
    // the pool holds no pair of those), cut to five letters; the pool's last
    // word is never drawn. A pair is kept when its shortest ladder needs at
    // most MaxLadderSteps words after the start word. nullopt when the pool
    // cannot supply a round, or the random source never gave one.
    std::optional<RoundWords> draw(LengthMode mode, const Random &random) const;

private:
    std::optional<RoundWords> drawPair(LengthMode mode, const Random &random) const;
    std::optional<std::string> drawWord(std::size_t length, const Random &random, int &budget) const;
    bool servable(LengthMode mode) const;

    const WordPool &m_pool;
    const LadderSolver *m_solver;
    std::array<bool, 6> m_drawable{};   // per length: do the drawable words hold two different ones?
};

} // namespace zz
