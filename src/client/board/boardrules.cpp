#include "boardrules.h"

#include "core/messages.h"

#include <algorithm>
#include <array>

namespace zz::board {

namespace {
constexpr std::array<int, 5> BoxLefts{14, 132, 250, 367, 483};
constexpr std::array<int, 4> BoxTops{77, 116, 154, 192};
constexpr QSize BoxSize(108, 34);
} // namespace

QString quietName(int seat)
{
    if (seat < 1 || seat > SeatCount)
        return {};
    return latin1(QuietSeatNames[seat]);
}

int barStep(int timePerTurn)
{
    if (timePerTurn < 1)
        return 1;
    return std::max(1, BarFullWidth / timePerTurn);
}

int barWidth(int secondsLeft, int step)
{
    if (secondsLeft < 1)
        return 0;
    // Clamp before multiplying: the count comes from the wire and may be huge.
    const int seconds = std::min(secondsLeft, BarFullWidth);
    return std::min(BarFullWidth, seconds * std::max(1, step));
}

QString clockText(int secondsLeft)
{
    const int seconds = std::max(0, secondsLeft);
    return TimePrefix + QString::number(seconds / 60) + QLatin1Char(':')
           + QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

bool clockIsCalm(int secondsLeft)
{
    return secondsLeft >= CalmClockSeconds;
}

QRect boxRect(int box)
{
    if (box < 1 || box > BoxCount)
        return {};
    const int index = box - 1;
    return {QPoint(BoxLefts[index % 5], BoxTops[index / 5]), BoxSize};
}

int emptyBoxValue(int box)
{
    if (box < 1 || box > BoxCount)
        return 0;
    return 20 - 5 * ((box - 1) / 5);
}

bool hasBonusMark(int box, int fromBox)
{
    return box >= 2 && box <= BoxCount && box >= fromBox;
}

QString winnerText(const QString &winner, bool ownSeatWon)
{
    return ownSeatWon ? QString(OwnWinText) : winner + OtherWinSuffix;
}

QString refusalText(const QString &word, int code)
{
    switch (static_cast<wire::Refusal>(code)) {
    case wire::Refusal::WrongLength:
        return word.toUpper() + latin1(status::WrongLength);
    case wire::Refusal::NotAWord:
        return word.toUpper() + latin1(status::NotAWord);
    case wire::Refusal::NotOneLetter:
        return latin1(status::OneLetter);
    case wire::Refusal::LadderFull:
        return latin1(status::ListTooLong);
    }
    return {};
}

} // namespace zz::board
