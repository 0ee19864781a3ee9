#include "bot/botmind.h"

#include "core/asciitext.h"
#include "dict/dictionary.h"
#include "dict/laddersolver.h"

#include <algorithm>

namespace zz {

namespace {

template <typename T>
const T &pick(const std::vector<T> &from, BotRandom &random)
{
    std::uniform_int_distribution<std::size_t> index(0, from.size() - 1);
    return from[index(random)];
}

} // namespace

bool oneLetterApart(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    const std::string x = toLowerAscii(a);
    const std::string y = toLowerAscii(b);
    int differences = 0;
    for (std::size_t i = 0; i < x.size(); ++i)
        differences += x[i] != y[i];
    return differences == 1;
}

BotMind::BotMind(const Dictionary &dictionary, const LadderSolver &solver)
    : m_dictionary(dictionary), m_solver(solver)
{
}

void BotMind::startRound(std::string_view start, std::string_view end)
{
    m_last = toLowerAscii(start);
    m_end = toLowerAscii(end);
    m_ladder = {m_last};
    m_refused.clear();
    m_wordCount = 0;
    m_refusals = 0;
    m_completed = false;
    m_stopped = false;
}

void BotMind::accepted(std::string_view word, int count)
{
    m_last = toLowerAscii(word);
    m_ladder.push_back(m_last);
    m_wordCount = count;
    m_completed = m_completed || m_last == m_end;
}

void BotMind::refused(std::string_view word, bool ladderFull)
{
    m_refused.push_back(toLowerAscii(word));
    if (ladderFull || ++m_refusals >= MaxRefusals)
        m_stopped = true;
}

bool BotMind::oneStepLeft() const
{
    return oneLetterApart(m_last, m_end);
}

bool BotMind::refusedBefore(const std::string &word) const
{
    return std::find(m_refused.begin(), m_refused.end(), word) != m_refused.end();
}

bool BotMind::avoided(const std::string &word) const
{
    return refusedBefore(word) || std::find(m_ladder.begin(), m_ladder.end(), word) != m_ladder.end();
}

std::vector<std::string> BotMind::neighbours(const std::string &word) const
{
    std::vector<std::string> found;
    std::string candidate = toLowerAscii(word);
    for (char &letter : candidate) {
        const char own = letter;
        for (char c = 'a'; c <= 'z'; ++c) {
            if (c == own)
                continue;
            letter = c;
            if (m_dictionary.isWord(candidate))
                found.push_back(candidate);
        }
        letter = own;
    }
    return found;
}

std::optional<std::string> BotMind::nextWord(BotRandom &random, double detourChance) const
{
    if (finished())
        return std::nullopt;
    std::vector<Choice> choices = choicesFrom(m_last, false);
    // A detour into a dead end: step back the way it came, as a person would.
    if (choices.empty())
        choices = choicesFrom(m_last, true);
    if (choices.empty())
        return std::nullopt;
    const int best = std::min_element(choices.begin(), choices.end(), [](const Choice &a, const Choice &b) {
                         return a.stepsAfter < b.stepsAfter;
                     })->stepsAfter;
    std::vector<std::string> closest, detours;
    for (Choice &choice : choices)
        (choice.stepsAfter == best ? closest : detours).push_back(std::move(choice.word));
    // Nobody misses the end word when it is one letter away.
    std::bernoulli_distribution wander(std::clamp(detourChance, 0.0, 1.0));
    if (best > 0 && !detours.empty() && wander(random))
        return pick(detours, random);
    return pick(closest, random);
}

std::vector<BotMind::Choice> BotMind::choicesFrom(const std::string &word, bool backtrack) const
{
    // Each choice must still leave room for the rest of the ladder.
    const int boxesLeft = MaxWords - m_wordCount;
    std::vector<Choice> choices;
    for (std::string &next : neighbours(word)) {
        if (backtrack ? refusedBefore(next) : avoided(next))
            continue;
        const std::optional<int> steps = m_solver.distance(next, m_end);
        if (steps && 1 + *steps <= boxesLeft)
            choices.push_back({std::move(next), *steps});
    }
    return choices;
}

} // namespace zz
