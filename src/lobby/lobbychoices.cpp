#include "lobby/lobbychoices.h"

#include "store/inifile.h"
#include "store/atomicfile.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace zz {

namespace {

constexpr std::string_view Section = "Lobby";
constexpr std::string_view NameKey = "Name";
constexpr std::string_view AnnounceKey = "Announce";
constexpr std::string_view TablePrefix = "Table";
constexpr std::string_view MatchmakerKey = "Matchmaker";
constexpr std::string_view PrivateTableKey = "PrivateTable";
constexpr std::string_view PrivateTableCodeKey = "PrivateTableCode";

// The file's text; "" when it is missing or unreadable.
std::string fileText(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

void LobbyChoices::rememberTable(const std::string &address)
{
    std::erase(recentTables, address);
    recentTables.insert(recentTables.begin(), address);
    if (recentTables.size() > MaxRecentTables)
        recentTables.resize(MaxRecentTables);
}

LobbyChoices loadLobbyChoices(const std::filesystem::path &file)
{
    const IniFile ini(fileText(file));
    LobbyChoices choices;
    choices.name = ini.value(Section, NameKey).value_or("");
    choices.announce = ini.value(Section, AnnounceKey) == "true";
    for (std::size_t i = 1; i <= LobbyChoices::MaxRecentTables; ++i)
        if (const auto table = ini.value(Section, std::string(TablePrefix) + std::to_string(i)))
            if (!table->empty())
                choices.recentTables.push_back(*table);
    choices.matchmaker = ini.value(Section, MatchmakerKey).value_or("");
    choices.privateTableAddress = ini.value(Section, PrivateTableKey).value_or("");
    choices.privateTableCode = ini.value(Section, PrivateTableCodeKey).value_or("");
    return choices;
}

bool saveLobbyChoices(const std::filesystem::path &file, const LobbyChoices &choices)
{
    IniFile ini(fileText(file));
    ini.setValue(Section, NameKey, choices.name);
    ini.setValue(Section, AnnounceKey, choices.announce ? "true" : "false");
    for (std::size_t i = 1; i <= LobbyChoices::MaxRecentTables; ++i)
        ini.setValue(Section, std::string(TablePrefix) + std::to_string(i),
                     i <= choices.recentTables.size() ? choices.recentTables[i - 1] : std::string());
    ini.setValue(Section, MatchmakerKey, choices.matchmaker);
    ini.setValue(Section, PrivateTableKey, choices.privateTableAddress);
    ini.setValue(Section, PrivateTableCodeKey, choices.privateTableCode);
    return writeFileAtomically(file, ini.text());
}

} // namespace zz
