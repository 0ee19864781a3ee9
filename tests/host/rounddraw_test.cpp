#include "host/rounddraw.h"

#include "dict/dictionary.h"
#include "dict/laddersolver.h"
#include "dict/wordpool.h"
#include "dict/dicttestutil.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

using zz::LengthMode;
using zz::RoundDraw;

using Pair = std::pair<std::string, std::string>;

class RoundDrawTest : public ::testing::Test
{
protected:
    // "ohms" and "ughs" are words, but no ladder joins them to anything.
    const std::string m_records =
        zz::test::recordsOf({"cold", "cord", "card", "ward", "warm", "ohms", "ughs", "cat", "cot"});
    const zz::Dictionary m_dict{m_records};
    const zz::LadderSolver m_solver{m_dict};
    std::mt19937 m_engine{7772};
    RoundDraw::Random m_random = [this](std::size_t bound) {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(m_engine);
    };

    std::set<Pair> drawMany(const RoundDraw &draw, LengthMode mode, bool &anyLiteral)
    {
        std::set<Pair> seen;
        for (int i = 0; i < 200; ++i) {
            const auto words = draw.draw(mode, m_random);
            if (!words)
                continue;
            anyLiteral = anyLiteral || words->literal;
            seen.emplace(words->start, words->end);
        }
        return seen;
    }
};

} // namespace

TEST_F(RoundDrawTest, KeepsOnlyPairsThatALadderJoins)
{
    const zz::WordPool pool("cold\nwarm\nohms\nughs\ncat\ncot\nlast\n");
    const RoundDraw draw(pool, &m_solver);
    bool literal = false;
    EXPECT_EQ(drawMany(draw, LengthMode::Any, literal),
              (std::set<Pair>{{"cold", "warm"}, {"warm", "cold"}, {"cat", "cot"}, {"cot", "cat"}}));
    EXPECT_FALSE(literal);
    EXPECT_EQ(drawMany(draw, LengthMode::Three, literal), (std::set<Pair>{{"cat", "cot"}, {"cot", "cat"}}));

    // Without a solver every pair of the pool may come up.
    const RoundDraw literalDraw(pool, nullptr);
    EXPECT_TRUE(drawMany(literalDraw, LengthMode::Four, literal).count({"ohms", "ughs"}));
}

TEST_F(RoundDrawTest, FallsBackToTheDrawnPairWhenNothingFits)
{
    const zz::WordPool pool("ohms\nughs\nlast\n");
    const auto words = RoundDraw(pool, &m_solver).draw(LengthMode::Any, m_random);
    ASSERT_TRUE(words);
    EXPECT_TRUE(words->literal);
    EXPECT_EQ(words->redraws, RoundDraw::MaxPairDraws - 1);
    EXPECT_EQ(std::set<std::string>({words->start, words->end}), (std::set<std::string>{"ohms", "ughs"}));
}

TEST_F(RoundDrawTest, GivesUpOnARandomSourceThatRepeats)
{
    const zz::WordPool pool("cold\nwarm\nlast\n");
    int calls = 0;
    const RoundDraw::Random stuck = [&calls](std::size_t) { ++calls; return std::size_t{0}; };
    EXPECT_FALSE(RoundDraw(pool, &m_solver).draw(LengthMode::Any, stuck));
    EXPECT_LE(calls, RoundDraw::MaxWordDraws);

    // The pool's last word is never drawn, so two words make no round.
    EXPECT_FALSE(RoundDraw(zz::WordPool("cold\nwarm\n"), &m_solver).draw(LengthMode::Any, m_random));
}
