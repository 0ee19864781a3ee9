#pragma once
// The board's display rules: plain functions of plain values, so the tests
// can check them without a window.
#include "core/names.h"

#include <QLatin1String>
#include <QRect>
#include <QString>

#include <string_view>

namespace zz::board {

inline constexpr int SeatCount = 6;
inline constexpr int BoxCount = 20;
inline constexpr int BarFullWidth = 176;
inline constexpr int CalmClockSeconds = 20; // from here down the clock text turns black

// The texts themselves live with every other text of the game.
constexpr QLatin1String latin1(std::string_view text)
{
    return QLatin1String(text.data(), static_cast<qsizetype>(text.size()));
}
inline constexpr QLatin1String WaitingName = latin1(WaitingSeat);
inline constexpr QLatin1String WelcomeText = latin1(status::Welcome);
inline constexpr QLatin1String PlayToPrefix = latin1(boardtext::PlayToPrefix);
inline constexpr QLatin1String TimePrefix = latin1(boardtext::TimePrefix);
inline constexpr QLatin1String TimeSuffix = latin1(boardtext::TimeSuffix);
inline constexpr QLatin1String WordCountSuffix = latin1(boardtext::WordCountSuffix);
inline constexpr QLatin1String InitialWordCount = latin1(boardtext::InitialWordCount);
inline constexpr QLatin1String OwnWinText = latin1(boardtext::OwnWin);
inline constexpr QLatin1String OtherWinSuffix = latin1(boardtext::OtherWinSuffix);

// The name hinted on each seat label; seats outside 1..6 have none.
QString quietName(int seat);

// Pixels per second of the clock bar; never below 1, also for a time of 0.
int barStep(int timePerTurn);
// Width of the clock bar: 0 when no time is left, never above the full bar.
int barWidth(int secondsLeft, int step);
// "Time: m:ss"; a negative count reads as 0:00.
QString clockText(int secondsLeft);
// The light clock colour holds while this much time is left.
bool clockIsCalm(int secondsLeft);

// Place of ladder box 1..20 inside the board; an empty rect for any other number.
QRect boxRect(int box);
// What an empty box earns at the end of a completed ladder.
int emptyBoxValue(int box);
// Whether the box shows its bonus mark when a completed ladder left boxes
// fromBox..20 empty; box 1 has no mark.
bool hasBonusMark(int box, int fromBox);

QString winnerText(const QString &winner, bool ownSeatWon);
// The status line's reading of the host's refusal code; empty for an unknown code.
QString refusalText(const QString &word, int code);

} // namespace zz::board
