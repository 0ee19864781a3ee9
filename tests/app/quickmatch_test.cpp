// Quick Match and a private table end to end on loopback: real tables, the
// stand-in allocator naming them, the matchmaker, and game windows that start
// from what the Play With Others dialog asked for.
#include "client/gamewindow.h"
#include "core/tablecode.h"
#include "host/hostservice.h"
#include "lobby/matchmakerclient.h"
#include "session/clientsession.h"
#include "lobby/playwithothersdialog.h"
#include "matchmaker/guardedserver.h"
#include "matchmaker/matchmakerserver.h"
#include "standin.h"
#include "support/waitfor.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zz;
using zz::test::waitFor;

namespace {

// The launch parameters one Play With Others dialog asks for.
class Lobby
{
public:
    Lobby(const QString &name, const QString &matchmaker)
    {
        QObject::connect(&dialog, &PlayWithOthersDialog::launchRequested, &dialog,
                         [this](const QStringList &arguments) { launched = arguments; });
        dialog.setChoicesFile(std::filesystem::path(dir.path().toStdString()) / "lobby.ini");
        dialog.findChild<QLineEdit *>(QStringLiteral("edit_lobbyname"))->setText(name);
        dialog.findChild<QLineEdit *>(QStringLiteral("edit_matchmaker"))->setText(matchmaker);
    }
    QStringList click(const char *button)
    {
        dialog.findChild<QPushButton *>(QLatin1String(button))->click();
        EXPECT_TRUE(waitFor([this] { return !launched.isEmpty(); }));
        return launched;
    }

    QTemporaryDir dir;
    PlayWithOthersDialog dialog;
    QStringList launched;
};

struct Window
{
    explicit Window(const QStringList &params) : window(params)
    {
        window.setHostStarter([] {});
        window.show();
    }
    QString seatName(int seat)
    {
        return window.findChild<QLabel *>(QStringLiteral("label_playername%1").arg(seat))->text();
    }
    GameWindow window;
};

TEST(QuickMatch, AWindowIsSeatedAtTheTableFoundAndAFriendJoinsByCode)
{
    const auto &certs = test::testCertificates();
    ASSERT_FALSE(certs.folder.isEmpty());
    HostService publicTable, privateTable;
    publicTable.listen("0");
    privateTable.listen("0");
    test::StandInAllocator allocator(certs);

    std::string error;
    auto client = makeHttpClient({ZZ_TEST_HTTP_MODULE}, &error);
    ASSERT_TRUE(client) << error;
    MatchmakerClient::httpModulePaths() = {ZZ_TEST_HTTP_MODULE};
    AllocatorSettings settings;
    settings.url = allocator.url().toStdString();
    settings.clientCertFile = certs.clientCert.toStdString();
    settings.clientKeyFile = certs.clientKey.toStdString();
    settings.caFile = certs.caCert.toStdString();
    auto listener = std::make_unique<GuardedServer>(GuardedServer::Limits{});
    ASSERT_TRUE(listener->listen(QHostAddress::LocalHost, 0));
    const QString matchmaker = QStringLiteral("127.0.0.1:%1").arg(listener->serverPort());
    MatchmakerServer server(settings, std::move(client));
    server.serve(listener.release());

    // Quick Match: the window starts at the public table and takes a seat there.
    allocator.next = {200, test::allocationAnswer(QStringLiteral("127.0.0.1"), publicTable.localPort())};
    Lobby annLobby(QStringLiteral("Ann"), matchmaker);
    Window ann(annLobby.click("button_quickmatch"));
    ASSERT_TRUE(waitFor([&] { return ann.window.session().loggedIn(); }));
    EXPECT_TRUE(waitFor([&] { return ann.seatName(1) == QStringLiteral("Ann"); }));

    // A private table: its owner's game knows the code; a friend types it.
    allocator.next = {200, test::allocationAnswer(QStringLiteral("127.0.0.1"), privateTable.localPort())};
    Lobby boLobby(QStringLiteral("Bo"), matchmaker);
    const QStringList boParams = boLobby.click("button_privatetable");
    const std::string code = boLobby.dialog.privateTableCode(boParams.value(1).toStdString());
    ASSERT_EQ(readTableCode(code).address, (TableAddress{"127.0.0.1", privateTable.localPort()}));
    Window bo(boParams);
    ASSERT_TRUE(waitFor([&] { return bo.seatName(1) == QStringLiteral("Bo"); }));

    Lobby cyLobby(QStringLiteral("Cy"), {});
    cyLobby.dialog.findChild<QComboBox *>(QStringLiteral("combo_address"))->setEditText(QString::fromStdString(code));
    cyLobby.dialog.joinClicked();
    ASSERT_FALSE(cyLobby.launched.isEmpty());
    Window cy(cyLobby.launched);
    EXPECT_TRUE(waitFor([&] { return cy.seatName(1) == QStringLiteral("Bo") && bo.seatName(2) == QStringLiteral("Cy"); }));
    EXPECT_NE(ann.seatName(2), QStringLiteral("Cy"));   // the private table is not Ann's
}

} // namespace
