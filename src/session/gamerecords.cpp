#include "session/gamerecords.h"

#include "session/wiretext.h"

namespace zz {

QList<ScoreRecord> toScoreRecords(const wire::PostScores &scores)
{
    QList<ScoreRecord> records;
    for (const wire::ScoreLine &l : scores.lines)
        records.append({l.seat, l.score, l.completion, l.emptyBoxes, l.timeBonus, l.words});
    return records;
}

GameStats toGameStats(const wire::Stats &stats)
{
    GameStats out;
    out.seat = stats.seat;
    out.start = fromWire(stats.start);
    out.end = fromWire(stats.end);
    out.mayPlay = stats.mayPlay;
    out.playTo = stats.playTo;
    out.time = stats.time;
    out.secondsLeft = stats.secondsLeft;
    for (const wire::SeatScore &s : stats.scores)
        out.scores.append({s.seat, s.score});
    return out;
}

LadderRecord toLadderRecord(const wire::Ladder &ladder)
{
    LadderRecord out;
    out.seat = ladder.seat;
    for (const auto &[box, word] : ladder.boxes)
        out.boxes.append({box, fromWire(word)});
    return out;
}

} // namespace zz
