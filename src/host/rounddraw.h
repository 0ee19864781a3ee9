#pragma once
// Draws a round's two words from the pool: cut to five letters, never the
// pool's last word, the end word as long as the start word and different
// from it, and, given a solver, joined by a ladder the board can hold. The
// number of draws is bounded, so a random source that keeps repeating cannot
// hang the host. Plain C++: no Qt.
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
    int redraws = 0;        // pairs drawn and put back because no short ladder joins them
    bool literal = false;   // no fitting pair was found: the last pair drawn, as drawn
};

class RoundDraw
{
public:
    // An index drawn uniformly from 0 .. bound-1.
    using Random = std::function<std::size_t(std::size_t bound)>;

    static constexpr int MaxLadderSteps = 20;   // the board's boxes
    static constexpr int MaxPairDraws = 200;    // then the pair is kept as drawn

    // The pool and the solver must outlive the draw; without a solver every
    // pair is kept as drawn. Draws from a seeded engine until setRandom says
    // otherwise.
    RoundDraw(const WordPool &pool, const LadderSolver *solver);
    void setRandom(Random random) { m_random = std::move(random); }

    // True when the pool holds two different words of a length the mode allows.
    bool canServe(LengthMode mode) const;
    // The random draws one pair may take; a fair source finds words of the
    // rarest length long before this.
    std::size_t maxDraws() const;

    // Two words of one length the mode allows. A pair is kept when its
    // shortest ladder needs at most MaxLadderSteps words after the start
    // word; after MaxPairDraws pairs the last is kept as drawn. nullopt when
    // the mode cannot be served or the random source gave no pair within
    // maxDraws().
    std::optional<RoundWords> draw(LengthMode mode) const;

private:
    std::optional<RoundWords> drawPair(LengthMode mode) const;
    std::optional<std::string> drawWord(std::size_t length, std::size_t &budget) const;

    const WordPool &m_pool;
    const LadderSolver *m_solver;
    std::array<bool, 6> m_drawable{};   // per length: do the drawable words hold two different ones?
    Random m_random;
};

} // namespace zz
