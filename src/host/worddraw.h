#pragma once
// Draws a round's words from the pool: cut to five letters, never the pool's
// last word, the end word as long as the start word and different from it.
// The number of draws is bounded, so a random source that keeps repeating
// cannot hang the host. Plain C++: no Qt.
#include "host/scoring.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace zz {

class WordPool;

class WordDraw
{
public:
    // An index drawn uniformly from 0 .. bound-1.
    using Random = std::function<std::size_t(std::size_t bound)>;

    struct Words
    {
        std::string start;
        std::string end;
    };

    // The pool must outlive the draw. Draws from a seeded engine until
    // setRandom says otherwise.
    explicit WordDraw(const WordPool &pool);
    void setRandom(Random random) { m_random = std::move(random); }

    // True when the pool holds two different words of a length the mode allows.
    bool canServe(LengthMode mode) const;
    // The round's words, or nullopt when maxDraws() draws found none.
    std::optional<Words> draw(LengthMode mode);
    // A fair source finds words of the rarest length long before this.
    std::size_t maxDraws() const;

private:
    std::string drawWord();

    const WordPool &m_pool;
    // Per length 0..5: does the drawable part of the pool hold two different words?
    std::array<bool, 6> m_drawable{};
    Random m_random;
};

} // namespace zz
