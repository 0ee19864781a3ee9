#pragma once
// The tally: the local player's own record in row 0 and a head-to-head record
// against every followed player in rows 1 to n, each cell kept as the text the
// file holds, so a table read from a file writes back to the same bytes.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zz {

// The winner text that means "the local player won".
inline constexpr std::string_view TallyOwnWin = "addtomine";

class TallyTable
{
public:
    static constexpr int ColumnCount = 9;

    // Row 0's columns.
    enum OwnColumn { OwnGames = 1, OwnWins = 2, OwnVar3 = 3, OwnVar4 = 4 };
    // A followed player's columns; the session ones follow the totals.
    enum PlayerColumn { Name = 0, Games = 1, TheirWins = 2, YourWins = 3, NeitherWon = 4, SessionOffset = 4 };

    // A new tally: row 0 alone, every cell "0".
    TallyTable();

    // Reads the text form: the counts from the first two lines, then the
    // cells; any lines after the cells are ignored. nullopt when it is cut
    // short or its counts are not 9 columns and at least one row.
    static std::optional<TallyTable> fromText(std::string_view text);
    // The text form: column count, row count, then every cell column by
    // column, each line ended by CR LF.
    std::string toText() const;

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    int playerCount() const { return rowCount() - 1; }
    // The cell's text; empty outside the table.
    std::string cell(int column, int row) const;
    // The value a cell counts as: its integer, or 0 when empty or not a number.
    int count(int column, int row) const;

    // Adds 1 to a cell and returns the new value; 0 and no change outside the table.
    int addit(int column, int row);

    // The row of a followed player, names compared without regard to case;
    // nullopt when the name is not followed.
    std::optional<int> findPlayer(std::string_view name) const;
    // Appends a row for name with every count "0". False, and no change, when
    // the name is already followed or holds a line break.
    bool addPlayer(std::string_view name);
    // Removes a followed player's row; the rows below move up. False for row 0
    // or a row outside the table.
    bool removePlayer(int row);
    // Every count back to "0" and no followed players left.
    void reset();
    // Session columns of every followed player back to "0", as at each start.
    void startSession();

    // Counts one finished game. winner: the winner's name, or "addtomine".
    // playersInGame: the other players on the board; those followed gain the
    // game, each at most once.
    void addGame(std::string_view winner, const std::vector<std::string> &playersInGame);

private:
    using Row = std::array<std::string, ColumnCount>;
    std::vector<Row> m_rows;
};

// Equal names, compared without regard to case in the game's 8-bit encoding.
bool sameNameIgnoringCase(std::string_view a, std::string_view b);

} // namespace zz
