// A whole game over loopback sockets: the real host and two game windows in
// one process, driven through their controls.
#include "client/board/boardview.h"
#include "session/clientsession.h"
#include "client/gamestartdialog.h"
#include "client/gametable.h"
#include "client/gamewindow.h"
#include "client/ladderdialog.h"
#include "dict/builtindata.h"
#include "dict/wordpool.h"
#include "host/hostserver.h"
#include "host/hostservice.h"
#include "host/scoring.h"
#include "social/spylistwindow.h"
#include "storeui/tallywindow.h"
#include "support/waitfor.h"
#include "support/widgets.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTcpServer>
#include "support/onesteppair.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>

using namespace zz;
using zz::test::oneStepPair;
using zz::test::waitFor;

namespace {

struct Player
{
    Player(const QString &name, bool hosting, std::uint16_t gamePort, std::uint16_t lobbyPort,
           const QString &address = QStringLiteral("127.0.0.1"))
        : window(QStringList{name, address, hosting ? QStringLiteral("true") : QString()})
    {
        options = new GameStartDialog(&window);
        ladder = new LadderDialog(&window);
        tally = new TallyWindow(&window);
        window.setCompanions({{}, {}, options, {}, {}, new SpyListWindow(&window), tally, ladder});
        window.setGamePort(gamePort);
        window.setLobbyPort(lobbyPort);
        window.setHostStarter([] {}); // the host already listens
        window.show();
    }
    QString text(const char *name) { return window.findChild<QLabel *>(QString::fromLatin1(name))->text(); }
    void enterWord(const QString &word)
    {
        auto *box = window.findChild<QLineEdit *>(QStringLiteral("edit_word"));
        box->setText(word);
        zz::test::pressEnter(box);
    }

    GameWindow window;
    GameStartDialog *options = nullptr;
    LadderDialog *ladder = nullptr;
    TallyWindow *tally = nullptr;
};

TEST(EndToEnd, TwoWindowsPlayAGameToItsWinner)
{
    HostService service;
    ASSERT_FALSE(service.dictionaryFailed());
    service.listen("0");
    QTcpServer lobby;
    ASSERT_TRUE(lobby.listen(QHostAddress::LocalHost, 0));

    const WordPool pool(builtinWordPool());
    const auto [start, end] = oneStepPair(pool);
    ASSERT_NE(start, end);
    const QString endWord = QString::fromStdString(pool.at(end));
    std::deque<std::size_t> draws{start, end, start, end};
    service.server().setRandom([&draws](std::size_t) {
        const std::size_t index = draws.empty() ? 0 : draws.front();
        if (!draws.empty())
            draws.pop_front();
        return index;
    });

    Player ann(QStringLiteral("Ann"), true, service.localPort(), lobby.serverPort());
    ASSERT_TRUE(waitFor([&] { return ann.window.session().loggedIn(); }));
    Player bo(QStringLiteral("Bo"), false, service.localPort(), lobby.serverPort());
    ASSERT_TRUE(waitFor([&] { return ann.text("label_playername2") == QStringLiteral("Bo"); }));
    ASSERT_TRUE(waitFor([&] { return bo.text("label_playername1") == QStringLiteral("Ann"); }));

    // Ann starts from the options dialog; Bo then sits the game out.
    ann.window.board().findChild<QAbstractButton *>(QStringLiteral("button_start"))->click();
    ASSERT_TRUE(ann.options->isVisible());
    ann.options->findChild<QSpinBox *>(QStringLiteral("UpDown1"))->stepBy(-1);
    ann.options->buttonStartClick();
    ASSERT_TRUE(waitFor([&] { return bo.text("label_status") == QStringLiteral("Your Turn."); }));
    EXPECT_EQ(bo.text("label_word2"), endWord.toUpper());
    EXPECT_EQ(bo.text("label_playtoscore"), QStringLiteral("Play To Score: 500"));
    bo.window.session().justWatch(2, true);
    ASSERT_TRUE(waitFor([&] { return ann.text("label_status") == QStringLiteral("Your Turn."); }));
    // The host handles each connection's messages as they come: Ann's word must
    // not overtake Bo's sitting out, or Bo's turn would hold the round open.
    ASSERT_TRUE(waitFor([&] {
        return ann.window.findChild<QLabel *>(QStringLiteral("image_eyes2"))->isVisibleTo(&ann.window.board());
    }));

    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        ann.enterWord(endWord);
        ASSERT_TRUE(
            waitFor([&] { return ann.text("label_status") == QStringLiteral("Posting Scores..Please Wait."); }));
        const QString score = QString::number(service.server().score(1));
        EXPECT_NE(service.server().score(1), 0);
        ASSERT_TRUE(waitFor([&] { return bo.text("label_score1") == score; }));
        EXPECT_EQ(ann.text("label_score1"), score);
        EXPECT_EQ(ann.text("word_1"), endWord);
        EXPECT_EQ(ann.text("label_wordcount1"), QStringLiteral("1 Wds"));
        EXPECT_EQ(bo.text("label_bonus1"), ann.text("label_bonus1"));
        EXPECT_TRUE(bo.window.findChild<QLabel *>(QStringLiteral("image_fast1"))->isVisibleTo(&bo.window.board()));
        ASSERT_TRUE(waitFor([&] { return bo.ladder->isVisible(); }));
        EXPECT_EQ(bo.ladder->correctLabel(0)->text(), QStringLiteral("ANN'S ZIG ZOP"));
        EXPECT_EQ(bo.ladder->correctLabel(1)->text(), endWord.toUpper());

        // The pause after the round, on the host's clock.
        for (int second = 0; second < 15; ++second)
            service.server().clockTick();
        if (round == 1) {
            ASSERT_TRUE(waitFor([&] { return ann.text("label_status") == QStringLiteral("Your Turn."); }));
        }
    }

    ASSERT_TRUE(waitFor([&] { return bo.text("label_status") == QStringLiteral("Game Over!"); }));
    ASSERT_TRUE(waitFor([&] { return ann.text("label_status") == QStringLiteral("Game Over!"); }));
    EXPECT_EQ(ann.text("label_winner1"), QStringLiteral("You have Won the Game!"));
    EXPECT_EQ(bo.text("label_winner1"), QStringLiteral("Ann has Won the Game!"));
    EXPECT_EQ(ann.tally->games(), QStringList{QStringLiteral("addtomine")});
    EXPECT_EQ(bo.tally->games(), QStringList{QStringLiteral("Ann")});
    EXPECT_TRUE(ann.window.board().findChild<QWidget *>(QStringLiteral("button_start"))->isVisible());
    EXPECT_FALSE(bo.window.board().findChild<QWidget *>(QStringLiteral("button_start"))->isVisible());
}

TEST(EndToEnd, AWindowJoinsByAnIpv6AddressAndPort)
{
    HostService service;
    service.listen("0");
    QTcpServer lobby;
    ASSERT_TRUE(lobby.listen(QHostAddress::LocalHost, 0));
    Player ann(QStringLiteral("Ann"), true, service.localPort(), lobby.serverPort());
    ASSERT_TRUE(waitFor([&] { return ann.window.session().loggedIn(); }));

    // The game port the window was given is not the table's: the address names it.
    const QString address = QStringLiteral("[::1]:%1").arg(service.localPort());
    Player bo(QStringLiteral("Bo"), false, 1, lobby.serverPort(), address);
    if (!waitFor([&] { return bo.window.session().loggedIn(); }))
        GTEST_SKIP() << "this system has no IPv6 loopback";
    ASSERT_TRUE(waitFor([&] { return ann.text("label_playername2") == QStringLiteral("Bo"); }));
}

} // namespace
