// Whole computer players on loopback, against a stand-in host that scripts
// the messages and reads what the player sends. Against the real host they
// play in the app tests.
#include "bot/bot.h"
#include "bot/botmind.h"
#include "core/messages.h"
#include "core/wire.h"
#include "dict/builtindata.h"
#include "dict/dictionary.h"
#include "support/loopback.h"
#include "support/waitfor.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace zz {
namespace {

using test::waitFor;

// A message as the framer hands it on: without its terminators.
std::string framed(std::string message)
{
    while (!message.empty() && message.back() == wire::Terminator)
        message.pop_back();
    return message;
}

class StandInHost : public ::testing::Test
{
protected:
    static constexpr int Seat = 3;

    void SetUp() override
    {
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        bot.setSeed(1);
        bot.setTimeScale(0.001);   // a word in a few milliseconds
        QObject::connect(&bot, &Bot::left, &bot, [this] { ++leftCount; });
        bot.connectTo("127.0.0.1", server.serverPort());
        peer = test::acceptPeer(server);
        ASSERT_TRUE(peer);
        QObject::connect(peer, &QTcpSocket::readyRead, peer, [this] {
            framer.feed(peer->readAll().toStdString());
            // The login reply ends in a second terminator: an empty entry.
            while (auto message = framer.next())
                if (!message->empty())
                    messages.push_back(*message);
        });
    }

    void send(const std::string &message) { peer->write(message.data(), static_cast<qint64>(message.size())); }
    // The next message the player sent; "" when none came in time.
    std::string next(int timeoutMs = 5000)
    {
        if (!waitFor([this] { return !messages.empty(); }, timeoutMs))
            return {};
        std::string message = messages.front();
        messages.pop_front();
        return message;
    }
    // The next word the player sent; "" when the next message is none.
    std::string nextWord(int timeoutMs = 5000)
    {
        const std::string message = next(timeoutMs);
        const wire::Command command = wire::splitCommand(message);
        if (command.word != wire::CmdSendWord)
            return {};
        const std::optional<wire::SendWord> word = wire::parseSendWord(command.args);
        EXPECT_TRUE(word && word->seat == Seat) << message;
        return word ? word->word : std::string();
    }
    // Many thinking times pass without a message.
    bool quiet() { return !waitFor([this] { return !messages.empty(); }, 150); }

    // Seats it at a table whose owner sits in seat 1, told in the same read.
    void logIn()
    {
        send(wire::sendLoginInfo(Seat) + wire::existingPlayers(1, "Ann"));
        ASSERT_EQ(next(), framed(wire::loginInfo(Seat, "1.0.2", "Klock")));   // seat 3's own name
    }

