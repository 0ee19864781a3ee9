#include "tallytable.h"

#include "core/wire.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace zz {

using wire::number;
using wire::toInteger;

namespace {

constexpr std::string_view LineEnd = "\r\n";

unsigned char foldCase(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<unsigned char>(c + 0x20);
    switch (c) { // the Windows-1252 capitals outside the Latin-1 block
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
    }
}

// Cuts the text into lines at LF, each losing one CR before it; a last line
// without its end still counts.
std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

} // namespace

bool sameNameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return foldCase(static_cast<unsigned char>(x)) == foldCase(static_cast<unsigned char>(y));
    });
}

TallyTable::TallyTable()
{
    Row own;
    own.fill("0");
    m_rows.push_back(own);
}

std::optional<TallyTable> TallyTable::fromText(std::string_view text)
{
    const std::vector<std::string_view> lines = splitLines(text);
    if (lines.size() < 2)
        return std::nullopt;
    const std::optional<int> columns = toInteger(lines[0]);
    const std::optional<int> rows = toInteger(lines[1]);
    if (columns != ColumnCount || !rows || *rows < 1)
        return std::nullopt;
    // Too few lines for the counts is damage; lines after the last cell are
    // not part of the table and are left unread.
    if (lines.size() - 2 < std::uint64_t(ColumnCount) * std::uint64_t(*rows))
        return std::nullopt;

    TallyTable table;
    table.m_rows.assign(static_cast<std::size_t>(*rows), Row{});
    std::size_t line = 2;
    for (int column = 0; column < ColumnCount; ++column)
        for (Row &row : table.m_rows)
            row[static_cast<std::size_t>(column)] = std::string(lines[line++]);
    return table;
}

std::string TallyTable::toText() const
{
    std::string text = number(ColumnCount) + std::string(LineEnd) + number(rowCount()) + std::string(LineEnd);
    for (int column = 0; column < ColumnCount; ++column)
        for (const Row &row : m_rows)
            text.append(row[static_cast<std::size_t>(column)]).append(LineEnd);
    return text;
}

std::string TallyTable::cell(int column, int row) const
{
    if (column < 0 || column >= ColumnCount || row < 0 || row >= rowCount())
        return {};
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

int TallyTable::count(int column, int row) const
{
    return toInteger(cell(column, row)).value_or(0);
}

int TallyTable::addit(int column, int row)
{
    if (column < 0 || column >= ColumnCount || row < 0 || row >= rowCount())
        return 0;
    const int current = count(column, row);
    const int next = current == INT_MAX ? current : current + 1; // a full counter stays full
    m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = number(next);
    return next;
}

std::optional<int> TallyTable::findPlayer(std::string_view name) const
{
    for (int row = 1; row < rowCount(); ++row)
        if (sameNameIgnoringCase(m_rows[static_cast<std::size_t>(row)][Name], name))
            return row;
    return std::nullopt;
}

bool TallyTable::addPlayer(std::string_view name)
{
    // A line break would split the cell into two lines of the file.
    if (findPlayer(name) || name.find_first_of("\r\n") != std::string_view::npos)
        return false;
    Row row;
    row.fill("0");
    row[Name] = std::string(name);
    m_rows.push_back(row);
    return true;
}

bool TallyTable::removePlayer(int row)
{
    if (row < 1 || row >= rowCount())
        return false;
    m_rows.erase(m_rows.begin() + row);
    return true;
}

void TallyTable::reset()
{
    *this = TallyTable();
}

void TallyTable::startSession()
{
    for (int row = 1; row < rowCount(); ++row)
        for (int column = Games + SessionOffset; column < ColumnCount; ++column)
            m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = "0";
}

void TallyTable::addGame(std::string_view winner, const std::vector<std::string> &playersInGame)
{
    addit(OwnGames, 0);
    const bool ownWin = winner == TallyOwnWin;
    if (ownWin)
        addit(OwnWins, 0);

    std::vector<int> counted;
    for (const std::string &name : playersInGame) {
        const std::optional<int> found = findPlayer(name);
        // Two seats whose names differ only in case still share one row and one game.
        if (!found || std::find(counted.begin(), counted.end(), *found) != counted.end())
            continue;
        const int row = *found;
        counted.push_back(row);
        Row &cells = m_rows[static_cast<std::size_t>(row)];
        for (int column = Games; column < ColumnCount; ++column)
            if (cells[static_cast<std::size_t>(column)].empty())
                cells[static_cast<std::size_t>(column)] = "0";
        // The stored name must match exactly: a case difference counts as "neither".
        const int outcome = cells[Name] == winner ? TheirWins : ownWin ? YourWins : NeitherWon;
        for (int column : {int(Games), outcome}) {
            addit(column, row);
            addit(column + SessionOffset, row);
        }
    }
}

} // namespace zz
