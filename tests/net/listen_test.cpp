#include "net/streamsocket.h"

#include "socketfixture.h"

using namespace zz;
using zz::test::EventLog;
using zz::test::SocketPair;
using zz::test::socketErrorOf;
using zz::test::waitFor;

TEST(StreamSocketListen, BusyPortFailsToBindThenStaysInUseUntilClose)
{
    auto first = zz::test::listenOnFreePort();
    StreamSocket second;
    EventLog log;
    log.attach(second);
    second.setPortName(std::to_string(first->localPort()));

    // SO_REUSEADDR must not let a second live listener share the port.
    EXPECT_EQ(socketErrorOf([&] { second.setListen(true); }), "Listen - Error Binding Socket");
    EXPECT_FALSE(second.isListening());
    EXPECT_EQ(socketErrorOf([&] { second.setListen(true); }), "Listen - Socket Already In Use");
    EXPECT_TRUE(second.close());

    first->setListen(false);
    second.setListen(true);
    EXPECT_TRUE(second.isListening());
    EXPECT_EQ(log.entries.back(), "Listen: Listening Started");
}

TEST(StreamSocketListen, ListeningTwiceOnlyReportsAndStoppingReportsBoth)
{
    auto listener = zz::test::listenOnFreePort();
    const auto port = listener->localPort();
    EventLog log;
    log.attach(*listener);
    listener->setListen(true);
    EXPECT_EQ(log.entries, std::vector<std::string>{"Listen: Listening Already Running"});
    EXPECT_EQ(listener->localPort(), port);

    listener->setListen(false);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"Listen: Listening Already Running", "Close: Socket Closed",
                                                     "Listen: Listening Stopped"}));
    EXPECT_FALSE(listener->isOpen());
}

TEST(StreamSocketListen, PortCanBeBoundAgainRightAfterAGame)
{
    SocketPair game;
    ASSERT_TRUE(game.connect());
    const std::string port = std::to_string(game.listener->localPort());
    // The host closes first, so its side of the connection lingers in TIME_WAIT.
    game.server->close();
    ASSERT_TRUE(waitFor([&] { return !game.client->isOpen(); }));
    game.listener->setListen(false);

    StreamSocket next;
    next.setPortName(port);
    EXPECT_NO_THROW(next.setListen(true));
    EXPECT_TRUE(next.isListening());
}

TEST(StreamSocketAccept, CopiesHandlersAndReportsOnBothSockets)
{
    SocketPair pair;
    EventLog listenerLog;
    listenerLog.attach(*pair.listener);
    StreamSocket *readFrom = nullptr;
    pair.listener->onRead.bind(*pair.listener, [&](StreamSocket &socket, std::size_t) { readFrom = &socket; });
    ASSERT_TRUE(pair.connect());

    // The accepted socket reports through the copied handler, before the
    // listener's own report.
    EXPECT_EQ(listenerLog.entries, (std::vector<std::string>{"Lookup: Setting PortName While Connected Has No Effect",
                                                             "Lookup: Setting HostName While Connected Has No Effect",
                                                             "Accept: Created New Socket Structure"}));
    EXPECT_EQ(pair.server->hostName(), "127.0.0.1");
    EXPECT_EQ(pair.server->portName(), pair.listener->portName());
    EXPECT_EQ(pair.server->parent(), pair.listener.get());
    EXPECT_TRUE(pair.server->isConnected());
    EXPECT_FALSE(pair.server->onConnect);
    EXPECT_FALSE(pair.server->onAccept);

    pair.client->send("x");
    ASSERT_TRUE(waitFor([&] { return readFrom != nullptr; }));
    EXPECT_EQ(readFrom, pair.server);

    EXPECT_EQ(pair.listener->accept(), nullptr);   // nobody waiting
    EXPECT_EQ(listenerLog.entries.back(), "Accept: Could Not Accept Connection");
}

TEST(StreamSocketAccept, CopiedHandlersKeepTheirContexts)
{
    SocketPair pair;
    auto owner = std::make_unique<QObject>();
    int reads = 0;
    pair.listener->onRead.bind(*owner, [&](StreamSocket &socket, std::size_t) {
        ++reads;
        socket.receive();
    });
    ASSERT_TRUE(pair.connect());
    pair.client->send("x");
    ASSERT_TRUE(waitFor([&] { return reads == 1; }));

    // Bound to the listener instead, the copy would outlive the owner.
    owner.reset();
    EventLog serverLog;
    serverLog.attach(*pair.server);
    pair.client->send("y");
    ASSERT_TRUE(waitFor([&] { return serverLog.contains("Receive: Non-Blocking Incoming Data"); }));
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(pair.server->receive(), "y");
}

TEST(StreamSocketAccept, FailingReportDropsTheNewConnection)
{
    SocketPair pair;
    bool failReports = false;
    pair.listener->onInfo.bind(*pair.listener, [&](StreamSocket &, SocketInfo, const std::string &) {
        if (failReports)
            throw std::runtime_error("handler");
    });
    std::string error;
    pair.listener->onAccept.bind(*pair.listener, [&](StreamSocket &listener) {
        failReports = true;
        error = socketErrorOf([&] { listener.accept(); });
    });
    EventLog clientLog;
    clientLog.attach(*pair.client);
    pair.client->setHostName("127.0.0.1");
    pair.client->setPortName(std::to_string(pair.listener->localPort()));
    pair.client->open();
    // The caller never got the socket, so nobody may be left holding the peer.
    ASSERT_TRUE(waitFor([&] { return clientLog.contains("disconnect"); }));
    EXPECT_EQ(error, "Error here");
}

TEST(StreamSocketAccept, OneListenerTakesIpv6AndIpv4Peers)
{
    SocketPair v6;
    if (!v6.connect("::1"))
        GTEST_SKIP() << "this system has no IPv6 loopback";
    EXPECT_EQ(v6.server->hostName(), "::1");
    v6.client->send("over v6");
    ASSERT_TRUE(waitFor([&] { return v6.server->receive() == "over v6"; }));

    // An IPv4 peer of the same kind of listener shows in IPv4 form.
    SocketPair v4;
    ASSERT_TRUE(v4.connect("127.0.0.1"));
    EXPECT_EQ(v4.server->hostName(), "127.0.0.1");
}