    QTcpServer server;
    QTcpSocket *peer = nullptr;
    wire::FrameSplitter framer;
    std::deque<std::string> messages;
    Bot bot{builtinDictionary(), builtinLadderSolver()};
    int leftCount = 0;
};

TEST_F(StandInHost, PlaysOnItsSignalFromTheLastAcceptedWordToTheEnd)
{
    logIn();
    send(wire::roundStart(1, "cold", "warm"));
    send(wire::nextPlayer(2));   // another seat's signal
    EXPECT_TRUE(quiet());
    send(wire::nextPlayer(Seat));
    std::string last = "cold";
    int count = 0;
    bool refusedOne = false;
    while (last != "warm") {
        const std::string word = nextWord();
        ASSERT_FALSE(word.empty());
        EXPECT_TRUE(oneLetterApart(last, word)) << last << " to " << word;
        EXPECT_TRUE(builtinDictionary().isWord(word)) << word;
        ASSERT_LT(count, BotMind::MaxWords);
        if (count == 1 && !refusedOne) {
            // The host judges differently: the ladder stays at its last word.
            refusedOne = true;
            send(wire::invalidWord(Seat, word, wire::Refusal::NotAWord));
            const std::string again = nextWord();
            EXPECT_NE(again, word);
            EXPECT_TRUE(oneLetterApart(last, again)) << last << " to " << again;
            send(wire::goodWord(Seat, again, ++count));
            last = again;
            continue;
        }
        send(wire::goodWord(Seat, word, ++count));
        last = word;
    }
    EXPECT_TRUE(refusedOne);
    EXPECT_TRUE(quiet());
}

TEST_F(StandInHost, StopsAtTimeUpAndTellsHowTheRoundAndGameWent)
{
    bot.setTimeScale(0.02);   // thinking outlasts the two messages below
    std::vector<BotRound> rounds;
    QObject::connect(&bot, &Bot::roundPlayed, &bot, [&](const BotRound &round) { rounds.push_back(round); });
    logIn();
    send(wire::roundStart(4, "cold", "warm"));
    send(wire::nextPlayer(Seat));
    const std::string word = nextWord();
    send(wire::goodWord(Seat, word, 1) + wire::timeUp());
    EXPECT_TRUE(quiet());
    send(wire::postScores({{1, 90, 0, 0, 0, 0}, {Seat, 120, 0, 0, 0, 1}}));
    ASSERT_TRUE(waitFor([&] { return !rounds.empty(); }));
    EXPECT_EQ(rounds[0].round, 4);
    EXPECT_EQ(rounds[0].start, QStringLiteral("cold"));
    EXPECT_EQ(rounds[0].words, 1);
    EXPECT_FALSE(rounds[0].completed);
    EXPECT_EQ(rounds[0].score, 120);

    QString winner;
    QObject::connect(&bot, &Bot::winnerAnnounced, &bot, [&](const QString &name) { winner = name; });
    send(wire::winner("A+B"));
    EXPECT_TRUE(waitFor([&] { return winner == QStringLiteral("A+B"); }));
}

TEST_F(StandInHost, JoinsARunningRoundFromItsStats)
{
    logIn();
    wire::Stats stats{Seat, "lamp", "tide", false, 500, 120, 80, {}};
    send(wire::stats(stats));
    EXPECT_TRUE(quiet());   // this seat has had its round

    stats.start = "cold";
    stats.end = "warm";
    stats.mayPlay = true;
    send(wire::stats(stats));
    EXPECT_TRUE(oneLetterApart("cold", nextWord()));
}

TEST_F(StandInHost, SitsOutWhileJustWatchingAndLeavesOnceWhenRemoved)
{
    logIn();
    send(wire::justWatching(Seat, wire::WatchFlag::Watch));
    send(wire::roundStart(1, "cold", "warm"));
    send(wire::nextPlayer(Seat));
    EXPECT_TRUE(quiet());
    send(wire::justWatching(Seat, wire::WatchFlag::PlayAgain));
    EXPECT_TRUE(oneLetterApart("cold", nextWord()));

    // Removed with its word still waiting for the verdict.
    peer->close();
    ASSERT_TRUE(waitFor([this] { return leftCount > 0; }));
    EXPECT_FALSE(bot.playing());
    EXPECT_FALSE(waitFor([this] { return leftCount > 1; }, 100));
}

TEST_F(StandInHost, LeavesAFullTableWithoutLoggingIn)
{
    bool full = false;
    QObject::connect(&bot, &Bot::tableFull, &bot, [&] { full = true; });
    send(wire::full());
    peer->close();
    ASSERT_TRUE(waitFor([this] { return leftCount > 0; }));
    EXPECT_TRUE(full);
    EXPECT_FALSE(bot.loggedIn());
    EXPECT_TRUE(messages.empty());
}

TEST_F(StandInHost, LeavesWhenItWouldOwnTheTable)
{
    bool wouldOwn = false;
    QObject::connect(&bot, &Bot::wouldOwnTable, &bot, [&] { wouldOwn = true; });
    logIn();
    ASSERT_TRUE(quiet()) << "the owner before it keeps it seated";
    send(wire::playerDisconnected(1, "Ann"));
    ASSERT_TRUE(waitFor([&] { return leftCount == 1; }));
    EXPECT_TRUE(wouldOwn);
    EXPECT_TRUE(waitFor([&] { return peer->state() != QAbstractSocket::ConnectedState; }));
}

TEST_F(StandInHost, LeavesAWatcherSeatAtOnceWithoutLoggingIn)
{
    bool noPlayerSeat = false;
    bool peerClosed = false;
    QObject::connect(&bot, &Bot::noPlayerSeat, &bot, [&] { noPlayerSeat = true; });
    QObject::connect(peer, &QTcpSocket::disconnected, peer, [&] { peerClosed = true; });
    send(wire::sendLoginInfo(PlayerSeatCount + 1));
    ASSERT_TRUE(waitFor([&] { return peerClosed && leftCount > 0; }));
    EXPECT_TRUE(noPlayerSeat);
    EXPECT_FALSE(bot.loggedIn());
    EXPECT_TRUE(messages.empty());   // no login reply: the table never shows it
    EXPECT_EQ(leftCount, 1);
}

} // namespace
} // namespace zz
