#pragma once
// What the launch parameters ask for: a solo game, hosting, joining, or
// nothing (one or two parameters). Plain rules, no I/O.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zz {

struct LaunchPlan
{
    enum class Mode { Solo, Host, Join, Idle };

    Mode mode = Mode::Idle;
    std::string playerName;    // "You" when solo
    std::string hostAddress;   // where the client connects: always the loopback address when hosting
    std::optional<std::uint16_t> hostPort;   // when the address named one ("host:port", "[v6]:port")
    bool showDownload = false; // the solo game offers the matchmaking program
    bool openLobby = false;    // the connection attempt to the matchmaking program's port
    std::string_view loadingLine;   // the system line added to the chat view first

    bool hosting() const { return mode == Mode::Solo || mode == Mode::Host; }
};

// params are the positional launch parameters without the program name;
// any beyond the third are ignored.
LaunchPlan planLaunch(const std::vector<std::string> &params);

// The launch parameters that host a table as name, or join the one at
// address. The name is trimmed; nullopt when it is empty or starts with '-'
// (it would read as an option).
std::optional<std::vector<std::string>> hostArguments(std::string_view name);
std::optional<std::vector<std::string>> joinArguments(std::string_view name, std::string_view address);

} // namespace zz
