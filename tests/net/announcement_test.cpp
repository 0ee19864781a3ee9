#include "net/datagramsocket.h"
#include "net/tableannouncement.h"

#include "support/waitfor.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

using namespace zz::net;
using zz::test::waitFor;

TEST(TableAnnouncement, ReadsBackWhatItWrites)
{
    const TableAnnouncement table{"1.0.2", 17772, "Friday \xc3\xa9t\xc3\xa9", "Ann", 3, 1, true};
    const std::string bytes = encodeAnnouncement(table);
    EXPECT_NE(bytes.find("\"game\":\"zigzop\""), std::string::npos);
    EXPECT_EQ(decodeAnnouncement(bytes), table);
}

TEST(TableAnnouncement, IgnoresAnythingElse)
{
    const std::string good = R"({"game":"zigzop","version":"1.0.2","port":7772,"name":"N","owner":"",)"
                             R"("players":0,"watchers":0,"playing":false})";
    ASSERT_TRUE(decodeAnnouncement(good));
    const struct
    {
        const char *name;
        std::string bytes;
    } cases[] = {
        {"garbage", "\x01\x02zz"},
        {"empty", ""},
        {"an array", "[1,2]"},
        {"another game", R"({"game":"chess","version":"1","port":7772,"name":"N","owner":"","players":0,)"
                         R"("watchers":0,"playing":false})"},
        {"no port", R"({"game":"zigzop","version":"1.0.2","name":"N","owner":"","players":0,"watchers":0,)"
                    R"("playing":false})"},
        {"port 0", std::string(good).replace(good.find("7772"), 4, "0")},
        {"port too big", std::string(good).replace(good.find("7772"), 4, "70000")},
        {"seven players", std::string(good).replace(good.find("\"players\":0"), 11, "\"players\":7")},
        {"half a player", std::string(good).replace(good.find("\"players\":0"), 11, "\"players\":0.5")},
        {"players as text", std::string(good).replace(good.find("\"players\":0"), 11, "\"players\":\"1\"")},
        {"four watchers", std::string(good).replace(good.find("\"watchers\":0"), 12, "\"watchers\":4")},
        {"playing as a number", std::string(good).replace(good.find("false"), 5, "0")},
        {"oversize", std::string(good).insert(good.find("\"N\"") + 1, std::string(1100, 'x'))},
        // Found by fuzzing: a count far out of range once overflowed the integer it was read into.
        {"a huge count", std::string(good).replace(good.find("\"players\":0"), 11, "\"players\":8e32")},
        {"a control character", std::string(good).replace(good.find("\"N\""), 3, std::string("\"N\0\"", 4))},
        {"a name of 65 characters",
         std::string(good).replace(good.find("\"N\""), 3, "\"" + std::string(65, 'n') + "\"")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(decodeAnnouncement(c.bytes));
    }
}

TEST(TableAnnouncement, WritesOnlyWhatItWouldRead)
{
    TableAnnouncement table{"1.0.2", 7772, std::string(100, 'n'), std::string("A\x01" "B"), 1, 0, false};
    const auto read = decodeAnnouncement(encodeAnnouncement(table));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->name, std::string(64, 'n'));
    EXPECT_EQ(read->owner, "A?B");
}

TEST(DatagramSocket, DeliversADatagramWithItsSender)
{
    DatagramSocket receiver;
    ASSERT_TRUE(receiver.bind(0));
    // A second finder on the same port is no error.
    DatagramSocket sameMachine;
    EXPECT_TRUE(sameMachine.bind(receiver.localPort()));

    std::vector<std::pair<std::string, std::string>> received;
    for (DatagramSocket *socket : {&receiver, &sameMachine})
        QObject::connect(socket, &DatagramSocket::datagramReceived, socket,
                         [&](const std::string &bytes, const std::string &from) {
                             received.emplace_back(bytes, from);
                         });
    DatagramSocket sender;
    ASSERT_TRUE(sender.sendTo(IpAddress::v4(htonl(INADDR_LOOPBACK)), receiver.localPort(), "hello"));
    ASSERT_TRUE(sender.sendTo(IpAddress::v4(htonl(INADDR_LOOPBACK)), receiver.localPort(),
                              std::string(DatagramSocket::MaxDatagram + 1, 'x')));   // dropped unread
    ASSERT_TRUE(sender.sendTo(IpAddress::v4(htonl(INADDR_LOOPBACK)), receiver.localPort(), "again"));
    ASSERT_TRUE(waitFor([&] { return received.size() == 2; }));
    EXPECT_EQ(received[0], std::make_pair(std::string("hello"), std::string("127.0.0.1")));
    EXPECT_EQ(received[1].first, "again");
}
