#pragma once
// What the "Play With Others" dialog remembers between games: the player's
// name, whether a hosted table announces itself, the tables joined before,
// most recent first, and the matchmaker with the last private table. Kept in their own small file beside the
// settings, so the settings file holds only its own keys.
#include <filesystem>
#include <string>
#include <vector>

namespace zz {

struct LobbyChoices
{
    static constexpr std::size_t MaxRecentTables = 8;
    static constexpr const char *FileName = "zigzoplobby.ini";

    std::string name;                       // UTF-8
    bool announce = false;                  // off until the player ticks it
    std::vector<std::string> recentTables;  // addresses as typed, most recent first
    std::string matchmaker;                 // where Quick Match asks; "" for none
    // The private table last asked for, so the game that joins it can show its code.
    std::string privateTableAddress, privateTableCode;

    // Puts an address first, once, and keeps at most MaxRecentTables.
    void rememberTable(const std::string &address);
};

// A missing or unreadable file gives the defaults.
LobbyChoices loadLobbyChoices(const std::filesystem::path &file);
// Atomic; false when the file could not be written (the old one stays).
bool saveLobbyChoices(const std::filesystem::path &file, const LobbyChoices &choices);

} // namespace zz
