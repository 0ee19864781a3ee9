// `zigzop --bot` as a program: it joins a stand-in table on loopback, and
// its exit code says how it ended.
#include "core/messages.h"
#include "core/wire.h"
#include "support/loopback.h"
#include "support/waitfor.h"

#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

#include <string>

namespace zz::test {
namespace {

class BotProgram : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(table.listen(QHostAddress::LocalHost, 0)); }
    void TearDown() override
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }

    void start(QStringList args)
    {
        args.prepend(QStringLiteral("--bot"));
        process.start(QStringLiteral(ZIGZOP_BINARY), args);
    }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(table.serverPort()); }
    // Takes the player's connection, gives it a seat and returns its login reply.
    std::string seat(int number)
    {
        peer = acceptPeer(table, 10000);
        if (!peer)
            return {};
        const std::string greeting = wire::sendLoginInfo(number);
        peer->write(greeting.data(), static_cast<qint64>(greeting.size()));
        waitFor([this] { return peer->bytesAvailable() > 0 && peer->peek(256).contains('\xff'); }, 10000);
        const QByteArray reply = peer->readAll();
        return reply.left(reply.indexOf('\xff')).toStdString();
    }
    bool ended() { return waitFor([this] { return process.state() == QProcess::NotRunning; }, 10000); }
    QString out() { return QString::fromLocal8Bit(process.readAllStandardOutput()); }

    QTcpServer table;
    QTcpSocket *peer = nullptr;
    QProcess process;
};

TEST_F(BotProgram, EndsWellWhenTheTableClosesOrOnSigterm)
{
    bool closed = false;   // outlives every peer whose close it records
    for (const bool sigterm : {false, true}) {
        SCOPED_TRACE(sigterm ? "SIGTERM" : "the table closes");
        start({address(), QStringLiteral("--name"), QStringLiteral("Robo"), QStringLiteral("--speed"),
               QStringLiteral("fast")});
        EXPECT_EQ(seat(4), "CMD_logininfo+4+1.0.2+Robo");
        ASSERT_TRUE(waitFor([this] { return process.canReadLine(); }, 10000));
        EXPECT_EQ(QString::fromLocal8Bit(process.readLine()),
                  QStringLiteral("joined %1 as Robo, seat 4\n").arg(address()));
        closed = false;
        QObject::connect(peer, &QTcpSocket::disconnected, peer, [&] { closed = true; });
        if (sigterm)
            process.terminate();
        else
            peer->close();
        ASSERT_TRUE(ended());
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
        if (sigterm)
            EXPECT_TRUE(waitFor([&] { return closed; }));
        else
            EXPECT_EQ(out(), QStringLiteral("the table closed the connection\n"));
    }
}

TEST_F(BotProgram, AFullTableAWatcherSeatOrNoTableEndsWithOne)
{
    start({address()});
    peer = acceptPeer(table, 10000);
    ASSERT_TRUE(peer);
    const std::string full = wire::full();
    peer->write(full.data(), static_cast<qint64>(full.size()));
    peer->flush();
    peer->close();
    ASSERT_TRUE(ended());
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(QString::fromLocal8Bit(process.readAllStandardError()).contains(QStringLiteral("is full")));

    // Only a watcher seat is free: it is left at once, for a person to take.
    start({address()});
    peer = acceptPeer(table, 10000);
    ASSERT_TRUE(peer);
    const std::string watcherSeat = wire::sendLoginInfo(9);
    peer->write(watcherSeat.data(), static_cast<qint64>(watcherSeat.size()));
    ASSERT_TRUE(ended());
    EXPECT_TRUE(waitFor([this] { return peer->state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_TRUE(peer->readAll().isEmpty());   // no login reply
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(QString::fromLocal8Bit(process.readAllStandardError())
                    .contains(QStringLiteral("the table at %1 has no free player seat").arg(address())));
    EXPECT_EQ(out(), QString());

    const quint16 port = table.serverPort();
    table.close();   // nobody listens there now
    start({QStringLiteral("127.0.0.1:%1").arg(port)});
    ASSERT_TRUE(ended());
    EXPECT_EQ(process.exitCode(), 1);
}

} // namespace
} // namespace zz::test
