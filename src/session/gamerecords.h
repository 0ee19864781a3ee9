#pragma once
// The host's messages that carry repeated records, as values the window
// shows.
#include "core/messages.h"

#include <QList>
#include <QPair>
#include <QString>


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

// The host's records as the window shows them: text decoded from the wire.
// Records of seat 0 never reach here (the parser leaves them out).
QList<ScoreRecord> toScoreRecords(const wire::PostScores &scores);
GameStats toGameStats(const wire::Stats &stats);
LadderRecord toLadderRecord(const wire::Ladder &ladder);

} // namespace zz
