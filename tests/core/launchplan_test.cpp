#include "core/launchplan.h"
#include "core/names.h"

#include <gtest/gtest.h>

using zz::LaunchPlan;
using zz::planLaunch;

TEST(LaunchPlan, NoParametersIsASoloGameHostedOnLoopback)
{
    const LaunchPlan p = planLaunch({});
    EXPECT_EQ(p.mode, LaunchPlan::Mode::Solo);
    EXPECT_TRUE(p.hosting());
    EXPECT_EQ(p.playerName, "You");
    EXPECT_EQ(p.hostAddress, "127.0.0.1");
    EXPECT_EQ(p.loadingLine, "0+Loading Solo Game..Please wait.");
    EXPECT_TRUE(p.showDownload);
    EXPECT_FALSE(p.openLobby);
}

TEST(LaunchPlan, HostFlagTrueHostsOnLoopbackWhateverTheAddress)
{
    const LaunchPlan p = planLaunch({"Ann", "10.0.0.5", "true"});
    EXPECT_EQ(p.mode, LaunchPlan::Mode::Host);
    EXPECT_TRUE(p.hosting());
    EXPECT_EQ(p.playerName, "Ann");
    EXPECT_EQ(p.hostAddress, "127.0.0.1");
    EXPECT_EQ(p.loadingLine, "0+Loading Multi-player Game.. Please Wait.");
    EXPECT_TRUE(p.openLobby);
    EXPECT_FALSE(p.showDownload);
}

TEST(LaunchPlan, AnyOtherHostFlagJoins)
{
    for (const char *flag : {"True", "false", "TRUE", "", "1"}) {
        SCOPED_TRACE(flag);
        const LaunchPlan p = planLaunch({"Ann", "10.0.0.5", flag});
        EXPECT_EQ(p.mode, LaunchPlan::Mode::Join);
        EXPECT_FALSE(p.hosting());
        EXPECT_EQ(p.playerName, "Ann");
        EXPECT_EQ(p.hostAddress, "10.0.0.5");
        EXPECT_TRUE(p.openLobby);
    }
}

TEST(LaunchPlan, OneOrTwoParametersOnlyShowTheLoadingLine)
{
    for (const auto &params : {std::vector<std::string>{"Ann"}, std::vector<std::string>{"Ann", "10.0.0.5"}}) {
        SCOPED_TRACE(params.size());
        const LaunchPlan p = planLaunch(params);
        EXPECT_EQ(p.mode, LaunchPlan::Mode::Idle);
        EXPECT_FALSE(p.hosting());
        EXPECT_FALSE(p.openLobby);
        EXPECT_EQ(p.loadingLine, "0+Loading Multi-player Game.. Please Wait.");
    }
}

TEST(LaunchPlan, ParametersPastTheThirdAreIgnored)
{
    const LaunchPlan p = planLaunch({"Ann", "host.example", "false", "true", "extra"});
    EXPECT_EQ(p.mode, LaunchPlan::Mode::Join);
    EXPECT_EQ(p.hostAddress, "host.example");
}

TEST(LaunchPlan, JoinAddressMayNameAPort)
{
    const struct
    {
        const char *address, *host;
        std::optional<std::uint16_t> port;
    } cases[] = {
        {"host.example:9000", "host.example", 9000},
        {"[::1]:17772", "::1", 17772},
        {"[::1]", "::1", std::nullopt},
        {"10.0.0.5:7772", "10.0.0.5", std::nullopt},
        {"[::1", "[::1", std::nullopt},   // tried as a name: the look-up says it is no host
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.address);
        const LaunchPlan p = planLaunch({"Ann", c.address, "false"});
        EXPECT_EQ(p.hostAddress, c.host);
        EXPECT_EQ(p.hostPort, c.port);
    }
}

TEST(LaunchPlan, ArgumentsForHostingAndJoiningReadBackAsTheirPlans)
{
    const auto host = zz::hostArguments("  Ann ");
    ASSERT_TRUE(host);
    EXPECT_EQ(planLaunch(*host).mode, LaunchPlan::Mode::Host);
    EXPECT_EQ(planLaunch(*host).playerName, "Ann");

    const auto join = zz::joinArguments("Bo", " [::1]:9000 ");
    ASSERT_TRUE(join);
    EXPECT_EQ(*join, (std::vector<std::string>{"Bo", "[::1]:9000", "false"}));
    EXPECT_EQ(planLaunch(*join).hostAddress, "::1");
    EXPECT_EQ(planLaunch(*join).hostPort, 9000);

    // A name that would read as an option, or none, starts nothing.
    EXPECT_FALSE(zz::hostArguments("--serve"));
    EXPECT_FALSE(zz::hostArguments("   "));
    EXPECT_FALSE(zz::joinArguments("Bo", "host:0"));
}
