// Quick Match, the private table and table codes, from the Play With Others dialog.
#include "core/tablecode.h"
#include "lobby/matchmakerclient.h"
#include "lobby/playwithothersdialog.h"
#include "support/waitfor.h"

#include <QAbstractHttpServer>
#include <QComboBox>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zz;

namespace {

// A matchmaker that answers every request with one status and body.
class FakeMatchmaker : public QAbstractHttpServer
{
public:
    FakeMatchmaker() { m_port = listen(QHostAddress::LocalHost, 0); }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }

    int status = 200;
    QByteArray body;
    QByteArray lastPath;

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override
    {
        lastPath = request.url().path().toUtf8();
        makeResponder(request, socket)
            .write(body, "application/json", static_cast<QHttpServerResponder::StatusCode>(status));
        return true;
    }
    void missingHandler(const QHttpServerRequest &, QTcpSocket *) override {}

private:
    quint16 m_port = 0;
};

class MatchmakerPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qunsetenv("ZIGZOP_MATCHMAKER");
        MatchmakerClient::httpModulePaths() = {ZZ_TEST_HTTP_MODULE};
        QObject::connect(&dialog, &PlayWithOthersDialog::launchRequested, &dialog,
                         [this](const QStringList &arguments) { launched = arguments; });
        dialog.setChoicesFile(file());
        control<QLineEdit>("edit_lobbyname")->setText(QStringLiteral("Ann"));
    }
    std::filesystem::path file() const { return std::filesystem::path(dir.path().toStdString()) / "lobby.ini"; }
    template <typename T> T *control(const char *name) { return dialog.findChild<T *>(QLatin1String(name)); }
    QString status() { return control<QLabel>("label_matchstatus")->text(); }

    QTemporaryDir dir;
    PlayWithOthersDialog dialog;
    QStringList launched;
};

TEST_F(MatchmakerPanelTest, ButtonsWaitForAMatchmakerAndTheEnvironmentWins)
{
    auto *quick = control<QPushButton>("button_quickmatch");
    auto *privately = control<QPushButton>("button_privatetable");
    EXPECT_FALSE(quick->isEnabled());
    EXPECT_FALSE(privately->isEnabled());
    EXPECT_FALSE(quick->toolTip().isEmpty());
    control<QLineEdit>("edit_matchmaker")->setText(QStringLiteral("mm.example:8080"));
    EXPECT_TRUE(quick->isEnabled());
    EXPECT_TRUE(privately->isEnabled());

    qputenv("ZIGZOP_MATCHMAKER", "env.example");
    PlayWithOthersDialog again;
    again.setChoicesFile(file());
    EXPECT_EQ(again.findChild<QLineEdit *>(QStringLiteral("edit_matchmaker"))->text(), QStringLiteral("env.example"));
    qunsetenv("ZIGZOP_MATCHMAKER");
}

TEST_F(MatchmakerPanelTest, QuickMatchJoinsTheTableTheMatchmakerNames)
{
    FakeMatchmaker matchmaker;
    matchmaker.body = R"({"address":"127.0.0.1","port":17772,"table":"gs-1","code":"x"})";
    control<QLineEdit>("edit_matchmaker")->setText(matchmaker.address());
    control<QPushButton>("button_quickmatch")->click();
    EXPECT_EQ(status(), QStringLiteral("Finding a table…"));
    EXPECT_FALSE(control<QPushButton>("button_cancelmatch")->isHidden());
    ASSERT_TRUE(test::waitFor([&] { return !launched.isEmpty(); }));
    EXPECT_EQ(launched, (QStringList{QStringLiteral("Ann"), QStringLiteral("127.0.0.1:17772"), QStringLiteral("false")}));
    EXPECT_EQ(matchmaker.lastPath, "/v1/tables/quick");

    // Remembered, with the matchmaker; the code is only kept for a private table.
    PlayWithOthersDialog again;
    again.setChoicesFile(file());
    EXPECT_EQ(again.findChild<QLineEdit *>(QStringLiteral("edit_matchmaker"))->text(), matchmaker.address());
    EXPECT_EQ(again.privateTableCode("127.0.0.1:17772"), "");
}

