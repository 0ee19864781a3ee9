// Drawing a round's words: which pool words count, and a random source that
// keeps repeating ends the draw instead of hanging the host.
#include "host/worddraw.h"
#include "hostfixture.h"

#include <QString>

namespace zz::test {
namespace {

TEST(WordDraw, OnlyTwoDifferentWordsBeforeTheLastMakeALengthDrawable)
{
    // Five letters at most: "stones" and "stoned" are both "stone".
    const WordPool pool{"cat\ncat\nstones\nstoned\nfrog\ntoad\ndog\n"};
    const WordDraw draw{pool};
    const struct
    {
        LengthMode mode;
        bool servable;
    } cases[] = {{LengthMode::Three, false},
                 {LengthMode::Five, false},
                 {LengthMode::ThreeOrFive, false},
                 {LengthMode::Four, true},
                 {LengthMode::Any, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        EXPECT_EQ(draw.canServe(c.mode), c.servable);
    }
}

std::vector<std::string> warnings;

void keepWarnings(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtWarningMsg)
        warnings.push_back(text.toStdString());
}

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
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepWarnings);
    handle(1, "CMD_startgame+Ann+1000+120+0+1+0+");
    qInstallMessageHandler(previous);
    EXPECT_EQ(calls, 10'000u);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("no round words"), std::string::npos);
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
