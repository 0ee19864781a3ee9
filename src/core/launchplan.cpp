#include "launchplan.h"

#include "names.h"

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
        plan.hostAddress = params[1];
    }
    return plan;
}

} // namespace zz
