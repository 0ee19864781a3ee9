// The fleet agent against a stand-in sidecar, with the host driven by
// message texts: the Lists and the label follow the seat table, the sidecar's
// failures are told once and put right, the empty table asks to end.
#include "fleet/fleetagent.h"

#include "host/hostfixture.h"
#include "support/standinsidecar.h"
#include "support/waitfor.h"
#include "support/warnings.h"

#include <QTcpServer>

#include <gtest/gtest.h>

#include <optional>

namespace zz::test {
namespace {

using fleet::FleetAgent;

QStringList seats(std::initializer_list<int> numbers)
{
    QStringList values;
    for (int n : numbers)
        values << QString::number(n);
    return values;
}

class FleetAgentTest : public HostFixture
{
protected:
    // An agent for the stand-in (listening unless told otherwise).
    void startAgent(int emptyShutdownSeconds = 60, bool listening = true)
    {
        if (!sidecar.port()) {
            ASSERT_NE(sidecar.start(), 0);
        }
        std::string error;
        std::unique_ptr<HttpClient> http = makeHttpClient({ZZ_HTTP_MODULE}, &error);
        ASSERT_TRUE(http) << error;
        agent = std::make_unique<FleetAgent>(host, std::move(http),
                                             "http://127.0.0.1:" + std::to_string(sidecar.port()) + "/",
                                             emptyShutdownSeconds, [this](int code) { exitCode = code; });
        agent->setClock([this] { return clock; });
        if (listening)
            agent->tableListening();
    }
    bool listsAre(const QStringList &players, const QStringList &watchers, int timeoutMs = 1000)
    {
        return waitFor([&] {
            QStringList p = sidecar.list(QStringLiteral("players")), w = sidecar.list(QStringLiteral("watchers"));
            p.sort();
            w.sort();
            return p == players && w == watchers;
        }, timeoutMs);
    }
    int warningsAbout(const QString &what) const
    {
        int n = 0;
        for (const QString &w : warnings.warnings)
            n += w.contains(what);
        return n;
    }

