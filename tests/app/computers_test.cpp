// Computer players added from the hosting player's window: they join its
// table over loopback, play a round with it, and leave when removed or when
// the window closes.
#include "bot/bot.h"
#include "client/board/boardview.h"
#include "client/computerplayers.h"
#include "client/gamewindow.h"
#include "host/hostserver.h"
#include "host/hostservice.h"
#include "session/clientsession.h"
#include "support/waitfor.h"
#include "support/widgets.h"

#include <QAction>
#include <QLabel>
#include <QTcpServer>
#include <gtest/gtest.h>

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

TEST_F(ComputersAtTheTable, TwoPlayARoundWithTheHostingPlayer)
{
    // Two clicks in a row: the second must not take the first one's name.
    entry()->trigger();
    entry()->trigger();
    ASSERT_TRUE(waitFor([this] {
        return seatName(2) == QStringLiteral("Klot") && seatName(3) == QStringLiteral("Klock");
    }));
    EXPECT_EQ(bots().size(), 2);
    action("Fast1")->trigger();
    for (const Bot *bot : bots())
        EXPECT_EQ(bot->intervalMs(), 500);

    int completed = 0;
    QObject::connect(&window.session(), &ClientSession::ladderCompleted, &window, [&](int seat, int) {
        completed += seat == 2 || seat == 3;
    });
    window.session().startGame(QStringLiteral("Ann"), 100000, 120, false, true, false);
    ASSERT_TRUE(waitFor([&] { return completed == 2; }));
    // Ann plays no word: the host's clock ends the round.
    ASSERT_TRUE(waitFor([&] {
        service.server().clockTick();
        return text(QStringLiteral("label_score2")) != QStringLiteral("0");
    }));
    EXPECT_EQ(text(QStringLiteral("label_score2")), QString::number(service.server().score(2)));
    EXPECT_EQ(text(QStringLiteral("label_score3")), QString::number(service.server().score(3)));
    EXPECT_GT(service.server().score(3), 0);
}

TEST_F(ComputersAtTheTable, RemovedOneLeavesItsSeatToTheNext)
{
    entry()->trigger();
    ASSERT_TRUE(waitFor([this] { return seatName(2) == QStringLiteral("Klot"); }));
    entry()->trigger();
    ASSERT_TRUE(waitFor([this] { return seatName(3) == QStringLiteral("Klock"); }));

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
