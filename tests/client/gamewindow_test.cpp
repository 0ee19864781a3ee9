#include "client/gamewindow.h"

#include "client/aboutdialog.h"
#include "client/clientsession.h"
#include "client/downloaddialog.h"
#include "client/gamestartdialog.h"
#include "client/helpwindow.h"
#include "client/ladderdialog.h"
#include "net/streamsocket.h"
#include "social/phrasesdialog.h"
#include "social/spylistwindow.h"
#include "store/tallywindow.h"
#include "support/waitfor.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

#include <memory>

using namespace zz;
using zz::test::waitFor;

namespace {

// A message box open anywhere with exactly this text, or nullptr.
QMessageBox *messageBox(const QString &text)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(w);
        if (box && box->isVisible() && box->text() == text)
            return box;
    }
    return nullptr;
}

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
        download = new DownloadDialog(window.get());
        spyList = new SpyListWindow(window.get());
        window->setCompanions({{}, download, {}, {}, {}, spyList, {}, {}});
        window->setGamePort(game.serverPort());
        window->setLobbyPort(lobby.serverPort());
        window->setHostStarter(starter ? starter : [this] { ++hostStarts; });
        window->show();
    }

    QString chat() const { return window->findChild<QPlainTextEdit *>(QStringLiteral("mainchat"))->toPlainText(); }
    QPushButton *startButton() const { return window->findChild<QPushButton *>(QStringLiteral("button_start")); }
    QAction *startGame() const { return window->findChild<QAction *>(QStringLiteral("StartGame1")); }

    // The client's connection as the game port sees it.
    QTcpSocket *acceptClient()
    {
        if (!waitFor([this] { return game.hasPendingConnections(); }))
            return nullptr;
        return game.nextPendingConnection();
    }

    QTcpServer game;
    QTcpServer lobby;
    int hostStarts = 0;
    std::unique_ptr<GameWindow> window;
    QPointer<DownloadDialog> download;
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

    QTcpSocket *client = acceptClient();
    ASSERT_TRUE(client);
    EXPECT_EQ(client->peerAddress(), QHostAddress(QHostAddress::LocalHost));
    client->write("CMD_sendlogininfo+1\xff" "CMD_newplayerinfo+1+You\xff");
    ASSERT_TRUE(waitFor([this] { return chat().endsWith(QStringLiteral("You are Connected.")); }));
    QByteArray login;
    const QByteArray expected("CMD_logininfo+1+1.0.2+You\xff\xff");
    EXPECT_TRUE(waitFor([&] {
        login += client->readAll();
        return login.size() >= expected.size();
    }));
    EXPECT_EQ(login, expected);
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
        EXPECT_FALSE(waitFor([this] { return game.hasPendingConnections() || lobby.hasPendingConnections(); }, 200));
    }
}

TEST_F(Launch, PortInUseStopsHostingWithTheError)
{
    start({}, [] { throw SocketError("Listen - Error Binding Socket"); });
    ASSERT_TRUE(waitFor([] { return messageBox(QStringLiteral("Listen - Error Binding Socket")); }));
    messageBox(QStringLiteral("Listen - Error Binding Socket"))->done(0);
    EXPECT_FALSE(window->hosting());
    EXPECT_FALSE(startButton()->isVisible());
    EXPECT_FALSE(startGame()->isEnabled());
    EXPECT_FALSE(waitFor([this] { return game.hasPendingConnections(); }, 200));
}

