#include "net/streamsocket.h"

#include "core/wire.h"
#include "socketfixture.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

using namespace zz;
using zz::test::EventLog;
using zz::test::SocketPair;
using zz::test::socketErrorOf;
using zz::test::waitFor;

TEST(StreamSocket, ConnectsAndCarriesBytesBothWays)
{
    SocketPair pair;
    EventLog clientLog;
    clientLog.attach(*pair.client);
    std::vector<std::size_t> serverReads;
    pair.listener->onRead.bind(*pair.listener,
                               [&](StreamSocket &, std::size_t length) { serverReads.push_back(length); });
    ASSERT_TRUE(pair.connect());
    const std::string port = std::to_string(pair.listener->localPort());
    EXPECT_EQ(clientLog.entries, (std::vector<std::string>{"Lookup: Lookup Of Port " + port,
                                                           "Lookup: Lookup Of Host 127.0.0.1",
                                                           "Connect: Non-Blocking Socket Connected", "connect"}));

    // Two messages in one segment come in one read, bytes 0 and 255 intact.
    const std::string twoMessages = std::string("a\xff", 2) + std::string("\0b\xff", 3);
    pair.client->send(twoMessages);
    ASSERT_TRUE(waitFor([&] { return !serverReads.empty(); }));
    EXPECT_EQ(serverReads.front(), twoMessages.size());
    EXPECT_EQ(pair.server->receive(), twoMessages);

    pair.server->send("hello\xff");
    ASSERT_TRUE(waitFor([&] { return clientLog.contains("Receive: Non-Blocking Incoming Data"); }));
    EXPECT_EQ(pair.client->receive(3), "hel");
    EXPECT_EQ(pair.client->receive(99), "lo\xff");
}

