#include "session/clientsession.h"

#include "support/loopback.h"
#include "support/waitfor.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>

#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace zz;
using zz::test::waitFor;

namespace {

// Writes every signal of a session as one readable line.
class Recorder
{
public:
    explicit Recorder(ClientSession &s)
    {
        auto add = [this](QString line) { lines.push_back(line.toStdString()); };
        auto *c = &s;   // context: the session itself
        QObject::connect(&s, &ClientSession::loggedInAs, c, [add](int seat) { add(QStringLiteral("login %1").arg(seat)); });
        QObject::connect(&s, &ClientSession::playerArrived, c, [add](int seat, const QString &name, bool self) {
            add(QStringLiteral("arrived %1 [%2] %3").arg(seat).arg(name, self ? QStringLiteral("self") : QStringLiteral("other")));
        });
        QObject::connect(&s, &ClientSession::playerLeft, c, [add](int seat, const QString &name) {
            add(QStringLiteral("left %1 [%2]").arg(seat).arg(name));
        });
        QObject::connect(&s, &ClientSession::systemLine, c, [add](const QString &line) { add(QStringLiteral("line [%1]").arg(line)); });
        QObject::connect(&s, &ClientSession::chatLine, c, [add](const QString &line, const QString &colour) {
            add(QStringLiteral("chat [%1] [%2]").arg(line, colour));
        });
        QObject::connect(&s, &ClientSession::soundRequested, c, [add](int seat, const QString &name) {
            add(QStringLiteral("sound %1 [%2]").arg(seat).arg(name));
        });
        QObject::connect(&s, &ClientSession::gameFull, c, [add] { add(QStringLiteral("full")); });
        QObject::connect(&s, &ClientSession::justWatching, c, [add](int seat, bool watching) {
            add(QStringLiteral("watching %1 %2").arg(seat).arg(watching));
        });
        QObject::connect(&s, &ClientSession::gameStarted, c, [add](const QString &name, int playTo, int time) {
            add(QStringLiteral("started [%1] %2 %3").arg(name).arg(playTo).arg(time));
        });
        QObject::connect(&s, &ClientSession::roundStarted, c, [add](int round, const QString &start, const QString &end) {
            add(QStringLiteral("round %1 %2 %3").arg(round).arg(start, end));
        });
        QObject::connect(&s, &ClientSession::nextPlayer, c, [add](int seat) { add(QStringLiteral("next %1").arg(seat)); });
        QObject::connect(&s, &ClientSession::wordAccepted, c, [add](int seat, const QString &word, int count) {
            add(QStringLiteral("good %1 %2 %3").arg(seat).arg(word).arg(count));
        });
        QObject::connect(&s, &ClientSession::wordRefused, c, [add](int seat, const QString &word, int code) {
            add(QStringLiteral("invalid %1 %2 %3").arg(seat).arg(word).arg(code));
        });
        QObject::connect(&s, &ClientSession::ladderCompleted, c, [add](int seat, int count) {
            add(QStringLiteral("completed %1 %2").arg(seat).arg(count));
        });
        QObject::connect(&s, &ClientSession::timeUp, c, [add] { add(QStringLiteral("timeup")); });
        QObject::connect(&s, &ClientSession::scoresPosted, c, [add](const QList<ScoreRecord> &records) {
            add(QStringLiteral("scores %1").arg(records.size()));
        });
        QObject::connect(&s, &ClientSession::statsReceived, c, [add](const GameStats &stats) {
            add(QStringLiteral("stats %1 %2").arg(stats.seat).arg(stats.secondsLeft));
        });
        QObject::connect(&s, &ClientSession::ladderShown, c, [add](int seat, const QList<QPair<int, QString>> &boxes) {
            add(QStringLiteral("ladder %1 %2").arg(seat).arg(boxes.size()));
        });
        QObject::connect(&s, &ClientSession::winner, c, [add](const QString &name) { add(QStringLiteral("winner [%1]").arg(name)); });
        QObject::connect(&s, &ClientSession::connectionClosed, c, [add] { add(QStringLiteral("closed")); });
    }

