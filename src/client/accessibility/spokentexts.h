#pragma once
// What a screen reader says for the board's parts and the game's events. The
// board shows numbers and pictures apart; these put each into one sentence.
#include <QList>
#include <QString>

#include <functional>

namespace zz {

struct ScoreRecord;

namespace spoken {

inline const QString ClockDescription = QStringLiteral("Turn clock");

// "Seat 2, Klot, 290 points, 4 words"; "Seat 4, free" for a waiting seat.
// wordCountText is the seat's count label ("4 Wds"), empty between rounds.
QString seat(int seat, const QString &name, const QString &scoreText, const QString &wordCountText);
// "Rung 3, FAN"; "Rung 3, empty".
QString rung(int box, const QString &word);
// "30 points if left empty" for a box showing its bonus mark.
QString rungBonus(int value);
QString startWord(const QString &word);
QString endWord(const QString &word);
// The clock label's "Time: 1:12" as "1:12 left".
QString clock(const QString &clockText);

QString roundStarted(int round, const QString &start, const QString &end);
QString wordAccepted(const QString &word);
// A status line text as spoken: without its full stop.
QString statusLine(const QString &statusText);
QString completed(const QString &name);
// "Results: You 120 points, Klot 95 points."; nameOf gives a seat's shown name.
QString results(const QList<ScoreRecord> &records, const std::function<QString(int)> &nameOf);
// A relayed chat line "seat+text" read as its text.
QString chatLine(const QString &line);
QString arrived(const QString &name);
QString left(const QString &name);

} // namespace spoken
} // namespace zz
