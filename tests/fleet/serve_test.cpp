// The program itself under a stand-in sidecar: what only a real process
// shows (its start, a held event loop, signals, what it loads).
#include "support/standinsidecar.h"
#include "support/waitfor.h"

#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <vector>

namespace zz::test {
namespace {

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

class ServedTable
{
public:
    // Starts `zigzop --serve` on a free port; with sidecarPort, under the stand-in there.
    explicit ServedTable(std::optional<quint16> sidecarPort, QStringList extra = {}) : port(freePort())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("AGONES_SDK_HTTP_PORT"));
        if (sidecarPort)
            env.insert(QStringLiteral("AGONES_SDK_HTTP_PORT"), QString::number(*sidecarPort));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(ZZ_PROGRAM),
                      QStringList{QStringLiteral("--serve"), QStringLiteral("--port"), QString::number(port)} + extra);
    }
    ~ServedTable()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    bool serving()
    {
        return waitFor([&] { return process.readAllStandardOutput().contains("serving on port"); }, 10000);
    }
    // Connects a player; the table owns nothing of it.
    QTcpSocket *join()
    {
        auto player = std::make_unique<QTcpSocket>();
        player->connectToHost(QHostAddress::LocalHost, port);
        if (!waitFor([&] { return player->state() == QAbstractSocket::ConnectedState; }))
            return nullptr;
        players.push_back(std::move(player));
        return players.back().get();
    }
    QString maps() const
    {
        QFile file(QStringLiteral("/proc/%1/maps").arg(process.processId()));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }
    void signal(int number) { ::kill(static_cast<pid_t>(process.processId()), number); }

    quint16 port;
    QProcess process;
    std::vector<std::unique_ptr<QTcpSocket>> players;
};

QStringList sorted(QStringList values)
{
    values.sort();
    return values;
}

TEST(Serve, PingsFromTheStartReadyOnceListeningAndNoPingsWhileTheLoopIsHeld)
{
    StandInSidecar sidecar;
    ASSERT_NE(sidecar.start(), 0);
    std::optional<bool> acceptedAtReady;
    quint16 gamePort = 0;
    sidecar.onRequest = [&](const StandInSidecar::Request &r) {
        if (r.path != QStringLiteral("/ready") || acceptedAtReady)
            return;
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, gamePort);
        acceptedAtReady = probe.waitForConnected(2000);
    };
    const qint64 launchedAt = sidecar.elapsedMs();
    ServedTable table(sidecar.port());
    gamePort = table.port;
    ASSERT_TRUE(waitFor([&] { return sidecar.requestsTo(QStringLiteral("/health")).size() >= 4; }, 12000));
    std::vector<StandInSidecar::Request> pings = sidecar.requestsTo(QStringLiteral("/health"));
    // Generous margins: the machine may be busy.
    EXPECT_LT(pings.front().atMs - launchedAt, 1500);
    for (std::size_t i = 0; i < pings.size(); ++i) {
        EXPECT_EQ(pings[i].body, "{}");
        if (i > 0) {
            EXPECT_GT(pings[i].atMs - pings[i - 1].atMs, 1200);
            EXPECT_LT(pings[i].atMs - pings[i - 1].atMs, 3500);
        }
    }
    ASSERT_EQ(sidecar.requestsTo(QStringLiteral("/ready")).size(), 1u);
    EXPECT_EQ(acceptedAtReady, true);
    EXPECT_TRUE(waitFor([&] { return sidecar.label() == QStringLiteral("waiting"); }));
    // Only under the sidecar is the HTTP module loaded.
    EXPECT_TRUE(table.maps().contains(QStringLiteral("zigzop-http.so")));

    // A stopped process is a held event loop: no pings until it goes on.
    table.signal(SIGSTOP);
    const qint64 heldAt = sidecar.elapsedMs();
    waitFor([] { return false; }, 5000);
    const qint64 releasedAt = sidecar.elapsedMs();
    table.signal(SIGCONT);
    const std::size_t before = sidecar.requestsTo(QStringLiteral("/health")).size();
    ASSERT_TRUE(waitFor([&] { return sidecar.requestsTo(QStringLiteral("/health")).size() >= before + 2; }, 6000));
    for (const auto &ping : sidecar.requestsTo(QStringLiteral("/health")))
        EXPECT_FALSE(ping.atMs > heldAt + 500 && ping.atMs < releasedAt) << ping.atMs - heldAt;
}

TEST(Serve, SigtermClosesEveryConnectionAndExitsZero)
{
    StandInSidecar sidecar;
    ASSERT_NE(sidecar.start(), 0);
    ServedTable table(sidecar.port());
    ASSERT_TRUE(table.serving());
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(table.join());
    ASSERT_TRUE(waitFor([&] { return sorted(sidecar.list(QStringLiteral("players"))).join(QLatin1Char(',')) == QStringLiteral("1,2,3"); }));

    table.signal(SIGTERM);
    ASSERT_TRUE(waitFor([&] { return table.process.state() == QProcess::NotRunning; }, 5000));
    EXPECT_EQ(table.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(table.process.exitCode(), 0);
    for (const auto &player : table.players)
        EXPECT_TRUE(waitFor([&] { return player->state() == QAbstractSocket::UnconnectedState; }, 2000));
}

TEST(Serve, AnEmptiedTableAsksToEndAndRunsOnUntilSigterm)
{
    StandInSidecar sidecar;
    ASSERT_NE(sidecar.start(), 0);
    ServedTable table(sidecar.port(), {QStringLiteral("--empty-shutdown"), QStringLiteral("1")});
    ASSERT_TRUE(table.serving());
    QTcpSocket *player = table.join();
    ASSERT_TRUE(player);
    ASSERT_TRUE(waitFor([&] { return sidecar.list(QStringLiteral("players")) == QStringList{QStringLiteral("1")}; }));
    player->disconnectFromHost();
    ASSERT_TRUE(waitFor([&] { return sidecar.requestsTo(QStringLiteral("/shutdown")).size() == 1; }, 5000));
    EXPECT_TRUE(sidecar.list(QStringLiteral("players")).isEmpty());
    EXPECT_FALSE(waitFor([&] { return table.process.state() == QProcess::NotRunning; }, 2000));
    table.signal(SIGTERM);
    ASSERT_TRUE(waitFor([&] { return table.process.state() == QProcess::NotRunning; }, 5000));
    EXPECT_EQ(table.process.exitCode(), 0);
}

TEST(Serve, AVariableThatIsNoPortStopsTheTableWithWords)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("AGONES_SDK_HTTP_PORT"), QStringLiteral("93x8"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ZZ_PROGRAM), {QStringLiteral("--serve"), QStringLiteral("--port"), QStringLiteral("0")});
    ASSERT_TRUE(waitFor([&] { return process.state() == QProcess::NotRunning; }, 10000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("AGONES_SDK_HTTP_PORT is not a port number: 93x8"));
}

TEST(Serve, WithoutTheVariableNothingNewIsLoaded)
{
    ServedTable table(std::nullopt);
    ASSERT_TRUE(table.serving());
    const QString maps = table.maps();
    ASSERT_FALSE(maps.isEmpty());
    EXPECT_FALSE(maps.contains(QStringLiteral("zigzop-http")));
    EXPECT_FALSE(maps.contains(QStringLiteral("libcurl")));
}

} // namespace
} // namespace zz::test