TEST(StreamSocket, LargeSendArrivesWholeInOrderAndReadsStayBounded)
{
    SocketPair pair;
    std::string received;
    std::size_t largestRead = 0;
    pair.listener->onRead.bind(*pair.listener, [&](StreamSocket &socket, std::size_t length) {
        largestRead = std::max(largestRead, length);
        received += socket.receive();
    });
    ASSERT_TRUE(pair.connect());

    std::string big(8 * 1024 * 1024, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>((i * 7 + i / 251) & 0xff);
    pair.client->send(big);
    EXPECT_GT(pair.client->pendingSendBytes(), 0u);
    pair.client->send("tail\xff");   // queued behind what the system has not taken yet

    const std::string expected = big + "tail\xff";
    ASSERT_TRUE(waitFor([&] { return received.size() >= expected.size(); }, 20000));
    EXPECT_TRUE(received == expected);
    EXPECT_EQ(pair.client->pendingSendBytes(), 0u);
    EXPECT_LE(largestRead, 32768u);
}

TEST(StreamSocket, PeerCloseFiresDisconnectThenClosesAndKeepsBufferedBytes)
{
    SocketPair pair;
    EventLog serverLog;
    serverLog.attach(*pair.listener);
    ASSERT_TRUE(pair.connect());
    EventLog clientLog;
    clientLog.attach(*pair.client);

    pair.server->send("bye\xff");
    EXPECT_TRUE(pair.server->close());
    EXPECT_EQ(serverLog.entries.back(), "Close: Socket Closed");
    ASSERT_TRUE(waitFor([&] { return !pair.client->isOpen(); }));

    ASSERT_GE(clientLog.entries.size(), 2u);
    EXPECT_EQ(clientLog.entries[clientLog.entries.size() - 2], "disconnect");
    EXPECT_EQ(clientLog.entries.back(), "Close: Socket Closed");
    EXPECT_EQ(pair.client->receive(), "bye\xff");
    EXPECT_EQ(socketErrorOf([&] { pair.client->receive(); }), "Receive - Socket Not Connected");
    EXPECT_EQ(socketErrorOf([&] { pair.client->send("x"); }), "Send - Socket Not Connected");
}

namespace {

// A raw peer: only it can abort with a reset instead of an orderly close.
// Returns the accepted server side; the peer's handle goes to rawPeer.
StreamSocket *acceptRawPeer(SocketPair &pair, int &rawPeer)
{
    pair.listener->onAccept.bind(*pair.listener, [&](StreamSocket &listener) { pair.server = listener.accept(); });
    rawPeer = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(pair.listener->localPort());
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(rawPeer, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
        return nullptr;
    waitFor([&] { return pair.server != nullptr; });
    return pair.server;
}

void resetConnection(int rawPeer)
{
    const linger abort{1, 0};
    ::setsockopt(rawPeer, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    ::close(rawPeer);
}

} // namespace

TEST(StreamSocket, ResetByPeerIsReportedThenHandledAsClose)
{
    SocketPair pair;
    int peer = -1;
    ASSERT_NE(acceptRawPeer(pair, peer), nullptr);
    EventLog serverLog;
    serverLog.attach(*pair.server);

    resetConnection(peer);
    ASSERT_TRUE(waitFor([&] { return !pair.server->isOpen(); }));
    EXPECT_EQ(serverLog.entries, (std::vector<std::string>{"Error: Error #10054 (WSAECONNRESET)", "disconnect",
                                                           "Close: Socket Closed"}));
}

TEST(StreamSocket, SendingToAResetPeerNeitherRaisesNorKeepsTheSeat)
{
    SocketPair pair;
    int peer = -1;
    ASSERT_NE(acceptRawPeer(pair, peer), nullptr);
    bool disconnected = false;
    pair.server->onDisconnect.bind(*pair.server, [&](StreamSocket &) { disconnected = true; });

    resetConnection(peer);
    // The second send hits a connection that can no longer send: no SIGPIPE,
    // no exception, and the close still follows as an event.
    EXPECT_TRUE(pair.server->send(wire::timeUp()));
    EXPECT_TRUE(pair.server->send(wire::timeUp()));
    EXPECT_TRUE(disconnected == false);
    ASSERT_TRUE(waitFor([&] { return !pair.server->isOpen(); }));
    EXPECT_TRUE(disconnected);
}

TEST(StreamSocket, RefusedConnectReportsOnlyTheErrorAndKeepsTheHandle)
{
    auto probe = zz::test::listenOnFreePort();
    const std::string freePort = std::to_string(probe->localPort());
    probe->setListen(false);

    StreamSocket client;
    EventLog log;
    log.attach(client);
    client.setHostName("127.0.0.1");
    client.setPortName(freePort);
    EXPECT_FALSE(client.open());
    ASSERT_TRUE(waitFor([&] { return log.contains("Error: Error #10061 (WSAECONNREFUSED)"); }));
    // Let any stray event through behind a full round trip elsewhere.
    SocketPair other;
    ASSERT_TRUE(other.connect());

    EXPECT_EQ(log.entries, (std::vector<std::string>{"Lookup: Lookup Of Port " + freePort,
                                                     "Lookup: Lookup Of Host 127.0.0.1",
                                                     "Error: Error #10061 (WSAECONNREFUSED)"}));
    EXPECT_TRUE(client.isOpen());
    EXPECT_FALSE(client.open());   // the handle stays until close()
    EXPECT_EQ(log.entries.size(), 3u);
    EXPECT_TRUE(client.close());
    EXPECT_EQ(log.entries.back(), "Close: Socket Closed");
}

TEST(StreamSocket, EventsNeverRunInsideAnotherHandler)
{
    SocketPair first;
    ASSERT_TRUE(first.connect());
    SocketPair second;
    ASSERT_TRUE(second.connect());
    bool insideFirst = false;
    bool secondRanInside = false;
    bool secondRan = false;
    first.server->onRead.bind(*first.server, [&](StreamSocket &, std::size_t) {
        insideFirst = true;
        second.client->send("x");
        // A nested loop (a modal dialog, say) must not deliver the other event,
        // however long it runs: here until it has nothing left to do.
        zz::test::runUntilIdle();
        insideFirst = false;
    });
    second.server->onRead.bind(*second.server, [&](StreamSocket &, std::size_t) {
        secondRan = true;
        secondRanInside = insideFirst;
    });
    first.client->send("y");
    ASSERT_TRUE(waitFor([&] { return secondRan; }));
    EXPECT_FALSE(secondRanInside);
}

TEST(StreamSocket, OwnerMayDestroyTheSocketInsideItsHandler)
{
    SocketPair pair;
    ASSERT_TRUE(pair.connect());
    pair.client->onDisconnect.bind(*pair.client, [&](StreamSocket &) { pair.client.reset(); });
    pair.server->close();
    EXPECT_TRUE(waitFor([&] { return pair.client == nullptr; }));
}

TEST(StreamSocket, HandlersOfADestroyedContextAreNeverCalledAgain)
{
    SocketPair pair;
    ASSERT_TRUE(pair.connect());
    auto owner = std::make_unique<QObject>();
    std::vector<std::string> heard;
    pair.server->onInfo.bind(*owner, [&](StreamSocket &, SocketInfo kind, const std::string &) {
        heard.emplace_back(socketInfoName(kind));
    });
    pair.server->onDisconnect.bind(*owner, [&](StreamSocket &) { heard.emplace_back("disconnect"); });
    pair.server->onRead.bind(*owner, [&](StreamSocket &socket, std::size_t) {
        heard.push_back(socket.receive());
        owner.reset();   // inside the event, with every handler still set
    });
    pair.client->send("first");
    ASSERT_TRUE(waitFor([&] { return owner == nullptr; }));

    // The socket carries on unheard: bytes are kept and the close still happens.
    pair.client->send("second");
    pair.client->close();
    ASSERT_TRUE(waitFor([&] { return !pair.server->isOpen(); }));
    EXPECT_EQ(heard, (std::vector<std::string>{"Receive", "first"}));
    EXPECT_EQ(pair.server->receive(), "second");
}

TEST(StreamSocket, FailingInfoHandlerBecomesErrorHereExceptInClose)
{
    StreamSocket socket;
    socket.onInfo.bind(socket,
                       [](StreamSocket &, SocketInfo, const std::string &) { throw std::runtime_error("handler"); });
    socket.setHostName("127.0.0.1");
    socket.setPortName("1");
    EXPECT_EQ(socketErrorOf([&] { socket.open(); }), "Error here");
    EXPECT_FALSE(socket.isOpen());   // the look-up report failed before a handle existed
    EXPECT_FALSE(socket.close());    // no handle: false, and the failing report is swallowed
}

TEST(StreamSocket, WrongOperationsRaiseTheirMessages)
{
    StreamSocket idle;
    EXPECT_EQ(socketErrorOf([&] { idle.send("x"); }), "Send - Socket Not Connected");
    EXPECT_EQ(socketErrorOf([&] { idle.receive(); }), "Receive - Socket Not Connected");
    EXPECT_EQ(socketErrorOf([&] { idle.accept(); }), "Accept - Socket Not In Listening Mode");

    auto listener = zz::test::listenOnFreePort();
    EXPECT_EQ(socketErrorOf([&] { listener->send("x"); }), "Send - Cannot Send On A Listener Socket");
    EXPECT_EQ(socketErrorOf([&] { listener->receive(); }), "Receive - Cannot Receive On A Listener Socket");
}
