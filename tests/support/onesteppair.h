#pragma once
// Round words for tests that want a ladder finished with a single word.
#include "dict/wordpool.h"
#include "host/scoring.h"

#include <cstddef>
#include <utility>

namespace zz::test {

// Indices of two four-letter pool words one letter apart (never the pool's
// last word, which the draw cannot reach); {0, 0} when the pool has none.
inline std::pair<std::size_t, std::size_t> oneStepPair(const WordPool &pool)
{
    for (std::size_t a = 0; a + 1 < pool.size(); ++a)
        for (std::size_t b = a + 1; b + 1 < pool.size(); ++b)
            if (pool.at(a).size() == 4 && changesOneLetter(pool.at(a), pool.at(b)))
                return {a, b};
    return {0, 0};
}

} // namespace zz::test
