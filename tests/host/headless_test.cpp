#include "host/headlesshost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zz {
namespace {

// Only refusals can run here: a good command line would serve until a signal.
TEST(HeadlessHost, BadArgumentsExitWithCodeTwo)
{
    const std::vector<std::vector<std::string>> cases = {{"--serve", "--port", "abc"}, {"--serve", "--port", "70000"},
                                                         {"--serve", "--port", "-1"},  {"--serve", "--port"},
                                                         {"--serve", "--bogus"},       {"--port", "7772"},
                                                         {"--serve", "--announce"},    {"--serve", "--announce", ""},
                                                         {"--serve", "--name"},        {"--serve", "--empty-shutdown"},
                                                         {"--serve", "--empty-shutdown", "-1"},
                                                         {"--serve", "--empty-shutdown", "86401"},
                                                         {"--serve", "--empty-shutdown", "1m"}};
    for (auto args : cases) {
        args.insert(args.begin(), "zigzop");
        std::vector<char *> argv;
        for (auto &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        SCOPED_TRACE(args[1] + " " + args.back());
        EXPECT_EQ(runHeadlessHost(int(args.size()), argv.data()), 2);
    }
}

} // namespace
} // namespace zz
