#include "session/gamerecords.h"

#include "session/wiretext.h"
#include "core/wire.h"

#include <QtDebug>

#include <string>

namespace zz {

std::optional<int> takeNumber(std::string_view &rest)
{
    const std::string_view text = wire::takeField(rest);
    const auto value = wire::toInteger(text);
    if (!value)
        qWarning().noquote() << "Dropped a message: field is not a number:" << fromWire(text);
    return value;
}

namespace {

// The repeated records end where only an appended "@" is left.
constexpr std::string_view EndMark = "@";
std::string withEndMark(std::string_view args) { return std::string(args) + "+@"; }

bool takeNumbers(std::string_view &rest, std::initializer_list<int *> fields)
{
    for (int *field : fields) {
        const auto value = takeNumber(rest);
        if (!value)
            return false;
        *field = *value;
    }
    return true;
}

} // namespace

std::optional<QList<ScoreRecord>> parseScores(std::string_view args)
{
    const std::string text = withEndMark(args);
    std::string_view rest = text;
    QList<ScoreRecord> records;
    while (rest != EndMark) {
        ScoreRecord record;
        if (!takeNumbers(rest, {&record.seat}))
            return std::nullopt;
        if (record.seat == 0) {
            for (int i = 0; i < 5; ++i)
                wire::takeField(rest);
            continue;
        }
        if (!takeNumbers(rest, {&record.score, &record.completion, &record.emptyBoxes, &record.timeBonus,
                                &record.words}))
            return std::nullopt;
        records.append(record);
    }
    return records;
}

std::optional<GameStats> parseStats(std::string_view args)
{
    const std::string text = withEndMark(args);
    std::string_view rest = text;
    GameStats stats;
    if (!takeNumbers(rest, {&stats.seat}))
        return std::nullopt;
    stats.start = fromWire(wire::takeField(rest));
    stats.end = fromWire(wire::takeField(rest));
    stats.mayPlay = wire::takeField(rest) == "t";
    if (!takeNumbers(rest, {&stats.playTo, &stats.time, &stats.secondsLeft}))
        return std::nullopt;
    while (rest != EndMark) {
        int seat = 0;
        int score = 0;
        if (!takeNumbers(rest, {&seat, &score}))
            return std::nullopt;
        stats.scores.append({seat, score});
    }
    return stats;
}

std::optional<LadderRecord> parseLadder(std::string_view args)
{
    const std::string text = withEndMark(args);
    std::string_view rest = text;
    LadderRecord ladder;
    if (!takeNumbers(rest, {&ladder.seat}))
        return std::nullopt;
    while (rest != EndMark) {
        int box = 0;
        if (!takeNumbers(rest, {&box}))
            return std::nullopt;
        ladder.boxes.append({box, fromWire(wire::takeField(rest))});
    }
    return ladder;
}

} // namespace zz
