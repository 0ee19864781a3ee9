#include "http/httpclient.h"

#include "support/standinsidecar.h"
#include "support/waitfor.h"

#include <QTcpServer>

#include <gtest/gtest.h>

#include <optional>

using namespace zz;
using zz::test::StandInSidecar;

namespace {

std::unique_ptr<HttpClient> client()
{
    std::string error;
    auto made = makeHttpClient({ZZ_HTTP_MODULE}, &error);
    EXPECT_TRUE(made) << error;
    return made;
}

std::string urlOf(const StandInSidecar &server, const std::string &path)
{
    return "http://127.0.0.1:" + std::to_string(server.port()) + path;
}

HttpRequest request(std::string method, std::string url, std::string body, int timeoutMs = 5000)
{
    HttpRequest r;
    r.method = std::move(method);
    r.url = std::move(url);
    r.body = std::move(body);
    r.headers = {{"Content-Type", "application/json"}};
    r.timeoutMs = timeoutMs;
    return r;
}

// Sends one request and waits for its answer.
std::optional<HttpReply> exchange(HttpClient &http, HttpRequest request)
{
    std::optional<HttpReply> got;
    http.send(std::move(request), [&](const HttpReply &reply) { got = reply; });
    test::waitFor([&] { return got.has_value(); }, 10000);
    return got;
}

} // namespace

TEST(HttpClient, RefusesAModuleThatIsNotThere)
{
    std::string error;
    EXPECT_FALSE(makeHttpClient({"/nonexistent/zigzop-http.so"}, &error));
    EXPECT_NE(error.find("cannot be loaded"), std::string::npos) << error;
}

TEST(HttpClient, AnswersAndFailuresComeBackInWords)
{
    StandInSidecar server;
    ASSERT_NE(server.start(), 0);
    server.fail(QStringLiteral("/broken"), {500, R"({"code":2,"message":"no"})"});
    server.fail(QStringLiteral("/stall"), {0, {}});
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const std::string refusedUrl = "http://127.0.0.1:" + std::to_string(closed.serverPort()) + "/health";
    closed.close();

    const struct
    {
        const char *name;
        HttpRequest request;
        int status;
        const char *bodyOrError;
    } cases[] = {
        {"an answer", request("POST", urlOf(server, "/health"), "{}"), 200, "{}"},
        {"a list", request("GET", urlOf(server, "/v1beta1/lists/players"), ""), 200, "\"players\""},
        {"a 500 with its body", request("POST", urlOf(server, "/broken"), "{}"), 500, "\"no\""},
        {"a body the server refuses", request("POST", urlOf(server, "/health"), ""), 400, "\"code\""},
        {"a stall", request("POST", urlOf(server, "/stall"), "{}", 300), 0, "timed out after 1 s"},
        {"a refused connection", request("POST", refusedUrl, "{}"), 0, "connection refused"},
    };
    std::unique_ptr<HttpClient> http = client();
    ASSERT_TRUE(http);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<HttpReply> reply = exchange(*http, c.request);
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->status, c.status);
        const std::string &text = c.status ? reply->body : reply->error;
        EXPECT_NE(text.find(c.bodyOrError), std::string::npos) << text;
    }
    EXPECT_EQ(server.requestsTo(QStringLiteral("/health")).front().body, "{}");
}

TEST(HttpClient, DoneRunsLaterOnceAndMaySendOrEndTheClient)
{
    StandInSidecar server;
    ASSERT_NE(server.start(), 0);
    std::unique_ptr<HttpClient> http = client();
    ASSERT_TRUE(http);

    int calls = 0;
    bool insideSend = false;
    std::optional<HttpReply> second;
    const HttpRequest ping = request("POST", urlOf(server, "/health"), "{}");
    insideSend = true;
    http->send(ping, [&](const HttpReply &) {
        EXPECT_FALSE(insideSend);
        ++calls;
        http->send(ping, [&](const HttpReply &reply) {
            second = reply;
            http.reset(); // a client may end inside its own callback
        });
    });
    insideSend = false;
    ASSERT_TRUE(test::waitFor([&] { return second.has_value(); }));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(second->status, 200);
    EXPECT_FALSE(http);

    // cancelAll(): the callback never runs.
    http = client();
    bool ran = false;
    http->send(ping, [&](const HttpReply &) { ran = true; });
    http->cancelAll();
    const std::size_t before = server.requests.size();
    ASSERT_TRUE(test::waitFor([&] { return exchange(*http, ping).has_value(); }));
    EXPECT_FALSE(ran);
    EXPECT_GE(server.requests.size(), before + 1);
}
