// The matchmaker against a stand-in allocator with mutual TLS on 127.0.0.1.
#include "core/tablecode.h"
#include "core/tableoffer.h"
#include "matchmaker/guardedserver.h"
#include "matchmaker/matchmakerserver.h"
#include "standin.h"
#include "support/waitfor.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zz;
using zz::test::RawCall;
using zz::test::requestText;
using zz::test::waitFor;

namespace {

const QHostAddress Other(QStringLiteral("127.0.0.2"));
const QHostAddress Abuser(QStringLiteral("127.0.0.3"));

QJsonObject json(const QByteArray &body)
{
    return QJsonDocument::fromJson(body).object();
}

QByteArray path(std::string_view route)
{
    return QByteArray(route.data(), static_cast<qsizetype>(route.size()));
}

class Matchmaker : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(certs.folder.isEmpty()) << "the openssl program made no certificates";
        allocator = std::make_unique<test::StandInAllocator>(certs);
        ASSERT_NE(allocator->port(), 0);
        allocator->next = {200, test::allocationAnswer(QStringLiteral("127.0.0.1"), 17772)};
        start();
    }

    void start(GuardedServer::Limits limits = {}, QString clientCert = {}, QString clientKey = {}, QString ca = {})
    {
        server.reset();
        std::string error;
        auto client = makeHttpClient({ZZ_TEST_HTTP_MODULE}, &error);
        ASSERT_TRUE(client) << error;
        AllocatorSettings settings;
        settings.url = allocator ? allocator->url().toStdString() : "https://127.0.0.1:1";
        settings.clientCertFile = (clientCert.isEmpty() ? certs.clientCert : clientCert).toStdString();
        settings.clientKeyFile = (clientKey.isEmpty() ? certs.clientKey : clientKey).toStdString();
        settings.caFile = (ca.isEmpty() ? certs.caCert : ca).toStdString();
        settings.timeoutMs = 800;
        auto listener = std::make_unique<GuardedServer>(limits);
        if (tls)
            listener->setTls(*tls);
        ASSERT_TRUE(listener->listen(QHostAddress::LocalHost, 0));
        port = listener->serverPort();
        server = std::make_unique<MatchmakerServer>(settings, std::move(client));
        server->serve(listener.release());
    }

    std::unique_ptr<RawCall> ask(std::string_view route, const QHostAddress &from = QHostAddress::LocalHost,
                                 const QByteArray &method = "POST", const QByteArray &body = {})
    {
        return std::make_unique<RawCall>(port, requestText(method, path(route), body), from);
    }

    // The answer to one request, waited for.
    std::unique_ptr<RawCall> answered(std::string_view route, const QHostAddress &from = QHostAddress::LocalHost,
                                      const QByteArray &method = "POST", const QByteArray &body = {})
    {
        auto call = ask(route, from, method, body);
        EXPECT_TRUE(waitFor([&] { return call->finished(); }, 5000));
        return call;
    }

    const test::TestCertificates &certs = test::testCertificates();
    std::unique_ptr<test::StandInAllocator> allocator;
    std::unique_ptr<MatchmakerServer> server;
    std::optional<QSslConfiguration> tls;   // the matchmaker's own, when set before start()
    quint16 port = 0;
};

