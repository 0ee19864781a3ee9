// The command line of a computer player on its own.
#include "bot/headlessbot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zz {
namespace {

std::optional<BotArguments> parse(std::vector<const char *> args)
{
    args.insert(args.begin(), "zigzop");
    return parseBotArguments(static_cast<int>(args.size()), args.data());
}

TEST(HeadlessBot, ReadsTheTableTheNameAndTheSpeed)
{
    const auto plain = parse({"--bot", "tables.example"});
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->host, "tables.example");
    EXPECT_EQ(plain->port, 7772);
    EXPECT_EQ(plain->name, "");
    EXPECT_EQ(plain->intervalMs, BotSpeedNormal);

    const auto full = parse({"--speed", "slow", "--name", "Robo+1", "--bot", "127.0.0.1:65535"});
    ASSERT_TRUE(full);
    EXPECT_EQ(full->host, "127.0.0.1");
    EXPECT_EQ(full->port, 65535);
    EXPECT_EQ(full->name, "Robo+1");
    EXPECT_EQ(full->intervalMs, BotSpeedSlow);
    EXPECT_EQ(parse({"--bot", "h:1", "--speed", "fast"})->intervalMs, BotSpeedFast);
}

TEST(HeadlessBot, BadArgumentsExitWithCodeTwo)
{
    const std::vector<std::vector<const char *>> cases = {
        {},
        {"--bot"},
        {"--bot", ""},
        {"--bot", ":7772"},
        {"--bot", "h:"},
        {"--bot", "h:0"},
        {"--bot", "h:65536"},
        {"--bot", "h:-1"},
        {"--bot", "h:77x"},
        {"--bot", "h:1:2"},
        {"--bot", "h", "--bot", "g"},
        {"--bot", "h", "--speed", "Fast"},
        {"--bot", "h", "--speed"},
        {"--bot", "h", "--name", ""},
        {"--bot", "h", "--name", "--speed", "fast"},
        {"--bot", "h", "stray"},
        {"--name", "Robo"},
    };
    for (const auto &c : cases) {
        std::string shown;
        for (const char *arg : c)
            shown += std::string(arg) + " ";
        SCOPED_TRACE(shown);
        EXPECT_FALSE(parse(c));
        std::vector<std::string> args{"zigzop"};
        args.insert(args.end(), c.begin(), c.end());
        std::vector<char *> argv;
        for (auto &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        EXPECT_EQ(runHeadlessBot(static_cast<int>(args.size()), argv.data()), 2);
    }
}

} // namespace
} // namespace zz