    std::vector<std::string> lines;
};

std::string last(const Recorder &r) { return r.lines.empty() ? std::string() : r.lines.back(); }

// Feeds one message, which is handled at once.
void handle(ClientSession &session, const std::string &message)
{
    session.receiveBytes(message + '\xff');
}

} // namespace

TEST(ClientSession, ReadWithThreeMessagesIsHandledAtOnceInOrder)
{
    ClientSession session;
    Recorder record(session);
    session.receiveBytes("CMD_timeup+\xff" "CMD_nextplayer+2+\xff" "CMD_winner+Ann+\xff");
    EXPECT_EQ(record.lines, (std::vector<std::string>{"timeup", "next 2", "winner [Ann]"}));
    EXPECT_EQ(session.queuedMessages(), 0u);
}

TEST(ClientSession, InputArrivingInsideAHandlerWaitsForThePass)
{
    ClientSession session;
    Recorder record(session);
    int depth = 0;
    int depthOfWinner = -1;
    QObject::connect(&session, &ClientSession::timeUp, &session, [&] {
        ++depth;
        session.receiveBytes("CMD_winner+Ann+\xff");   // as a nested event loop would
        --depth;
    });
    QObject::connect(&session, &ClientSession::winner, &session, [&] { depthOfWinner = depth; });
    session.receiveBytes("CMD_timeup+\xff" "CMD_nextplayer+2+\xff");
    EXPECT_EQ(record.lines, (std::vector<std::string>{"timeup", "next 2", "winner [Ann]"}));
    EXPECT_EQ(depthOfWinner, 0);
}

TEST(ClientSession, HandlerThatDestroysTheSessionEndsThePass)
{
    auto session = std::make_unique<ClientSession>();
    std::vector<std::string> seen;
    QObject::connect(session.get(), &ClientSession::timeUp, session.get(), [&] {
        seen.push_back("timeup");
        session.reset();   // as closing the window that owns it would
    });
    QObject::connect(session.get(), &ClientSession::nextPlayer, session.get(), [&](int) { seen.push_back("next"); });
    session->receiveBytes("CMD_timeup+\xff" "CMD_nextplayer+2+\xff");
    EXPECT_EQ(seen, std::vector<std::string>{"timeup"});
}

TEST(ClientSession, MessageSplitAcrossReadsIsRebuilt)
{
    ClientSession session;
    Recorder record(session);
    session.receiveBytes("CMD_goodword+3+co");
    EXPECT_TRUE(record.lines.empty());
    session.receiveBytes("ld+1+\xff" "CMD_time");
    EXPECT_EQ(record.lines, std::vector<std::string>{"good 3 cold 1"});
    session.receiveBytes("up+\xff");
    EXPECT_EQ(record.lines, (std::vector<std::string>{"good 3 cold 1", "timeup"}));
}

