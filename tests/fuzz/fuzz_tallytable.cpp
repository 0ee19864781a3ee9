// The tally text comes from a file that may be damaged in any way: reading
// must refuse or accept whole, and whatever it accepts must write back to a
// text that reads as the same table, before and after a game is counted.
#include "store/tallytable.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    auto table = zz::TallyTable::fromText(bytes);
    if (!table)
        return 0;

    const std::string text = table->toText();
    const auto again = zz::TallyTable::fromText(text);
    if (!again || again->toText() != text)
        __builtin_trap();

    // Count a game with every followed name in it, won by the first of them.
    std::vector<std::string> players;
    for (int row = 1; row < table->rowCount(); ++row)
        players.push_back(table->cell(zz::TallyTable::Name, row));
    table->addGame(players.empty() ? std::string(zz::TallyOwnWin) : players.front(), players);
    table->addPlayer(bytes.substr(0, 16));
    table->removePlayer(1);
    table->startSession();
    const std::string counted = table->toText();
    const auto reread = zz::TallyTable::fromText(counted);
    if (!reread || reread->toText() != counted || reread->rowCount() != table->rowCount())
        __builtin_trap();
    return 0;
}
