#include "client/gamewindow.h"

#include "client/board/boardview.h"
#include "client/chat/chatbrowser.h"
#include "client/chat/chatview.h"
#include "session/clientsession.h"
#include "lobby/playwithothersdialog.h"
#include "client/gamestartdialog.h"
#include "client/gametable.h"
#include "net/hostlookup.h"
#include "net/streamsocket.h"
#include "social/spylistwindow.h"
#include "support/loopback.h"
#include "support/waitfor.h"
#include "support/widgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

using namespace zz;
using zz::test::openMessageBox;
using zz::test::waitFor;

namespace {

class Launch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(game.listen(QHostAddress::LocalHost, 0));
        ASSERT_TRUE(lobby.listen(QHostAddress::LocalHost, 0));
    }

    void start(const QStringList &params, GameWindow::HostStarter starter = {})
    {
        window = std::make_unique<GameWindow>(params);
        // No look-up leaves this machine: every name is unknown here.
        window->session().setResolver([](const std::string &) { return std::optional<net::IpAddress>(); });
        download = new PlayWithOthersDialog(window.get());
        spyList = new SpyListWindow(window.get());
        window->setCompanions({{}, download, {}, {}, {}, spyList, {}, {}});
        window->setGamePort(game.serverPort());
        window->setLobbyPort(lobby.serverPort());
        window->setHostStarter(starter ? starter : [this] { ++hostStarts; });
        window->show();
        // The launch follows the show once the event loop turns; every launch says what it loads.
        EXPECT_TRUE(chat().isEmpty());
        ASSERT_TRUE(waitFor([this] { return !chat().isEmpty(); }));
    }

    // The chat view's lines without the blanks that follow each word.
    QString chat() const
    {
        QStringList lines = window->chat().chatBrowser()->toPlainText().split(QLatin1Char('\n'));
        for (QString &line : lines)
            line = line.trimmed();
        return lines.join(QLatin1Char('\n'));
    }
    QAbstractButton *startButton() const
    {
        return window->board().findChild<QAbstractButton *>(QStringLiteral("button_start"));
    }
    QAction *startGame() const { return window->findChild<QAction *>(QStringLiteral("StartGame1")); }
    bool spyRemovalAllowed() const
    {
        return spyList->findChild<QAction *>(QStringLiteral("popup_kickhim"))->isEnabled();
    }

    // The client's connection as the game port sees it.
    QTcpSocket *acceptClient() { return zz::test::acceptPeer(game); }

    QTcpServer game;
    QTcpServer lobby;
    int hostStarts = 0;
    std::unique_ptr<GameWindow> window;
    QPointer<PlayWithOthersDialog> download;
    QPointer<SpyListWindow> spyList;
};

} // namespace

TEST_F(Launch, NoParametersHostsASoloGame)
{
    start({});
    EXPECT_EQ(chat(), QStringLiteral("Loading Solo Game..Please wait."));
    EXPECT_TRUE(download->isVisible());
    EXPECT_EQ(hostStarts, 1);
    EXPECT_TRUE(window->hosting());
    EXPECT_EQ(window->playerName(), QStringLiteral("You"));
    EXPECT_TRUE(startButton()->isVisible());
    EXPECT_TRUE(startGame()->isEnabled());
    EXPECT_TRUE(spyRemovalAllowed());

    QTcpSocket *client = acceptClient();
    ASSERT_TRUE(client);
    EXPECT_EQ(client->peerAddress(), QHostAddress(QHostAddress::LocalHost));
    client->write("CMD_sendlogininfo+1\xff" "CMD_newplayerinfo+1+You\xff");
    ASSERT_TRUE(waitFor([this] { return chat().endsWith(QStringLiteral("You are Connected.")); }));
    const QByteArray expected("CMD_logininfo+1+1.0.2+You\xff\xff");
    EXPECT_EQ(zz::test::readAtLeast(*client, expected.size()), expected);
    EXPECT_FALSE(lobby.hasPendingConnections());
}