TEST(ClientSession, EachCommandBecomesItsSignal)
{
    const struct { const char *message; const char *signal; } cases[] = {
        {"CMD_chat+2+Ann chats: hi+there|clNavy", "chat [2+Ann chats: hi+there] [clNavy]"},
        {"CMD_action+2+Ann waves", "chat [2+Ann waves] []"},
        {"CMD_chat+2+Ann chats: a|b|clRed", "chat [2+Ann chats: a] [b|clRed]"},
        {"CMD_playasound+4+wave13+", "sound 4 [wave13]"},
        {"CMD_newplayerinfo+2+A+B", "arrived 2 [A+B] other"},
        {"CMD_existingplayers+5+Bo", "arrived 5 [Bo] other"},
        {"CMD_newplayerinfo+4+", "arrived 4 [] other"},
        {"CMD_havewrongversion+A+B", "line [0+A+B has a different version of the game then you.]"},
        {"CMD_wrongversion+", "line [0+You have a differnt version of the game then the host.]"},
        {"CMD_playerdisconnected+2+A+B", "left 2 [A+B]"},
        {"CMD_full+", "full"},
        {"CMD_justwatching+4+1", "watching 4 1"},
        {"CMD_justwatching+4+2", "watching 4 0"},
        {"CMD_justwatching+4+1+", "watching 4 0"},   // "1+" is not "1"
        {"CMD_startgame+Ann+1000+120+", "started [Ann] 1000 120"},
        {"CMD_roundstart+3+cold+warm+", "round 3 cold warm"},
        {"CMD_nextplayer+0+", "next 0"},
        {"CMD_goodword+1+cord+2+", "good 1 cord 2"},
        {"CMD_invalidword+1+Xyzzy+2+", "invalid 1 Xyzzy 2"},
        {"CMD_completed+1+4+", "completed 1 4"},
        {"CMD_timeup+", "timeup"},
        {"CMD_postscores+0+0+0+0", "scores 0"},
        {"CMD_postscores+1+120+50+30+40+6", "scores 1"},
        {"CMD_stats+7+cold+warm+f+1000+120+57+1+0+2+0+3+0+4+0+5+0+6+0", "stats 7 57"},
        {"CMD_addcorrect+2+1+cord+2+word+3+warm", "ladder 2 3"},
        {"CMD_winner+Ann+", "winner [Ann]"},
        {"CMD_newplayerinfo+3+Zo\xeb \x80", "arrived 3 [Zo\xc3\xab \xe2\x82\xac] other"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        ClientSession session;
        Recorder record(session);
        handle(session, c.message);
        EXPECT_EQ(record.lines, std::vector<std::string>{c.signal});
    }
}

TEST(ClientSession, UnknownAndEmptyEntriesDoNothing)
{
    for (const char *message : {"", "receivedlist", "CMD_nosuch+1+", "cmd_timeup+", "+1+2"}) {
        SCOPED_TRACE(message);
        ClientSession session;
        Recorder record(session);
        handle(session, message);
        EXPECT_TRUE(record.lines.empty());
    }
}

TEST(ClientSession, FieldThatIsNotANumberStopsOnlyItsHandler)
{
    ClientSession session;
    Recorder record(session);
    session.receiveBytes("CMD_nextplayer+two+\xff" "CMD_sendlogininfo+x\xff" "CMD_goodword+1+cord+last+\xff"
                         "CMD_completed+1+4+\xff");
    EXPECT_EQ(record.lines, std::vector<std::string>{"completed 1 4"});
    EXPECT_FALSE(session.loggedIn());
}

TEST(ClientSession, SendingNeedsALogin)
{
    ClientSession session;
    EXPECT_FALSE(session.sendWord(QStringLiteral("cold")));
    EXPECT_FALSE(session.sendChat(QStringLiteral("hi"), QStringLiteral("clBlack")));
    EXPECT_FALSE(session.kickHim(3));
}

TEST(ClientSession, NoHostListeningIsAFailedConnectNotAClose)
{
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();   // nobody listens there now
    ClientSession session;
    QString why;
    QString reason;
    bool closed = false;
    QObject::connect(&session, &ClientSession::connectFailed, &session, [&](const QString &text, const QString &words) {
        why = text;
        reason = words;
    });
    QObject::connect(&session, &ClientSession::connectionClosed, &session, [&] { closed = true; });
    session.connectTo("127.0.0.1", port);
    ASSERT_TRUE(waitFor([&] { return !why.isEmpty(); }));
    EXPECT_EQ(why, QStringLiteral("Error #10061 (WSAECONNREFUSED)"));
    EXPECT_EQ(reason, QStringLiteral("connection refused"));
    EXPECT_FALSE(waitFor([&] { return closed; }, 100));
    EXPECT_FALSE(session.loggedIn());
}

// A name nobody knows, and a table that never answers: each fails once, in
// words, never as a close, and a late answer connects nothing. The look-ups
// are answered here, not by the system.
TEST(ClientSession, AnUnknownNameOrASilentTableFailsOnceInWords)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    for (const bool known : {false, true}) {
        SCOPED_TRACE(known ? "the clock runs out during the look-up" : "the name does not resolve");
        std::promise<void> answer;
        std::shared_future<void> answered = answer.get_future().share();
        ClientSession session;
        QStringList failures;
        bool closed = false;
        QObject::connect(&session, &ClientSession::connectFailed, &session,
                         [&](const QString &why, const QString &reason) { failures << why + QStringLiteral(": ") + reason; });
        QObject::connect(&session, &ClientSession::connectionClosed, &session, [&] { closed = true; });
        session.setResolver([answered, known](const std::string &) {
            answered.wait();
            return known ? std::optional(net::IpAddress::v4(htonl(INADDR_LOOPBACK))) : std::nullopt;
        });
        session.connectTo("table.test", server.serverPort());
        if (known)
            session.connectTimedOut();
        answer.set_value();
        ASSERT_TRUE(waitFor([&] { return !failures.isEmpty(); }));
        EXPECT_FALSE(waitFor([&] { return server.hasPendingConnections() || closed; }, 200));
        session.connectTimedOut();
        EXPECT_EQ(failures, QStringList{known ? QStringLiteral("Error #10060 (WSAETIMEDOUT): timed out after 15 s")
                                              : QStringLiteral("Host Lookup - Could Not Find Host Entry: no such host")});
    }
}

