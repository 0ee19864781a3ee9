#include "launchplan.h"

#include "names.h"
#include "tableaddress.h"

namespace zz {

LaunchPlan planLaunch(const std::vector<std::string> &params)
{
    LaunchPlan plan;
    if (params.empty()) {
        plan.mode = LaunchPlan::Mode::Solo;
        plan.loadingLine = line::LoadingSolo;
        plan.showDownload = true;
        plan.playerName = SoloPlayerName;
        plan.hostAddress = LoopbackAddress;
        return plan;
    }
    plan.loadingLine = line::LoadingMulti;
    if (params.size() < 3)
        return plan;   // idle: only the loading line, no connection
    plan.playerName = params[0];
    plan.openLobby = true;
    if (params[2] == HostFlagTrue) {
        plan.mode = LaunchPlan::Mode::Host;
        plan.hostAddress = LoopbackAddress;   // a host always plays through its own loopback
    } else {
        plan.mode = LaunchPlan::Mode::Join;
        // An address that does not read is still tried as a host name, so
        // the player sees the look-up fail.
        const std::optional<TableAddress> address = parseTableAddress(params[1], GamePort);
        plan.hostAddress = address ? address->host : params[1];
        if (address && address->port != GamePort)
            plan.hostPort = address->port;
    }
    return plan;
}

namespace {

std::optional<std::string> launchName(std::string_view name)
{
    const auto first = name.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    name = name.substr(first, name.find_last_not_of(" \t") - first + 1);
    if (name.front() == '-')
        return std::nullopt;
    return std::string(name);
}

} // namespace

std::optional<std::vector<std::string>> hostArguments(std::string_view name)
{
    const std::optional<std::string> player = launchName(name);
    if (!player)
        return std::nullopt;
    return std::vector<std::string>{*player, std::string(LoopbackAddress), std::string(HostFlagTrue)};
}

std::optional<std::vector<std::string>> joinArguments(std::string_view name, std::string_view address)
{
    const std::optional<std::string> player = launchName(name);
    const std::optional<TableAddress> table = parseTableAddress(address, GamePort);
    if (!player || !table)
        return std::nullopt;
    return std::vector<std::string>{*player, tableAddressText(*table, GamePort), "false"};
}

} // namespace zz