TEST_F(Launch, HostFlagTrueHostsAndConnectsToItself)
{
    start({QStringLiteral("Ann"), QStringLiteral("10.0.0.5"), QStringLiteral("true"), QStringLiteral("ignored")});
    EXPECT_EQ(chat(), QStringLiteral("Loading Multi-player Game.. Please Wait."));
    EXPECT_FALSE(download->isVisible());
    EXPECT_EQ(hostStarts, 1);
    EXPECT_TRUE(window->hosting());
    EXPECT_EQ(window->playerName(), QStringLiteral("Ann"));
    EXPECT_TRUE(startButton()->isVisible());
    EXPECT_TRUE(startGame()->isEnabled());
    // The game port listens on the loopback address only, so the connection
    // proves that the address parameter was not used.
    EXPECT_TRUE(acceptClient());
    EXPECT_TRUE(waitFor([this] { return lobby.hasPendingConnections(); }));
}

TEST_F(Launch, AnyOtherFlagJoinsTheAddress)
{
    for (const char *flag : {"True", "false", ""}) {
        SCOPED_TRACE(flag);
        hostStarts = 0;
        start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QString::fromUtf8(flag)});
        EXPECT_EQ(hostStarts, 0);
        EXPECT_FALSE(window->hosting());
        EXPECT_EQ(window->hostAddress(), QStringLiteral("127.0.0.1"));
        EXPECT_FALSE(startButton()->isVisible());
        EXPECT_FALSE(startGame()->isEnabled());
        EXPECT_FALSE(spyRemovalAllowed());
        EXPECT_TRUE(acceptClient());
        EXPECT_TRUE(waitFor([this] { return lobby.hasPendingConnections(); }));
        while (lobby.hasPendingConnections())
            delete lobby.nextPendingConnection();
    }
}

TEST_F(Launch, OneOrTwoParametersOnlyShowTheLoadingLine)
{
    for (const QStringList &params : {QStringList{QStringLiteral("Ann")},
                                      QStringList{QStringLiteral("Ann"), QStringLiteral("127.0.0.1")}}) {
        start(params);
        EXPECT_EQ(chat(), QStringLiteral("Loading Multi-player Game.. Please Wait."));
        EXPECT_EQ(hostStarts, 0);
        EXPECT_FALSE(startButton()->isVisible());
        EXPECT_FALSE(startGame()->isEnabled());
        ASSERT_TRUE(zz::test::runUntilIdle());
        EXPECT_FALSE(game.hasPendingConnections() || lobby.hasPendingConnections());
    }
}

TEST_F(Launch, PortInUseStopsHostingWithTheError)
{
    start({}, [] { throw SocketError("Listen - Error Binding Socket"); });
    ASSERT_TRUE(waitFor([] { return openMessageBox(QStringLiteral("Listen - Error Binding Socket")); }));
    openMessageBox(QStringLiteral("Listen - Error Binding Socket"))->done(0);
    EXPECT_FALSE(window->hosting());
    EXPECT_FALSE(startButton()->isVisible());
    EXPECT_FALSE(startGame()->isEnabled());
    EXPECT_FALSE(spyRemovalAllowed());
    ASSERT_TRUE(zz::test::runUntilIdle());
    EXPECT_FALSE(game.hasPendingConnections());
}

TEST_F(Launch, LaunchRunsOnlyOnTheFirstShow)
{
    start({});
    window->hide();
    window->show();
    ASSERT_TRUE(zz::test::runUntilIdle());
    EXPECT_EQ(hostStarts, 1);
    EXPECT_EQ(chat().count(QStringLiteral("Loading")), 1);
}