// ---- with a host on the other end of a real connection ---------------------

class ConnectedSession : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        session.setPlayerName(QStringLiteral("Ann"));
        session.connectTo("127.0.0.1", server.serverPort());
        host = zz::test::acceptPeer(server);
        ASSERT_TRUE(host);
    }

    void hostSends(const QByteArray &bytes)
    {
        host->write(bytes);
        host->flush();
    }

    QByteArray hostReceives(qsizetype count) { return zz::test::readAtLeast(*host, count); }

    void logIn(int seat)
    {
        hostSends("CMD_sendlogininfo+" + QByteArray::number(seat) + '\xff');
        const QByteArray reply = "CMD_logininfo+" + QByteArray::number(seat) + "+1.0.2+Ann\xff\xff";
        ASSERT_EQ(hostReceives(reply.size()), reply);
    }

    QTcpServer server;
    ClientSession session;
    Recorder record{session};
    QPointer<QTcpSocket> host;
};

TEST_F(ConnectedSession, AnswersTheGreetingWithTheLogin)
{
    hostSends("CMD_sendlogininfo+3\xff");
    const QByteArray expected("CMD_logininfo+3+1.0.2+Ann\xff\xff");
    EXPECT_EQ(hostReceives(expected.size()), expected);
    EXPECT_EQ(session.ownSeat(), 3);
    EXPECT_TRUE(session.loggedIn());
    session.connectTimedOut();   // too late to give up a connection that was made
    EXPECT_TRUE(session.sendWord(QStringLiteral("cold")));
    EXPECT_EQ(record.lines, std::vector<std::string>{"login 3"});
}

TEST_F(ConnectedSession, SendsFieldsInTheWireEncoding)
{
    logIn(2);
    EXPECT_TRUE(session.sendChat(QStringLiteral(u"h\u00e9 \u20ac \u00ff \u4e2d"), QStringLiteral("clNavy")));
    const QByteArray expected("CMD_chat+2+h\xe9 \x80 ? ?|clNavy\xff");
    EXPECT_EQ(hostReceives(expected.size()), expected);

    EXPECT_TRUE(session.sendWord(QStringLiteral("Cold")));
    EXPECT_TRUE(session.justWatch(4, true));
    EXPECT_TRUE(session.kickHim(8));
    EXPECT_TRUE(session.playSound(13));
    EXPECT_TRUE(session.startGame(QStringLiteral("Ann"), 1000, 120, true, false, true));
    const QByteArray more("CMD_sendword+2+Cold+\xff" "CMD_justwatch+4+1\xff" "CMD_kickhim+2+8+\xff"
                          "CMD_playasound+2+wave13+\xff" "CMD_startgame+Ann+1000+120+1+0+1+\xff");
    EXPECT_EQ(hostReceives(more.size()), more);
}

