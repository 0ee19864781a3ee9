// The host on a real loopback port, with raw TCP clients: seats and closes.
// A whole game over sockets is the end-to-end test's.
#include "host/hostserver.h"
#include "host/hostservice.h"
#include "support/waitfor.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

namespace zz::test {
namespace {

class Client
{
public:
    explicit Client(std::uint16_t port)
    {
        QObject::connect(&m_socket, &QTcpSocket::readyRead, &m_socket, [this] {
            m_framer.feed(m_socket.readAll().toStdString());
            while (auto message = m_framer.next())
                received.push_back(*message);
        });
        m_socket.connectToHost(QHostAddress::LocalHost, port);
    }
    void send(const std::string &bytes) { m_socket.write(bytes.data(), static_cast<qint64>(bytes.size())); }
    bool waitFor(const std::string &text)
    {
        return test::waitFor([&] { return count(text) > 0; });
    }
    int count(const std::string &text) const
    {
        return static_cast<int>(std::count(received.begin(), received.end(), text));
    }
    bool closedByHost()
    {
        return test::waitFor([&] { return m_socket.state() == QAbstractSocket::UnconnectedState; });
    }
    void close() { m_socket.close(); }

    std::vector<std::string> received;

private:
    QTcpSocket m_socket;
    wire::FrameSplitter m_framer;
};

class HostServiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(service.dictionaryFailed());
        service.listen("0");
        ASSERT_NE(service.localPort(), 0);
    }
    std::unique_ptr<Client> join(int expectedSeat)
    {
        auto client = std::make_unique<Client>(service.localPort());
        const std::string greeting = wire::sendLoginInfo(expectedSeat);
        EXPECT_TRUE(client->waitFor(greeting.substr(0, greeting.size() - 1)));
        return client;
    }

    HostService service;
};

TEST_F(HostServiceTest, ClosesAreAnnouncedOnceAndTheTenthIsTurnedAway)
{
    std::vector<std::unique_ptr<Client>> clients;
    for (int seat = 1; seat <= 9; ++seat)
        clients.push_back(join(seat));
    Client tenth(service.localPort());
    ASSERT_TRUE(tenth.waitFor("CMD_full+"));
    EXPECT_TRUE(tenth.closedByHost());

    clients[2]->close();                   // seat 3 leaves
    clients[0]->send(wire::kickHim(1, 4)); // seat 4 is removed
    ASSERT_TRUE(clients[1]->waitFor("CMD_playerdisconnected+4+"));
    ASSERT_TRUE(clients[1]->waitFor("CMD_playerdisconnected+3+"));
    EXPECT_TRUE(clients[3]->closedByHost());
    auto again = join(3);
    EXPECT_EQ(clients[1]->count("CMD_playerdisconnected+3+"), 1);
    EXPECT_EQ(clients[1]->count("CMD_playerdisconnected+4+"), 1);
}

TEST_F(HostServiceTest, APeerThatStopsReadingIsDroppedNotBuffered)
{
    service.setMaxUnsentBytes(64 * 1024);
    auto ann = join(1);
    // A raw socket that never reads, with a small receive buffer set before
    // connecting, so the kernel cannot absorb the backlog for it.
    const int sleeper = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(sleeper, 0);
    const int small = 4096;
    ::setsockopt(sleeper, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(service.localPort());
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(sleeper, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ASSERT_TRUE(test::waitFor([&] { return service.server().inUse(2); }));

    const std::string line = wire::chatRequest(1, std::string(4000, 'x'), "clRed");
    bool dropped = false;
    for (int batch = 0; batch < 40 && !dropped; ++batch) {
        for (int i = 0; i < 50; ++i)
            ann->send(line);
        dropped = test::waitFor([&] { return ann->count("CMD_playerdisconnected+2+") > 0; }, 1500);
    }
    EXPECT_TRUE(dropped);
    EXPECT_FALSE(service.server().inUse(2));
    EXPECT_TRUE(service.server().inUse(1));
    ::close(sleeper);
}

} // namespace
} // namespace zz::test
