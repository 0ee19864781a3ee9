// Drawing a round's words: which pool words count, which pairs a ladder
// joins, and a random source that keeps repeating ends the draw instead of
// hanging the host.
#include "host/rounddraw.h"

#include "support/dictrecords.h"
#include "support/warnings.h"
#include "dict/laddersolver.h"
#include "hostfixture.h"

#include <QString>

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

    RoundDraw seeded(const zz::WordPool &pool, const zz::LadderSolver *solver)
    {
        RoundDraw draw(pool, solver);
        draw.setRandom([this](std::size_t bound) {
            return std::uniform_int_distribution<std::size_t>(0, bound - 1)(m_engine);
        });
        return draw;
    }

    static std::set<Pair> drawMany(const RoundDraw &draw, LengthMode mode, bool &anyLiteral)
    {
        std::set<Pair> seen;
        for (int i = 0; i < 200; ++i) {
            const auto words = draw.draw(mode);
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
    const RoundDraw draw = seeded(pool, &m_solver);
    bool literal = false;
    EXPECT_EQ(drawMany(draw, LengthMode::Any, literal),
              (std::set<Pair>{{"cold", "warm"}, {"warm", "cold"}, {"cat", "cot"}, {"cot", "cat"}}));
    EXPECT_FALSE(literal);
    EXPECT_EQ(drawMany(draw, LengthMode::Three, literal), (std::set<Pair>{{"cat", "cot"}, {"cot", "cat"}}));

    // Without a solver every pair of the pool may come up.
    EXPECT_TRUE(drawMany(seeded(pool, nullptr), LengthMode::Four, literal).count({"ohms", "ughs"}));
}

TEST_F(RoundDrawTest, FallsBackToTheDrawnPairWhenNothingFits)
{
    const zz::WordPool pool("ohms\nughs\nlast\n");
    const auto words = seeded(pool, &m_solver).draw(LengthMode::Any);
    ASSERT_TRUE(words);
    EXPECT_TRUE(words->literal);
    EXPECT_EQ(words->redraws, RoundDraw::MaxPairDraws - 1);
    EXPECT_EQ(std::set<std::string>({words->start, words->end}), (std::set<std::string>{"ohms", "ughs"}));
}

TEST(RoundDraw, OnlyTwoDifferentWordsBeforeTheLastMakeALengthDrawable)
{
    // Five letters at most: "stones" and "stoned" are both "stone".
    const zz::WordPool pool{"cat\ncat\nstones\nstoned\nfrog\ntoad\ndog\n"};
    const RoundDraw draw{pool, nullptr};
    const struct
    {
        zz::LengthMode mode;
        bool servable;
    } cases[] = {{zz::LengthMode::Three, false},
                 {zz::LengthMode::Five, false},
                 {zz::LengthMode::ThreeOrFive, false},
                 {zz::LengthMode::Four, true},
                 {zz::LengthMode::Any, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        EXPECT_EQ(draw.canServe(c.mode), c.servable);
    }
}

namespace zz::test {
namespace {

using Draw = HostFixture;

TEST_F(Draw, RepeatingSourceStartsNoRoundAndTheNextGamePlays)
{
    seatPlayers(2);
    std::size_t calls = 0;
    host.setRandom([this, &calls](std::size_t) {
        ++calls;
        if (draws.empty())
            return Cold; // the end word never differs from the start word
        const std::size_t index = draws.front();
        draws.pop_front();
        return index;
    });
    QStringList warnings;
    {
        const WarningCatcher catcher;
        handle(1, "CMD_startgame+Ann+1000+120+0+1+0+");
        warnings = catcher.warnings;
    }
    EXPECT_EQ(calls, 10'000u);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("no round words")));
    EXPECT_EQ(to(2), std::vector<std::string>{"CMD_startgame+Ann+1000+120+"});
    ticks(300); // no clock runs
    sendWords(2, {"cord"});
    EXPECT_EQ(to(2).size(), 1u);

    sent.clear();
    startColdWarm();
    EXPECT_EQ(to(2, "CMD_roundstart"), std::vector<std::string>{"CMD_roundstart+1+cold+warm+"});
}

} // namespace
} // namespace zz::test