TEST_F(Matchmaker, AsksTheAllocatorForTheRightTableAndAnswersWithItsCode)
{
    const auto quick = answered(offer::QuickRoute);
    ASSERT_EQ(quick->status(), 200) << quick->body().constData();
    const QJsonObject answer = json(quick->body());
    EXPECT_EQ(answer.value(QStringLiteral("address")).toString(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(answer.value(QStringLiteral("port")).toInt(), 17772);
    EXPECT_EQ(answer.value(QStringLiteral("table")).toString(), QStringLiteral("zigzop-x7"));
    const auto code = readTableCode(answer.value(QStringLiteral("code")).toString().toStdString());
    EXPECT_EQ(code.address, (TableAddress{"127.0.0.1", 17772}));

    const auto privately = answered(offer::PrivateRoute);
    ASSERT_EQ(privately->status(), 200);
    ASSERT_EQ(allocator->received.size(), 2u);

    const QJsonObject publicAsk = json(allocator->received[0]);
    EXPECT_EQ(publicAsk.value(QStringLiteral("namespace")).toString(), QStringLiteral("default"));
    const QJsonArray selectors = publicAsk.value(QStringLiteral("gameServerSelectors")).toArray();
    ASSERT_EQ(selectors.size(), 2);
    const QJsonObject first = selectors[0].toObject(), second = selectors[1].toObject();
    EXPECT_EQ(first.value(QStringLiteral("gameServerState")).toString(), QStringLiteral("ALLOCATED"));
    EXPECT_EQ(first.value(QStringLiteral("matchLabels")).toObject(),
              (QJsonObject{{QStringLiteral("agones.dev/fleet"), QStringLiteral("zigzop")},
                           {QStringLiteral("zigzop/mode"), QStringLiteral("public")}}));
    EXPECT_EQ(second.value(QStringLiteral("gameServerState")).toString(), QStringLiteral("READY"));
    EXPECT_FALSE(second.value(QStringLiteral("matchLabels")).toObject().contains(QStringLiteral("zigzop/mode")));
    for (const QJsonObject &selector : {first, second}) {
        EXPECT_EQ(selector[QStringLiteral("lists")][QStringLiteral("players")][QStringLiteral("minAvailable")],
                  QJsonValue(QStringLiteral("1")));
    }
    EXPECT_EQ(publicAsk[QStringLiteral("priorities")][0].toObject(),
              (QJsonObject{{QStringLiteral("type"), QStringLiteral("List")},
                           {QStringLiteral("key"), QStringLiteral("players")},
                           {QStringLiteral("order"), QStringLiteral("Ascending")}}));
    EXPECT_EQ(publicAsk[QStringLiteral("metadata")][QStringLiteral("labels")][QStringLiteral("zigzop/mode")],
              QJsonValue(QStringLiteral("public")));

    const QJsonObject privateAsk = json(allocator->received[1]);
    const QJsonArray privateSelectors = privateAsk.value(QStringLiteral("gameServerSelectors")).toArray();
    ASSERT_EQ(privateSelectors.size(), 1);
    EXPECT_EQ(privateSelectors[0][QStringLiteral("gameServerState")], QJsonValue(QStringLiteral("READY")));
    EXPECT_EQ(privateAsk[QStringLiteral("metadata")][QStringLiteral("labels")][QStringLiteral("zigzop/mode")],
              QJsonValue(QStringLiteral("private")));
}

TEST_F(Matchmaker, MapsTheAllocatorsAnswers)
{
    const struct { const char *name; int allocatorStatus; QByteArray allocatorBody; int status; bool retryAfter; } cases[] = {
        {"no table", 429, R"({"code":8,"message":"there is no available GameServer to allocate"})", 503, true},
        {"overwhelmed", 409, R"({"code":10,"message":"too many concurrent requests"})", 503, true},
        {"our request refused", 400, R"({"code":3,"message":"bad selector"})", 502, false},
        {"allocator broken", 500, "oops", 502, false},
        {"answer without a table", 200, "{}", 502, false},
        {"answer not JSON", 200, "<html>", 502, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        allocator->next = {c.allocatorStatus, c.allocatorBody};
        const auto call = answered(offer::QuickRoute, QHostAddress(QStringLiteral("127.0.1.%1").arg(&c - cases + 1)));
        EXPECT_EQ(call->status(), c.status);
        EXPECT_EQ(!call->header("Retry-After").isEmpty(), c.retryAfter);
        EXPECT_FALSE(json(call->body()).value(QStringLiteral("error")).toString().isEmpty());
    }
    allocator->next.status = 429;
    EXPECT_EQ(json(answered(offer::PrivateRoute)->body()).value(QStringLiteral("error")).toString(),
              QStringLiteral("no table is free; try again in a moment"));
}

TEST_F(Matchmaker, RefusesMalformedRequestsWithoutAskingTheAllocator)
{
    const struct { const char *name; std::string_view route; QByteArray method, body; int status; } cases[] = {
        {"body not JSON", offer::QuickRoute, "POST", "table please", 400},
        {"body a JSON array", offer::PrivateRoute, "POST", "[1,2]", 400},
        {"body over 4 KiB", offer::QuickRoute, "POST", QByteArray(5000, ' '), 413},
        {"wrong method", offer::QuickRoute, "GET", {}, 405},
        {"unknown route", "/v1/tables/secret", "POST", {}, 404},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(answered(c.route, QHostAddress::LocalHost, c.method, c.body)->status(), c.status);
    }
    EXPECT_TRUE(allocator->received.empty());
    EXPECT_EQ(answered(offer::QuickRoute, QHostAddress::LocalHost, "POST", "{}")->status(), 200);
}

TEST_F(Matchmaker, SaysInWordsWhenTheAllocatorCannotBeReached)
{
    const struct { const char *name; bool stranger, wrongCa, gone, stall; } cases[] = {
        {"a stranger's certificate", true, false, false, false},
        {"a CA that did not sign the allocator", false, true, false, false},
        {"the allocator gone", false, false, true, false},
        {"the allocator stops answering", false, false, false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        allocator = std::make_unique<test::StandInAllocator>(certs);
        allocator->next = {200, test::allocationAnswer(QStringLiteral("127.0.0.1"), 17772), c.stall};
        if (c.gone)
            allocator.reset();
        start({}, c.stranger ? certs.strangerCert : QString(), c.stranger ? certs.strangerKey : QString(),
              c.wrongCa ? certs.strangerCa : QString());
        QElapsedTimer clock;
        clock.start();
        const auto call = answered(offer::QuickRoute);
        EXPECT_EQ(call->status(), 502);
        EXPECT_LT(clock.elapsed(), 3000);   // given up after the allocator's time, not hanging on
        const QString error = json(call->body()).value(QStringLiteral("error")).toString();
        EXPECT_TRUE(error.startsWith(QStringLiteral("the allocator cannot be reached: "))) << error.toStdString();
    }
}

TEST_F(Matchmaker, ACallerWhoLeavesWhileTheAllocatorThinksCostsNothing)
{
    allocator->next.stall = true;
    auto leaving = ask(offer::QuickRoute);
    ASSERT_TRUE(waitFor([&] { return !allocator->received.empty(); }));
    leaving.reset();
    // The allocator's time runs out with nobody to answer; the next caller is served.
    ASSERT_TRUE(waitFor([&] { return server->metrics().text().find("status=\"502\"} 1") != std::string::npos; }));
    allocator->next.stall = false;
    EXPECT_EQ(answered(offer::QuickRoute, Other)->status(), 200);
}

TEST_F(Matchmaker, LimitsEachAddress)
{
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(answered(offer::QuickRoute)->status(), 200) << i;
    const auto refused = answered(offer::QuickRoute);
    EXPECT_EQ(refused->status(), 429);
    EXPECT_EQ(refused->header("Retry-After"), "6");
    EXPECT_EQ(answered(offer::QuickRoute, Other)->status(), 200);
    EXPECT_EQ(allocator->received.size(), 6u);
}

TEST_F(Matchmaker, AbusersCostOthersNothing)
{
    enum Abuse { Oversized, Dribbled, IdleFlood };
    const struct { const char *name; Abuse abuse; } cases[] = {
        {"an oversized body", Oversized}, {"a request dribbled byte by byte", Dribbled}, {"a flood of idle connections", IdleFlood}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        GuardedServer::Limits limits;
        limits.requestDeadlineMs = 1000;
        limits.maxConnectionsPerAddress = 10;
        start(limits);
        std::vector<std::unique_ptr<RawCall>> abusers;
        QTimer dribble;
        if (c.abuse == Oversized) {
            abusers.push_back(std::make_unique<RawCall>(
                port, requestText("POST", path(offer::QuickRoute), QByteArray(200000, '{')), Abuser));
        } else if (c.abuse == Dribbled) {
            abusers.push_back(std::make_unique<RawCall>(port, QByteArray(), Abuser));
            const QByteArray text = requestText("POST", path(offer::QuickRoute));
            QObject::connect(&dribble, &QTimer::timeout, &dribble, [&abusers, text, sent = qsizetype(0)]() mutable {
                if (sent < text.size())
                    abusers.front()->socket().write(text.mid(sent++, 1));
            });
            dribble.start(200);
        } else {
            for (int i = 0; i < 30; ++i)
                abusers.push_back(std::make_unique<RawCall>(port, QByteArray(), Abuser));
        }
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(answered(offer::QuickRoute, Other)->status(), 200);
        EXPECT_LT(clock.elapsed(), 900);
        // Every abuser is cut: at once when over a bound, else at the deadline.
        EXPECT_TRUE(waitFor([&] {
            return std::all_of(abusers.begin(), abusers.end(), [](const auto &a) { return a->closed(); });
        }, 4000));
        for (const auto &abuser : abusers)
            EXPECT_EQ(abuser->status(), 0);
        EXPECT_TRUE(QByteArray::fromStdString(server->metrics().text()).contains("connections_cut_total{reason="));
    }
}

TEST_F(Matchmaker, SpeaksTlsWhenGivenACertificate)
{
    QString error;
    tls = GuardedServer::tlsConfiguration(certs.serverCert, certs.serverKey, &error);
    ASSERT_TRUE(tls) << error.toStdString();
    start();
    RawCall secure(port, requestText("POST", path(offer::QuickRoute)), QHostAddress::LocalHost, certs.caCert);
    EXPECT_TRUE(waitFor([&] { return secure.finished(); }));
    EXPECT_EQ(secure.status(), 200);
    // Plain HTTP on the TLS port is cut, not answered in the clear.
    RawCall plain(port, requestText("POST", path(offer::QuickRoute)), Other);
    EXPECT_TRUE(waitFor([&] { return plain.closed(); }));
    EXPECT_EQ(plain.status(), 0);
    EXPECT_FALSE(GuardedServer::tlsConfiguration(certs.serverCert, certs.caCert, &error));
}

TEST_F(Matchmaker, CountsRequestsAndAllocatorAnswers)
{
    EXPECT_EQ(answered(offer::QuickRoute)->status(), 200);
    allocator->next = {429, {}};
    EXPECT_EQ(answered(offer::PrivateRoute)->status(), 503);
    EXPECT_EQ(answered(offer::HealthRoute, QHostAddress::LocalHost, "GET")->status(), 200);
    const auto metrics = answered(offer::MetricsRoute, QHostAddress::LocalHost, "GET");
    ASSERT_EQ(metrics->status(), 200);
    const QByteArray text = metrics->body();
    for (const char *line : {"zigzop_matchmaker_requests_total{route=\"quick\",status=\"200\"} 1\n",
                             "zigzop_matchmaker_requests_total{route=\"private\",status=\"503\"} 1\n",
                             "zigzop_matchmaker_requests_total{route=\"healthz\",status=\"200\"} 1\n",
                             "zigzop_matchmaker_allocator_answers_total{status=\"200\"} 1\n",
                             "zigzop_matchmaker_allocator_answers_total{status=\"429\"} 1\n",
                             "zigzop_matchmaker_allocator_seconds_bucket{le=\"+Inf\"} 2\n",
                             "zigzop_matchmaker_allocator_seconds_count 2\n"}) {
        EXPECT_TRUE(text.contains(line)) << line << text.constData();
    }
}

} // namespace