TEST_F(Launch, GameIsFullClosesTheWindowOnceDismissed)
{
    start({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")});
    QTcpSocket *client = acceptClient();
    ASSERT_TRUE(client);
    client->write("CMD_full+\xff");
    client->disconnectFromHost();
    ASSERT_TRUE(waitFor([] { return openMessageBox(QStringLiteral("Game is full")); }));
    ASSERT_TRUE(zz::test::runUntilIdle());
    EXPECT_TRUE(window->isVisible());
    openMessageBox(QStringLiteral("Game is full"))->done(0);
    EXPECT_TRUE(waitFor([this] { return !window->isVisible(); }));
}

TEST_F(Launch, HostClosingTheConnectionClosesTheWindow)
{
    start({});
    QTcpSocket *client = acceptClient();
    ASSERT_TRUE(client);
    bool closed = false;
    QObject::connect(window.get(), &GameWindow::closed, window.get(), [&closed] { closed = true; });
    client->disconnectFromHost();
    EXPECT_TRUE(waitFor([&closed] { return closed; }));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(Launch, AJoinThatFailsSaysWhyAndOffersAnotherTable)
{
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const QString closedPort = QString::number(probe.serverPort());
    probe.close();   // nobody listens there now
    const struct
    {
        const char *name;
        QString address, line;
    } cases[] = {
        {"nothing listens", QStringLiteral("127.0.0.1:") + closedPort,
         QStringLiteral("Could not reach the table at 127.0.0.1:%1: connection refused.").arg(closedPort)},
        {"the name does not resolve", QStringLiteral("nowhere.test:7790"),
         QStringLiteral("Could not reach the table at nowhere.test:7790: no such host.")},
        {"no address at all", QStringLiteral("300.1.2.3"),
         QStringLiteral("Could not reach the table at 300.1.2.3:%1: no such host.").arg(game.serverPort())},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        start({QStringLiteral("Eve"), c.address, QStringLiteral("false")});
        ASSERT_TRUE(waitFor([&] { return chat().contains(c.line); })) << chat().toStdString();
        EXPECT_TRUE(download->isVisible());
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(chat().count(QStringLiteral("Could not reach")), 1);
        // Ready to try again: the player's name and the table tried are filled in.
        EXPECT_EQ(download->findChild<QLineEdit *>(QStringLiteral("edit_lobbyname"))->text(), QStringLiteral("Eve"));
        EXPECT_TRUE(c.line.contains(download->findChild<QComboBox *>(QStringLiteral("combo_address"))->currentText()));
    }
}

TEST_F(Launch, AJoinedTableThatClosesIsSaidAndAnotherOffered)
{
    const QString text = QStringLiteral("The table at 127.0.0.1:%1 closed the connection.").arg(game.serverPort());
    for (const bool exit : {false, true}) {
        SCOPED_TRACE(exit ? "Exit" : "Play With Others");
        start({QStringLiteral("Eve"), QStringLiteral("127.0.0.1"), QStringLiteral("false")});
        QTcpSocket *client = acceptClient();
        ASSERT_TRUE(client);
        client->write("CMD_sendlogininfo+1\xff" "CMD_newplayerinfo+1+Eve\xff" "CMD_startgame+Eve+100+60+\xff");
        ASSERT_TRUE(waitFor([this] { return window->table().gameInProgress(); }));
        bool closed = false;
        QObject::connect(window.get(), &GameWindow::closed, window.get(), [&closed] { closed = true; });
        client->disconnectFromHost();
        ASSERT_TRUE(waitFor([&] { return openMessageBox(text); }));
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(closed);
        EXPECT_FALSE(window->session().sendChat(QStringLiteral("anyone?"), QStringLiteral("clBlack")));
        QMessageBox *box = openMessageBox(text);
        const QString choice = exit ? QStringLiteral("Exit") : QStringLiteral("Play With Others...");
        for (QAbstractButton *button : box->buttons())
            if (button->text() == choice)
                button->click();
        if (exit) {
            EXPECT_TRUE(waitFor([&] { return closed; }));
        } else {
            EXPECT_TRUE(waitFor([this] { return download->isVisible(); }));
            EXPECT_TRUE(window->isVisible());
            EXPECT_FALSE(closed);
        }
    }
}

TEST_F(Launch, StartGameOpensTheOptionsOnceLoggedIn)
{
    start({QStringLiteral("A+B"), QStringLiteral("127.0.0.1"), QStringLiteral("true")});
    auto *options = new GameStartDialog(window.get());
    window->setCompanions({{}, download, options, {}, {}, spyList, {}, {}});
    startButton()->click();
    ASSERT_TRUE(waitFor([] { return openMessageBox(QStringLiteral("You are not connected")); }));
    openMessageBox(QStringLiteral("You are not connected"))->done(0);
    EXPECT_FALSE(options->isVisible());

    QTcpSocket *client = acceptClient();
    ASSERT_TRUE(client);
    client->write("CMD_sendlogininfo+1\xff");
    ASSERT_TRUE(waitFor([this] { return window->session().loggedIn(); }));
    startGame()->trigger();
    EXPECT_TRUE(options->isVisible());
    options->toggleBox(2);
    options->buttonStartClick();
    EXPECT_FALSE(options->isVisible());

    // The name goes out as it is, '+' and all.
    const QByteArray expected("CMD_logininfo+1+1.0.2+A+B\xff\xff" "CMD_startgame+A+B+1000+120+1+0+1+\xff");
    EXPECT_EQ(zz::test::readAtLeast(*client, expected.size()), expected);
}
