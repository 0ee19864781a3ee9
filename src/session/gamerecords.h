#pragma once
// The host's messages that carry repeated records, read into values. Each
// reader returns nullopt (after a warning) when a number field is not a
// number, so a broken message changes nothing.
#include <QList>
#include <QPair>
#include <QString>

#include <optional>
#include <string_view>

namespace zz {

// One seat's line of a round's results.
struct ScoreRecord
{
    int seat = 0;
    int score = 0;        // running total after the round
    int completion = 0;   // completion bonus
    int emptyBoxes = 0;   // empty-box bonus
    int timeBonus = 0;
    int words = 0;        // words used
};

// The state of a running game, sent to a newcomer.
struct GameStats
{
    int seat = 0;
    QString start;
    QString end;
    bool mayPlay = false;   // the newcomer may still play the current round
    int playTo = 0;
    int time = 0;           // seconds per turn
    int secondsLeft = 0;
    QList<QPair<int, int>> scores;   // (seat, running score)
};

// The first finisher's ladder: (box number, word) for each filled box.
struct LadderRecord
{
    int seat = 0;
    QList<QPair<int, QString>> boxes;
};

// Each takes the text after the command word and its '+'. Records of seat 0
// (the host's record for a table without players) are left out.
std::optional<QList<ScoreRecord>> parseScores(std::string_view args);
std::optional<GameStats> parseStats(std::string_view args);
std::optional<LadderRecord> parseLadder(std::string_view args);

// A number field cut from the front of rest; warns when it is not a number.
std::optional<int> takeNumber(std::string_view &rest);

} // namespace zz
