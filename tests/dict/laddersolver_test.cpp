#include "dict/laddersolver.h"

#include "dict/builtindata.h"
#include "dict/dictionary.h"
#include "support/dictrecords.h"

#include <gtest/gtest.h>

#include <map>
#include <queue>

namespace {

using zz::LadderSolver;

const std::vector<std::string> Words = {"cold", "cord", "card", "ward", "warm", "word", "worm", "corm", "colt",
                                        "bolt", "boat", "coat", "cost", "most", "mist", "fist", "fish", "dish",
                                        "wish", "wash", "cat", "cot", "dot", "dog", "zebra", "zebus", "ab", "ax"};

bool oneLetterApart(const std::string &a, const std::string &b)
{
    int changed = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        changed += a[i] != b[i];
    return changed == 1;
}

// Plain breadth-first search over every word: slow, obviously right.
std::optional<int> bruteDistance(const std::string &from, const std::string &to)
{
    const auto known = [](const std::string &w) { return std::find(Words.begin(), Words.end(), w) != Words.end(); };
    if (!known(from) || !known(to) || from.size() != to.size())
        return std::nullopt;
    std::map<std::string, int> seen{{from, 0}};
    std::queue<std::string> queue;
    queue.push(from);
    while (!queue.empty()) {
        const std::string word = queue.front();
        queue.pop();
        if (word == to)
            return seen[word];
        for (const std::string &next : Words)
            if (next.size() == word.size() && oneLetterApart(word, next) && seen.emplace(next, seen[word] + 1).second)
                queue.push(next);
    }
    return std::nullopt;
}

std::string lower(std::string word)
{
    for (char &c : word)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return word;
}

class LadderSolverTest : public ::testing::Test
{
protected:
    const std::string m_records = zz::test::recordsOf(Words);
    const zz::Dictionary m_dict{m_records};
    const LadderSolver m_solver{m_dict};
};

} // namespace

TEST_F(LadderSolverTest, AgreesWithBruteForceOnEveryPair)
{
    std::vector<std::string> probes = Words;
    probes.insert(probes.end(), {"cxld", "", "zz", "abcdefghijklmno"});
    for (const std::string &from : probes) {
        for (const std::string &to : probes) {
            SCOPED_TRACE(from + " -> " + to);
            const std::optional<int> expected = bruteDistance(from, to);
            ASSERT_EQ(m_solver.distance(from, to), expected);
            const std::vector<std::string> ladder = m_solver.shortestLadder(from, to);
            if (!expected) {
                EXPECT_TRUE(ladder.empty());
                continue;
            }
            ASSERT_EQ(ladder.size(), std::size_t(*expected) + 1);
            EXPECT_EQ(lower(ladder.front()), from);
            EXPECT_EQ(lower(ladder.back()), to);
            for (std::size_t i = 1; i < ladder.size(); ++i) {
                EXPECT_TRUE(oneLetterApart(ladder[i - 1], ladder[i])) << ladder[i - 1] << " " << ladder[i];
                EXPECT_TRUE(m_dict.isWord(ladder[i]));
            }
        }
    }
}

TEST_F(LadderSolverTest, IgnoresCaseAndGivesCapitals)
{
    const std::vector<std::string> ladder = m_solver.shortestLadder("COLD", "wArM");
    ASSERT_EQ(ladder.size(), 5u);
    EXPECT_EQ(ladder.front(), "COLD");
    EXPECT_EQ(ladder.back(), "WARM");
    EXPECT_EQ(m_solver.shortestLadder("cold", "COLD"), std::vector<std::string>{"COLD"});
}

TEST(LadderSolverBuiltin, HeadToTailTakesFiveWords)
{
    const zz::Dictionary dict(zz::builtinDictionaryRecords());
    const LadderSolver solver(dict);
    EXPECT_EQ(solver.distance("head", "tail"), 5);
    EXPECT_EQ(solver.distance("cold", "warm"), 4);
}
