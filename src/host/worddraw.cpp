#include "host/worddraw.h"

#include "dict/wordpool.h"

#include <algorithm>
#include <memory>
#include <random>

namespace zz {

namespace {

constexpr std::size_t MinDraws = 10'000;
constexpr std::size_t DrawsPerPoolWord = 100;

WordDraw::Random seededRandom()
{
    auto engine = std::make_shared<std::mt19937>(std::random_device{}());
    return [engine](std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(*engine); };
}

std::array<bool, 6> drawableLengths(const WordPool &pool)
{
    std::array<std::string, 6> seen{};
    std::array<bool, 6> drawable{};
    for (std::size_t i = 0; i + 1 < pool.size(); ++i) {
        const std::string word = pool.at(i).substr(0, 5);
        const std::size_t length = word.size();
        if (length >= seen.size())
            continue;
        if (seen[length].empty())
            seen[length] = word;
        else if (seen[length] != word)
            drawable[length] = true;
    }
    return drawable;
}

} // namespace

WordDraw::WordDraw(const WordPool &pool) : m_pool(pool), m_drawable(drawableLengths(pool)), m_random(seededRandom()) {}

bool WordDraw::canServe(LengthMode mode) const
{
    for (std::size_t length = 3; length <= 5; ++length)
        if (lengthAllowed(mode, length) && m_drawable[length])
            return true;
    return false;
}

std::size_t WordDraw::maxDraws() const
{
    return std::max(MinDraws, DrawsPerPoolWord * m_pool.size());
}

std::optional<WordDraw::Words> WordDraw::draw(LengthMode mode)
{
    if (m_pool.size() < 2)
        return std::nullopt;
    std::size_t draws = 0;
    Words words;
    do {
        if (draws++ == maxDraws())
            return std::nullopt;
        words.start = drawWord();
    } while (!lengthAllowed(mode, words.start.size()) || !m_drawable[words.start.size()]);
    do {
        if (draws++ == maxDraws())
            return std::nullopt;
        words.end = drawWord();
    } while (words.end.size() != words.start.size() || words.end == words.start);
    return words;
}

// One pool word, cut to five letters. The pool's last word is never drawn.
std::string WordDraw::drawWord()
{
    const std::size_t bound = m_pool.size() - 1;
    return m_pool.at(m_random(bound) % bound).substr(0, 5);
}

} // namespace zz