TEST_F(Launch, LaunchRunsOnlyOnTheFirstShow)
{
    start({});
    window->hide();
    window->show();
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
    ASSERT_TRUE(waitFor([] { return messageBox(QStringLiteral("Game is full")); }));
    EXPECT_FALSE(waitFor([this] { return !window->isVisible(); }, 100));
    messageBox(QStringLiteral("Game is full"))->done(0);
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

// ---- system lines, without a connection --------------------------------------

class SystemLines : public ::testing::Test
{
protected:
    SystemLines()
    {
        spyList = new SpyListWindow(&window);
        window.setCompanions({{}, {}, {}, {}, {}, spyList, {}, {}});
    }

    // Handles each message in turn and returns the chat area's lines.
    QStringList handle(std::initializer_list<const char *> messages)
    {
        for (const char *message : messages) {
            window.session().receiveBytes(std::string(message) + '\xff');
            window.session().dispatchTick();
        }
        const QString text = window.findChild<QPlainTextEdit *>(QStringLiteral("mainchat"))->toPlainText();
        return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    }

    GameWindow window{{}};
    SpyListWindow *spyList = nullptr;
};

TEST_F(SystemLines, OwnArrivalAsSeatThree)
{
    EXPECT_EQ(handle({"CMD_sendlogininfo+3", "CMD_existingplayers+1+Bo", "CMD_newplayerinfo+3+Ann"}),
              (QStringList{QStringLiteral("Bo is Connected."), QStringLiteral("You are Connected.")}));
    EXPECT_TRUE(spyList->spies().isEmpty());
}

TEST_F(SystemLines, OwnArrivalAsSpectator)
{
    EXPECT_EQ(handle({"CMD_sendlogininfo+7", "CMD_newplayerinfo+7+Max", "CMD_newplayerinfo+8+Eve"}),
              (QStringList{QStringLiteral("You are Connected."), QStringLiteral("You are spying."),
                           QStringLiteral("Eve is Connected."), QStringLiteral("Eve is spying.")}));
    EXPECT_EQ(spyList->spies(), (QStringList{QStringLiteral("7: Max"), QStringLiteral("8: Eve")}));
}

TEST_F(SystemLines, Departures)
{
    const QStringList lines = handle({
        "CMD_newplayerinfo+2+Klot",           // leaves under the seat's quiet name: no line
        "CMD_playerdisconnected+2+Klot",
        "CMD_newplayerinfo+3+A+B",
        "CMD_playerdisconnected+3+A+B",
        "CMD_playerdisconnected+3+A+B",       // already empty: no line
        "CMD_newplayerinfo+8+Max",
        "CMD_playerdisconnected+9+Max",       // not in the spy list: nothing
        "CMD_playerdisconnected+8+Max",
    });
    EXPECT_EQ(lines, (QStringList{QStringLiteral("Klot is Connected."), QStringLiteral("A+B is Connected."),
                                  QStringLiteral("A+B disconnected."), QStringLiteral("Max is Connected."),
                                  QStringLiteral("Max is spying."), QStringLiteral("Max has left.")}));
    EXPECT_TRUE(spyList->spies().isEmpty());
}

TEST_F(SystemLines, VersionMismatch)
{
    EXPECT_EQ(handle({"CMD_havewrongversion+Bo", "CMD_wrongversion+"}),
              (QStringList{QStringLiteral("Bo has a different version of the game then you."),
                           QStringLiteral("You have a differnt version of the game then the host.")}));
}

TEST_F(SystemLines, ChatIsShownAsTyped)
{
    EXPECT_EQ(handle({"CMD_chat+2+Ann chats: <b>hi</b>|clNavy"}), QStringList{QStringLiteral("Ann chats: <b>hi</b>")});
}

TEST(Windows, CaptionsAndNames)
{
    GameWindow window({});
    const struct { QWidget *widget; const char *caption; } cases[] = {
        {&window, "ZigZop"},
        {new AboutDialog(&window), "ZigZop - About"},
        {new DownloadDialog(&window), "Download The Quib77 Plazo"},
        {new GameStartDialog(&window), "ZigZop - Game Start"},
        {new HelpWindow(&window), "ZigZop - Help File"},
        {new PhrasesDialog(&window), "ZigZop - Phrase Buttons "},
        {new SpyListWindow(&window), "ZigZop - Spys"},
        {new TallyWindow(&window), "ZigZop - Tally List"},
        {new LadderDialog(&window), "Zig Zop"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(c.widget->windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_TRUE(c.widget->isWindow());
    }
    EXPECT_EQ(window.size(), QSize(775, 575));
    EXPECT_EQ(window.seatCount(), 6);
    EXPECT_EQ(window.linkCounter(), -1);
    EXPECT_FALSE(window.hosting());
    EXPECT_EQ(window.session().turnSeat(), 0);
}

TEST(Windows, PhraseEditorAndLadderDialog)
{
    PhrasesDialog phrases;
    for (int number = 1; number <= 9; ++number)
        ASSERT_TRUE(phrases.phraseEdit(number));
    EXPECT_EQ(phrases.phraseEdit(1)->maxLength(), 50);
    EXPECT_FALSE(phrases.phraseEdit(0));
    EXPECT_FALSE(phrases.phraseEdit(10));

    LadderDialog ladder;
    EXPECT_EQ(ladder.correctLabel(8)->text(), QStringLiteral("+15"));
    EXPECT_EQ(ladder.correctLabel(20)->text(), QStringLiteral("+5"));
    ladder.addWord(8, QStringLiteral("cold"));
    ladder.addWord(0, QStringLiteral("Ann's Zig Zop"));
    ladder.addWord(22, QStringLiteral("nowhere"));
    EXPECT_EQ(ladder.correctLabel(8)->text(), QStringLiteral("COLD"));
    EXPECT_EQ(ladder.correctLabel(0)->text(), QStringLiteral("ANN'S ZIG ZOP"));
    ladder.clearLabels();
    EXPECT_EQ(ladder.correctLabel(8)->text(), QStringLiteral("+15"));
}