    WarningCatcher warnings;
    StandInSidecar sidecar;
    std::unique_ptr<FleetAgent> agent;
    std::chrono::milliseconds clock{0};
    std::optional<int> exitCode;
};

TEST_F(FleetAgentTest, ListsFollowEveryChangeOfTheSeatTable)
{
    startAgent();
    const struct
    {
        const char *name;
        std::function<void()> change;
        QStringList players, watchers;
    } steps[] = {
        {"two players join", [&] { seatPlayers(2); }, seats({1, 2}), {}},
        {"one leaves", [&] { host.connectionClosed(2); }, seats({1}), {}},
        {"five more and a watcher", [&] { connect(6); }, seats({1, 2, 3, 4, 5, 6}), seats({7})},
        {"the owner removes seat 3", [&] { handle(1, "CMD_kickhim+1+3+"); }, seats({1, 2, 4, 5, 6}), seats({7})},
        {"a newcomer takes the freed seat", [&] { connect(); }, seats({1, 2, 3, 4, 5, 6}), seats({7})},
        {"the watcher's connection drops", [&] { host.connectionClosed(7); }, seats({1, 2, 3, 4, 5, 6}), {}},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        EXPECT_TRUE(listsAre(step.players, step.watchers));
    }
    EXPECT_TRUE(warnings.warnings.isEmpty()) << warnings.warnings.join(QLatin1Char('\n')).toStdString();
}

TEST_F(FleetAgentTest, ReadyOnlyOnceListeningThenTheLabelFollowsTheGame)
{
    startAgent(60, false);
    ASSERT_TRUE(waitFor([&] { return !sidecar.requestsTo(QStringLiteral("/health")).empty(); }));
    EXPECT_TRUE(runUntilIdle());
    EXPECT_TRUE(sidecar.requestsTo(QStringLiteral("/ready")).empty());
    EXPECT_TRUE(sidecar.label().isEmpty());

    agent->tableListening();
    ASSERT_TRUE(waitFor([&] { return sidecar.label() == QStringLiteral("waiting"); }));
    EXPECT_EQ(sidecar.requestsTo(QStringLiteral("/ready")).size(), 1u);
    EXPECT_EQ(sidecar.requestsTo(QStringLiteral("/ready")).front().body, "{}");

    seatPlayers(1);
    startColdWarm("100");
    EXPECT_TRUE(waitFor([&] { return sidecar.label() == QStringLiteral("playing"); }));
    sendWords(1, {"cord", "card", "ward", "warm"});
    ticks(15);
    ASSERT_FALSE(host.gameInProgress());
    EXPECT_TRUE(waitFor([&] { return sidecar.label() == QStringLiteral("waiting"); }));

    // Every player leaving a game ends it for those looking for a table.
    startColdWarm("100");
    ASSERT_TRUE(waitFor([&] { return sidecar.label() == QStringLiteral("playing"); }));
    host.connectionClosed(1);
    EXPECT_TRUE(waitFor([&] { return sidecar.label() == QStringLiteral("waiting"); }));
}

TEST_F(FleetAgentTest, FailuresAreToldOnceTheGameGoesOnAndAllIsPutRight)
{
    startAgent();
    ASSERT_TRUE(waitFor([&] { return sidecar.label() == QStringLiteral("waiting"); }));
    sidecar.fail(QStringLiteral("/v1beta1/lists/"), {500, R"({"code":2,"message":"the lists are broken"})"});
    sidecar.fail(QStringLiteral("/metadata/label"), {400, R"({"code":3, "message" : "bad label"})"});
    seatPlayers(2);
    startColdWarm("100");
    ASSERT_TRUE(host.gameInProgress());
    // Several retries later each kind was told once.
    waitFor([&] { return sidecar.requestsTo(QStringLiteral("/metadata/label")).size() >= 4; }, 8000);
    // Told once per call that failed (reading, changing), never again on a retry.
    EXPECT_GE(warningsAbout(QStringLiteral("HTTP 500: the lists are broken")), 1);
    EXPECT_EQ(warningsAbout(QStringLiteral("HTTP 400: bad label")), 1);
    EXPECT_EQ(warnings.warnings.removeDuplicates(), 0) << warnings.warnings.join(QLatin1Char('\n')).toStdString();
    EXPECT_GE(sidecar.requestsTo(QStringLiteral("/v1beta1/lists/players")).size(), 2u);

    handle(1, "CMD_chat+1+still playing");
    EXPECT_FALSE(to(2, "CMD_chat").empty());
    sidecar.heal();
    EXPECT_TRUE(listsAre(seats({1, 2}), {}, 4000));
    EXPECT_TRUE(waitFor([&] { return sidecar.label() == QStringLiteral("playing"); }, 4000));
}

TEST_F(FleetAgentTest, ASidecarThatRestartsMidGameGetsTheListsBack)
{
    startAgent();
    seatPlayers(2);
    ASSERT_TRUE(listsAre(seats({1, 2}), {}));
    sidecar.goAway();
    // It comes back having lost what it held, and somebody came meanwhile.
    sidecar.setList(QStringLiteral("players"), {});
    connect();
    agent->healthTick();
    ASSERT_TRUE(waitFor([&] { return warningsAbout(QStringLiteral("health failed")) == 1; }));
    ASSERT_TRUE(sidecar.comeBack());
    agent->healthTick();
    EXPECT_TRUE(listsAre(seats({1, 2, 3}), {}, 4000));
    EXPECT_FALSE(exitCode);
}

TEST_F(FleetAgentTest, AnAbsentSidecarIsRetriedForThirtySecondsThenTheTableStops)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    closed.close();
    std::string error;
    agent = std::make_unique<FleetAgent>(host, makeHttpClient({ZZ_HTTP_MODULE}, &error),
                                         "http://127.0.0.1:" + std::to_string(closed.serverPort()) + "/", 60,
                                         [this](int code) { exitCode = code; });
    agent->setClock([this] { return clock; });
    testing::internal::CaptureStderr();
    agent->tableListening();
    ASSERT_TRUE(waitFor([&] { return warningsAbout(QStringLiteral("ready failed: connection refused")) == 1; }));
    clock = std::chrono::seconds(29);
    EXPECT_FALSE(waitFor([&] { return exitCode.has_value(); }, 1500));
    clock = std::chrono::seconds(31);
    EXPECT_TRUE(waitFor([&] { return exitCode.has_value(); }, 8000));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(exitCode, 1);
    EXPECT_NE(said.find("could not be reached for 30 s"), std::string::npos) << said;
    EXPECT_EQ(warningsAbout(QStringLiteral("ready failed")), 1);
}

TEST_F(FleetAgentTest, AnEmptiedTableAsksToEndUnlessSomebodyComes)
{
    startAgent();
    EXPECT_FALSE(agent->emptyShutdownPending()); // never had anybody: stays ready
    connect(2);
    host.connectionClosed(1);
    EXPECT_FALSE(agent->emptyShutdownPending());
    host.connectionClosed(2);
    EXPECT_TRUE(agent->emptyShutdownPending());
    connect();
    EXPECT_FALSE(agent->emptyShutdownPending());
    host.connectionClosed(1);
    ASSERT_TRUE(agent->emptyShutdownPending());
    agent->emptyPeriodOver();
    ASSERT_TRUE(waitFor([&] { return sidecar.requestsTo(QStringLiteral("/shutdown")).size() == 1; }));
    EXPECT_EQ(sidecar.requestsTo(QStringLiteral("/shutdown")).front().body, "{}");
    connect();
    host.connectionClosed(1);
    EXPECT_FALSE(agent->emptyShutdownPending()); // asked once is enough
    EXPECT_FALSE(exitCode);

    // 0: never.
    sidecar.requests.clear();
    startAgent(0);
    connect();
    host.connectionClosed(1);
    EXPECT_FALSE(agent->emptyShutdownPending());
}

} // namespace
} // namespace zz::test
