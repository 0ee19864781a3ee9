#include "lobby/tablefinder.h"

#include "host/hostserver.h"
#include "host/hostservice.h"
#include "host/tableannouncer.h"
#include "support/waitfor.h"

#include <QTcpSocket>
#include <gtest/gtest.h>

#include <arpa/inet.h>

using namespace zz;
using zz::test::waitFor;

TEST(TableFinder, SeesAnAnnouncedTableAndItsPlayers)
{
    HostService service;
    service.listen("0");
    TableFinder finder;
    ASSERT_TRUE(finder.listen(0));
    TableAnnouncer announcer(service.server(), service.localPort());
    announcer.setTableName("Friday");
    announcer.start({net::IpAddress::v4(htonl(INADDR_LOOPBACK))}, finder.localPort());

    ASSERT_TRUE(waitFor([&] { return finder.tables().size() == 1; }, 3000));
    const FoundTable &found = finder.tables().front();
    EXPECT_EQ(found.address, "127.0.0.1");
    EXPECT_EQ(found.table.port, service.localPort());
    EXPECT_EQ(found.table.name, "Friday");
    EXPECT_EQ(found.table.players, 0);

    QTcpSocket ann;
    ann.connectToHost(QHostAddress::LocalHost, service.localPort());
    ASSERT_TRUE(waitFor([&] { return service.server().inUse(1); }));
    ann.write(QByteArray("CMD_logininfo+1+1.0.2+Ann\xff", 27));
    ASSERT_TRUE(waitFor([&] { return service.server().name(1) == "Ann"; }));
    announcer.announce();
    ASSERT_TRUE(waitFor([&] { return finder.tables().front().table.players == 1; }));
    EXPECT_EQ(finder.tables().front().table.owner, "Ann");
    EXPECT_EQ(finder.tables().size(), 1u);
}

TEST(TableFinder, ForgetsATableThatFellSilentAndIgnoresStrangers)
{
    TableFinder finder;
    qint64 now = 0;
    finder.setClock([&now] { return now; });
    int changes = 0;
    QObject::connect(&finder, &TableFinder::tablesChanged, &finder, [&changes] { ++changes; });

    const net::TableAnnouncement table{"1.0.2", 7772, "T", "Ann", 1, 0, false};
    finder.datagramReceived("not a table", "10.0.0.9");
    finder.datagramReceived(net::encodeAnnouncement(table), "10.0.0.9");
    finder.datagramReceived(net::encodeAnnouncement(table), "10.0.0.9");   // the same again: no change
    EXPECT_EQ(finder.tables().size(), 1u);
    EXPECT_EQ(changes, 1);

    now = TableFinder::ForgetAfterMs;
    finder.forgetSilentTables();
    EXPECT_EQ(finder.tables().size(), 1u);
    now = TableFinder::ForgetAfterMs + 1;
    finder.forgetSilentTables();
    EXPECT_TRUE(finder.tables().empty());
    EXPECT_EQ(changes, 2);
}