TEST_F(ConnectedSession, HostClosingEndsTheSessionAfterWhatItSent)
{
    // "Game is full" arrives right before the close and must still be seen.
    hostSends("CMD_full+\xff");
    host->disconnectFromHost();
    ASSERT_TRUE(waitFor([this] { return last(record) == "closed"; }));
    EXPECT_EQ(record.lines, (std::vector<std::string>{"full", "closed"}));
}

TEST_F(ConnectedSession, CloseAfterABurstComesAfterEveryMessageOfIt)
{
    QByteArray burst;
    std::vector<std::string> expected;
    for (int seat = 0; seat < 200; ++seat) {
        burst += "CMD_nextplayer+" + QByteArray::number(seat % 10) + "+\xff";
        expected.push_back("next " + std::to_string(seat % 10));
    }
    hostSends(burst);
    host->disconnectFromHost();
    expected.push_back("closed");
    ASSERT_TRUE(waitFor([this] { return last(record) == "closed"; }));
    EXPECT_EQ(record.lines, expected);
}

TEST_F(ConnectedSession, CloseInsideAHandlerIsAnnouncedAfterIt)
{
    int depth = 0;
    int depthOfClose = -1;
    QObject::connect(&session, &ClientSession::timeUp, &session, [&] {
        ++depth;
        session.receiveBytes(std::string(64 * 1024 + 1, 'a'));   // past the bound: the host is dropped
        --depth;
    });
    QObject::connect(&session, &ClientSession::connectionClosed, &session, [&] { depthOfClose = depth; });
    session.receiveBytes("CMD_timeup+\xff" "CMD_nextplayer+2+\xff");
    EXPECT_EQ(record.lines, (std::vector<std::string>{"timeup", "closed"}));   // nothing of a dropped host is read
    EXPECT_EQ(depthOfClose, 0);
}

TEST_F(ConnectedSession, MessageOver64KiBWithoutTerminatorDropsTheHost)
{
    hostSends(QByteArray(64 * 1024 + 1, 'a'));
    ASSERT_TRUE(waitFor([this] { return last(record) == "closed"; }));
    EXPECT_TRUE(waitFor([this] { return host->state() == QAbstractSocket::UnconnectedState; }));
}

TEST_F(ConnectedSession, AThousandMessagesInOneReadAreHandledOneMoreDropsTheHost)
{
    const auto burst = [](int count) {
        std::string bytes;
        for (int i = 0; i < count; ++i)
            bytes += "CMD_timeup+\xff";
        return bytes;
    };
    // One read event takes all of them before any is handled.
    session.receiveBytes(burst(1000));
    EXPECT_EQ(record.lines.size(), 1000u);
    EXPECT_EQ(session.queuedMessages(), 0u);

    session.receiveBytes(burst(1001));
    EXPECT_EQ(session.queuedMessages(), 0u);
    EXPECT_EQ(record.lines.size(), 1001u);   // none of the flood, only the close
    EXPECT_EQ(last(record), "closed");
    EXPECT_TRUE(waitFor([this] { return host->state() == QAbstractSocket::UnconnectedState; }));
}

TEST(SessionLookup, AHostNameIsLookedUpWithoutBlocking)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    ClientSession session;
    QStringList errors;
    QObject::connect(&session, &ClientSession::errorOccurred, &session, [&](const QString &e) { errors << e; });
    // Returns at once: the connection waits for the answer on the event loop.
    session.connectTo("localhost", server.serverPort());
    EXPECT_FALSE(server.hasPendingConnections());
    const bool connected = waitFor([&] { return server.hasPendingConnections() || !errors.isEmpty(); });
    if (!errors.isEmpty())
        GTEST_SKIP() << "this system has no hosts table naming localhost";
    EXPECT_TRUE(connected);
}
