#include "net/signalwatcher.h"

#include "support/waitfor.h"

#include <gtest/gtest.h>

#include <csignal>
#include <vector>

using namespace zz;
using zz::test::waitFor;

TEST(SignalWatcher, DeliversTerminationSignalsOnTheEventLoopInOrder)
{
    SignalWatcher watcher;
    std::vector<int> received;
    QObject::connect(&watcher, &SignalWatcher::signalled, &watcher, [&](int number) { received.push_back(number); });

    std::raise(SIGHUP);
    std::raise(SIGTERM);
    EXPECT_TRUE(received.empty());   // nothing runs inside the signal handler
    ASSERT_TRUE(waitFor([&] { return received.size() == 2; }));
    EXPECT_EQ(received, (std::vector<int>{SIGHUP, SIGTERM}));
}
