#include "host/rounddraw.h"

#include "dict/laddersolver.h"
#include "dict/wordpool.h"

#include <algorithm>
#include <memory>
#include <random>

namespace zz {

namespace {

constexpr std::size_t MaxWordLength = 5;
constexpr std::size_t MinDraws = 10'000;
constexpr std::size_t DrawsPerPoolWord = 100;

std::string poolWord(const WordPool &pool, std::size_t index)
{
    return pool.at(index).substr(0, MaxWordLength);
}

RoundDraw::Random seededRandom()
{
    auto engine = std::make_shared<std::mt19937>(std::random_device{}());
    return [engine](std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(*engine); };
}

} // namespace

RoundDraw::RoundDraw(const WordPool &pool, const LadderSolver *solver)
    : m_pool(pool), m_solver(solver), m_random(seededRandom())
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

bool RoundDraw::canServe(LengthMode mode) const
{
    for (std::size_t length = 3; length <= MaxWordLength; ++length)
        if (lengthAllowed(mode, length) && m_drawable[length])
            return true;
    return false;
}

std::size_t RoundDraw::maxDraws() const
{
    return std::max(MinDraws, DrawsPerPoolWord * m_pool.size());
}

std::optional<RoundWords> RoundDraw::draw(LengthMode mode) const
{
    if (!canServe(mode))
        return std::nullopt;
    // Putting back pairs that do not fit keeps the draw as fair as before
    // among the pairs that do.
    std::optional<RoundWords> pair;
    for (int draws = 0; draws < MaxPairDraws; ++draws) {
        pair = drawPair(mode);
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

std::optional<RoundWords> RoundDraw::drawPair(LengthMode mode) const
{
    std::size_t budget = maxDraws();
    std::optional<std::string> start;
    do
        start = drawWord(0, budget);
    while (start && (!lengthAllowed(mode, start->size()) || !m_drawable[start->size()]));
    std::optional<std::string> end;
    do
        end = start ? drawWord(start->size(), budget) : std::nullopt;
    while (end && *end == *start);
    if (!end)
        return std::nullopt;
    return RoundWords{std::move(*start), std::move(*end)};
}

// One pool word of the given length (0: any length); nullopt once the budget
// of random draws is spent.
std::optional<std::string> RoundDraw::drawWord(std::size_t length, std::size_t &budget) const
{
    const std::size_t bound = m_pool.size() - 1;
    while (budget > 0) {
        --budget;
        std::string word = poolWord(m_pool, m_random(bound) % bound);
        if (length == 0 || word.size() == length)
            return word;
    }
    return std::nullopt;
}

} // namespace zz