TEST_F(MatchmakerPanelTest, APrivateTableKeepsItsCodeForTheGameThatJoinsIt)
{
    FakeMatchmaker matchmaker;
    const std::string code = *makeTableCode("127.0.0.1", 17772);
    matchmaker.body = QByteArray::fromStdString(R"({"address":"127.0.0.1","port":17772,"table":"gs-2","code":")" + code
                                                + "\"}");
    control<QLineEdit>("edit_matchmaker")->setText(matchmaker.address());
    control<QPushButton>("button_privatetable")->click();
    ASSERT_TRUE(test::waitFor([&] { return !launched.isEmpty(); }));
    EXPECT_EQ(matchmaker.lastPath, "/v1/tables/private");
    PlayWithOthersDialog again;
    again.setChoicesFile(file());
    EXPECT_EQ(again.privateTableCode("127.0.0.1:17772"), code);
    EXPECT_EQ(again.privateTableCode("127.0.0.1:7772"), "");
}

TEST_F(MatchmakerPanelTest, FailuresAreSaidInWordsAndNothingStarts)
{
    FakeMatchmaker matchmaker;
    const struct { const char *name; int status; QByteArray body; QString says; } cases[] = {
        {"no table", 503, R"({"error":"no table is free; try again in a moment"})",
         QStringLiteral("The matchmaker says: no table is free; try again in a moment")},
        {"no words", 500, "", QStringLiteral("The matchmaker answered 500.")},
        {"no table named", 200, R"({"address":"","port":7772})", QStringLiteral("The matchmaker's answer names no table.")},
    };
    control<QLineEdit>("edit_matchmaker")->setText(matchmaker.address());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        matchmaker.status = c.status;
        matchmaker.body = c.body;
        control<QPushButton>("button_quickmatch")->click();
        EXPECT_TRUE(test::waitFor([&] { return status() != QStringLiteral("Finding a table…"); }));
        EXPECT_EQ(status(), c.says);
        EXPECT_TRUE(control<QPushButton>("button_quickmatch")->isEnabled());
    }
    control<QLineEdit>("edit_matchmaker")->setText(QStringLiteral("127.0.0.1:1"));
    control<QPushButton>("button_quickmatch")->click();
    EXPECT_TRUE(test::waitFor([&] { return status().startsWith(QStringLiteral("Could not reach the matchmaker")); }));
    EXPECT_TRUE(launched.isEmpty());
}

TEST_F(MatchmakerPanelTest, CancelForgetsTheAnswer)
{
    FakeMatchmaker matchmaker;
    matchmaker.body = R"({"address":"127.0.0.1","port":17772})";
    control<QLineEdit>("edit_matchmaker")->setText(matchmaker.address());
    control<QPushButton>("button_quickmatch")->click();
    control<QPushButton>("button_cancelmatch")->click();
    EXPECT_TRUE(control<QPushButton>("button_quickmatch")->isEnabled());
    EXPECT_TRUE(test::runUntilIdle());
    EXPECT_FALSE(test::waitFor([&] { return !launched.isEmpty(); }, 300));
}

TEST_F(MatchmakerPanelTest, TheJoinBoxTakesATableCode)
{
    const std::string code = *makeTableCode("192.0.2.7", 7000);
    std::string typed = code;
    for (char &c : typed)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    control<QComboBox>("combo_address")->setEditText(QString::fromStdString(typed));
    dialog.joinClicked();
    EXPECT_EQ(launched, (QStringList{QStringLiteral("Ann"), QStringLiteral("192.0.2.7:7000"), QStringLiteral("false")}));

    launched.clear();
    control<QComboBox>("combo_address")->setEditText(QStringLiteral("K7Q2M-9XA3U"));
    dialog.joinClicked();
    EXPECT_TRUE(launched.isEmpty());
    EXPECT_TRUE(control<QLabel>("label_lobbystatus")->text().contains(QLatin1Char('U')));
}

TEST(MatchmakerClient, MakesAUrlFromWhatThePlayerTyped)
{
    const struct { const char *typed; std::string url; } cases[] = {
        {"mm.example:8080", "http://mm.example:8080/v1/tables/quick"},
        {" https://mm.example/ ", "https://mm.example/v1/tables/quick"},
        {"http://[::1]:18500", "http://[::1]:18500/v1/tables/quick"},
        {"ftp://mm.example", ""},
        {"two words", ""},
        {"", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(MatchmakerClient::urlFor(QString::fromLatin1(c.typed), "/v1/tables/quick"), c.url);
    }
}

} // namespace
