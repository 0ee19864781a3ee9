// Computer players added from the hosting player's window: they join its
// table over loopback, play a round with it by the rules, and leave when
// removed or when the window closes.
#include "bot/bot.h"
#include "bot/botmind.h"
#include "client/board/boardview.h"
#include "client/computerplayers.h"
#include "client/gamewindow.h"
#include "dict/builtindata.h"
#include "dict/dictionary.h"
#include "host/hostserver.h"
#include "host/hostservice.h"
#include "session/clientsession.h"
#include "session/wiretext.h"
#include "support/waitfor.h"
#include "support/widgets.h"

#include <QAction>
#include <QLabel>
#include <QTcpServer>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace zz::test {
namespace {

class ComputersAtTheTable : public ::testing::Test
{
protected:
    void SetUp() override
    {
        service.listen("0");
        ASSERT_TRUE(lobby.listen(QHostAddress::LocalHost, 0));
        window.setGamePort(service.localPort());
        window.setLobbyPort(lobby.serverPort());
        window.setHostStarter([] {});   // the host already listens
        window.computerPlayers().setTimeScale(0.002);
        window.show();
        ASSERT_TRUE(waitFor([this] { return window.session().loggedIn() && entry()->isEnabled(); }));
    }

    QAction *action(const char *name) const { return window.findChild<QAction *>(QString::fromLatin1(name)); }
    QAction *entry() const { return action("AddComputerPlayer1"); }
    QString seatName(int seat) { return window.board().seatName(seat); }
    QString text(const QString &name) const { return window.findChild<QLabel *>(name)->text(); }
    const QList<Bot *> &bots() { return window.computerPlayers().bots(); }

    // The seat menu's "Remove From Game" on a seat, as the hosting player clicks it.
    void removeFromGame(int seat)
    {
        rightClick(window.findChild<QWidget *>(QStringLiteral("label_playername%1").arg(seat)));
        action("RemoveFromGame1")->trigger();
    }

    HostService service;
    QTcpServer lobby;
    GameWindow window{{QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("true")}};
};

// What a computer player's own session heard and sent in a round, checked as it goes.
struct Witness
{
    explicit Witness(Bot &bot) : bot(bot)
    {
        ClientSession &s = bot.session();
        QObject::connect(&s, &ClientSession::roundStarted, &guard,
                         [this](int, const QString &start, const QString &end) {
                             mayPlay = false;
                             last = start;
                             this->end = end;
                         });
        QObject::connect(&s, &ClientSession::nextPlayer, &guard,
                         [this](int seat) { mayPlay = seat == this->bot.seat(); });
        QObject::connect(&s, &ClientSession::timeUp, &guard, [this] { mayPlay = false; });
        QObject::connect(&bot, &Bot::wordSent, &guard, [this](const QString &word) {
            EXPECT_TRUE(mayPlay) << "a word out of turn: " << word.toStdString();
            EXPECT_NE(last, end) << "a word after the end word";
            sent.push_back(word);
        });
        QObject::connect(&s, &ClientSession::wordAccepted, &guard, [this](int seat, const QString &word, int) {
            if (seat != this->bot.seat())
                return;
            EXPECT_TRUE(oneLetterApart(toWire(last), toWire(word)))
                << last.toStdString() << " to " << word.toStdString();
            EXPECT_TRUE(builtinDictionary().isWord(toWire(word)));
            accepted.push_back(word);
            last = word;
        });
        QObject::connect(&s, &ClientSession::wordRefused, &guard,
                         [this](int, const QString &word, int) { refused.push_back(word); });
        QObject::connect(&bot, &Bot::roundPlayed, &guard, [this](const BotRound &round) { rounds.push_back(round); });
    }
    bool completed() const { return !end.isEmpty() && last == end; }

    Bot &bot;
    bool mayPlay = false;
    QString last, end;
    QStringList sent, accepted, refused;
    std::vector<BotRound> rounds;
    QObject guard;   // the connections end with the witness, not with the bot
};

TEST_F(ComputersAtTheTable, TwoPlayARoundByTheRulesAndOneIsReplaced)
{
    // Two clicks in a row: the second must not take the first one's name.
    entry()->trigger();
    entry()->trigger();
    ASSERT_TRUE(waitFor([this] {
        return seatName(2) == QStringLiteral("Klot") && seatName(3) == QStringLiteral("Klock");
    }));
    ASSERT_EQ(bots().size(), 2);
    action("Fast1")->trigger();
    std::vector<std::unique_ptr<Witness>> witnesses;
    for (Bot *bot : bots()) {
        EXPECT_EQ(bot->intervalMs(), 500);
        witnesses.push_back(std::make_unique<Witness>(*bot));
    }

    window.session().startGame(QStringLiteral("Ann"), 100000, 120, false, true, false);
    ASSERT_TRUE(waitFor([&] { return witnesses[0]->completed() && witnesses[1]->completed(); }));
    // Ann plays no word: the host's clock ends the round.
    ASSERT_TRUE(waitFor([&] {
        service.server().clockTick();
        return !witnesses[0]->rounds.empty() && !witnesses[1]->rounds.empty();
    }));
    for (const auto &w : witnesses) {
        const int seat = w->bot.seat();
        SCOPED_TRACE(seat);
        const BotRound &played = w->rounds.front();
        EXPECT_TRUE(played.completed);
        EXPECT_EQ(played.round, 1);
        EXPECT_EQ(played.words, w->accepted.size());
        EXPECT_EQ(played.score, service.server().score(seat));
        EXPECT_GT(played.score, 0);
        EXPECT_EQ(w->sent, w->accepted);
        EXPECT_TRUE(w->refused.isEmpty());
        const QString shown = QString::number(played.score);
        EXPECT_TRUE(waitFor([&] { return text(QStringLiteral("label_score%1").arg(seat)) == shown; }));
    }
    witnesses.clear();

    removeFromGame(2);
    ASSERT_TRUE(waitFor([this] { return seatName(2) == QStringLiteral("<Waiting>") && bots().size() == 1; }));
    EXPECT_TRUE(entry()->isEnabled());
    EXPECT_EQ(bots().front()->name(), QStringLiteral("Klock"));
    // The first name not at the table, on the seat that came free.
    entry()->trigger();
    ASSERT_TRUE(waitFor([this] { return seatName(2) == QStringLiteral("Klot"); }));
    EXPECT_EQ(service.server().name(2), "Klot");
    EXPECT_FALSE(service.server().inUse(4));
}

TEST_F(ComputersAtTheTable, FillTheTableAndEndWithTheWindow)
{
    for (int k = 0; k < 5; ++k)
        entry()->trigger();
    EXPECT_FALSE(entry()->isEnabled());   // five on their way fill the free seats
    entry()->trigger();
    EXPECT_EQ(bots().size(), 5);
    ASSERT_TRUE(waitFor([this] { return seatName(6) == QStringLiteral("Krazy"); }));
    EXPECT_FALSE(entry()->isEnabled());

    window.close();
    ASSERT_TRUE(waitFor([this] {
        for (int seat = 2; seat <= 6; ++seat)
            if (service.server().inUse(seat))
                return false;
        return true;
    }));
    EXPECT_TRUE(bots().isEmpty());
}

} // namespace
} // namespace zz::test
