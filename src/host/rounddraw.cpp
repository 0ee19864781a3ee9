#include "host/rounddraw.h"

#include "dict/laddersolver.h"
#include "dict/wordpool.h"

namespace zz {

namespace {

constexpr std::size_t MaxWordLength = 5;

std::string poolWord(const WordPool &pool, std::size_t index)
{
    return pool.at(index).substr(0, MaxWordLength);
}

} // namespace

RoundDraw::RoundDraw(const WordPool &pool, const LadderSolver *solver) : m_pool(pool), m_solver(solver)
{
    std::array<std::string, 6> seen{};
    for (std::size_t i = 0; i + 1 < pool.size(); ++i) {
        const std::string word = poolWord(pool, i);
        const std::size_t length = word.size();
        if (length >= seen.size())
            continue;
        if (seen[length].empty())
            seen[length] = word;
        else if (seen[length] != word)
            m_drawable[length] = true;
    }
}

bool RoundDraw::servable(LengthMode mode) const
{
    for (std::size_t length = 3; length <= MaxWordLength; ++length)
        if (lengthAllowed(mode, length) && m_drawable[length])
            return true;
    return false;
}

std::optional<RoundWords> RoundDraw::draw(LengthMode mode, const Random &random) const
{
    if (!servable(mode))
        mode = LengthMode::Any;
    if (!servable(mode))
        return std::nullopt;
    // Putting back pairs that do not fit keeps the draw as fair as before
    // among the pairs that do.
    std::optional<RoundWords> pair;
    for (int draws = 0; draws < MaxPairDraws; ++draws) {
        pair = drawPair(mode, random);
        if (!pair)
            return std::nullopt;
        pair->redraws = draws;
        if (!m_solver)
            return pair;
        const std::optional<int> steps = m_solver->distance(pair->start, pair->end);
        if (steps && *steps <= MaxLadderSteps)
            return pair;
    }
    pair->literal = true;
    return pair;
}

std::optional<RoundWords> RoundDraw::drawPair(LengthMode mode, const Random &random) const
{
    int budget = MaxWordDraws;
    std::optional<std::string> start;
    do
        start = drawWord(0, random, budget);
    while (start && (!lengthAllowed(mode, start->size()) || !m_drawable[start->size()]));
    std::optional<std::string> end;
    do
        end = start ? drawWord(start->size(), random, budget) : std::nullopt;
    while (end && *end == *start);
    if (!end)
        return std::nullopt;
    return RoundWords{std::move(*start), std::move(*end)};
}

// One pool word of the given length (0: any length); nullopt once the budget
// of random draws is spent.
std::optional<std::string> RoundDraw::drawWord(std::size_t length, const Random &random, int &budget) const
{
    const std::size_t bound = m_pool.size() - 1;
    while (budget-- > 0) {
        std::string word = poolWord(m_pool, random(bound) % bound);
        if (length == 0 || word.size() == length)
            return word;
    }
    return std::nullopt;
}

} // namespace zz
