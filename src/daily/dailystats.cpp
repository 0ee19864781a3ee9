#include "daily/dailystats.h"

#include <algorithm>
#include <charconv>

namespace zz {

namespace {

constexpr std::string_view Header = "zigzop-daily ";
constexpr std::string_view EndLine = "end";
constexpr int MaxNumber = 1'000'000;
constexpr std::size_t MaxRungs = 200;

constexpr std::string_view OutcomeNames[] = {"playing", "solved", "gave-up"};

std::vector<std::string_view> fields(std::string_view line)
{
    std::vector<std::string_view> out;
    while (!line.empty()) {
        const std::size_t space = line.find(' ');
        if (space != 0)
            out.push_back(line.substr(0, space));
        if (space == std::string_view::npos)
            break;
        line.remove_prefix(space + 1);
    }
    return out;
}

std::optional<int> toNumber(std::string_view text, int highest)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 1 || value > highest)
        return std::nullopt;
    return value;
}

bool isWord(std::string_view word)
{
    return word.size() >= 2 && word.size() <= 14
        && std::all_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// "NUMBER OUTCOME day|past PAR RUNG...".
std::optional<std::pair<int, DayRecord>> parseRecord(std::string_view line)
{
    const std::vector<std::string_view> f = fields(line);
    if (f.size() < 4 || f.size() - 4 > MaxRungs)
        return std::nullopt;
    const auto number = toNumber(f[0], MaxNumber);
    const auto par = toNumber(f[3], 99);
    const auto outcome = std::find(std::begin(OutcomeNames), std::end(OutcomeNames), f[1]);
    if (!number || !par || outcome == std::end(OutcomeNames) || (f[2] != "day" && f[2] != "past"))
        return std::nullopt;
    DayRecord record;
    record.outcome = static_cast<DayRecord::Outcome>(outcome - std::begin(OutcomeNames));
    record.onItsDay = f[2] == "day";
    record.par = *par;
    for (std::size_t i = 4; i < f.size(); ++i) {
        if (!isWord(f[i]))
            return std::nullopt;
        record.rungs.emplace_back(f[i]);
    }
    return std::pair{*number, std::move(record)};
}

} // namespace

std::optional<DailyRecords> parseDailyRecords(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        // Every carriage return at the end goes: a kept line must read back as written.
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
    }
    if (lines.size() < 2 || lines.front().substr(0, Header.size()) != Header || lines.back() != EndLine)
        return std::nullopt;
    DailyRecords records;
    const auto version = toNumber(lines.front().substr(Header.size()), MaxNumber);
    if (!version)
        return std::nullopt;
    records.version = *version;
    const bool newer = *version > DailyRecords::Version;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.empty() || line.front() == '#')
            continue;
        auto record = parseRecord(line);
        if (record && !records.days.count(record->first)) {
            records.days.insert(std::move(*record));
            continue;
        }
        if (!newer)
            return std::nullopt;
        records.unknownLines.emplace_back(line);
    }
    return records;
}

std::string dailyRecordsText(const DailyRecords &records)
{
    std::string text = std::string(Header) + std::to_string(std::max(records.version, DailyRecords::Version)) + '\n';
    text += "# Daily ladders: number, outcome (playing, solved, gave-up), played on its day or a\n"
            "# past one, par, then the words typed after the start word.\n";
    for (const auto &[number, record] : records.days) {
        text += std::to_string(number) + ' ' + std::string(OutcomeNames[static_cast<int>(record.outcome)]) + ' '
            + (record.onItsDay ? "day" : "past") + ' ' + std::to_string(record.par);
        for (const std::string &rung : record.rungs)
            text += ' ' + rung;
        text += '\n';
    }
    for (const std::string &line : records.unknownLines)
        text += line + '\n';
    text += std::string(EndLine) + '\n';
    return text;
}

DailyStatistics dailyStatistics(const DailyRecords &records, int today)
{
    DailyStatistics stats;
    int run = 0;
    int previous = 0;   // the number that ended the run so far
    for (const auto &[number, record] : records.days) {
        if (record.outcome == DayRecord::Outcome::Playing)
            continue;
        ++stats.played;
        const bool solved = record.outcome == DayRecord::Outcome::Solved;
        if (!solved) {
            ++stats.notSolved;
        } else {
            ++stats.solved;
            const int over = static_cast<int>(record.rungs.size()) - record.par;
            ++stats.atPar[std::clamp(over, 0, 3)];
        }
        if (solved && record.onItsDay) {
            run = previous == number - 1 ? run + 1 : 1;
            previous = number;
            stats.longestStreak = std::max(stats.longestStreak, run);
        }
    }
    if (previous >= today - 1 && previous <= today)
        stats.currentStreak = run;
    return stats;
}

} // namespace zz
