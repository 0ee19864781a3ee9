#include "net/hostlookup.h"
#include "net/lookuplater.h"
#include "net/streamsocket.h"

#include "socketfixture.h"
#include "support/waitfor.h"

#include <QObject>

#include <arpa/inet.h>

#include <memory>
#include <future>
#include <thread>

using namespace zz;
using zz::test::socketErrorOf;

TEST(SocketErrorName, NamesTheWindowsSocketsCodesAndNothingBetween)
{
    const struct {
        int code;
        const char *name;
    } cases[] = {
        {10004, "WSAEINTR"},          {10003, "UNKNOWN ERROR"},     {10035, "WSAEWOULDBLOCK"},
        {10034, "UNKNOWN ERROR"},     {10054, "WSAECONNRESET"},     {10061, "WSAECONNREFUSED"},
        {10071, "WSAEREMOTE"},        {10072, "UNKNOWN ERROR"},     {10090, "UNKNOWN ERROR"},
        {10091, "WSASYSNOTREADY"},    {10093, "WSANOTINITIALISED"}, {10094, "UNKNOWN ERROR"},
        {10101, "WSAEDISCON"},        {11000, "UNKNOWN ERROR"},     {11001, "WSAHOST_NOT_FOUND"},
        {11004, "WSANO_DATA"},        {11005, "UNKNOWN ERROR"},     {0, "UNKNOWN ERROR"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(socketErrorName(c.code), c.name);
    }
}

TEST(HostLookup, ResolvesANameOnceWhateverItsCase)
{
    const auto loopback = net::IpAddress::v4(htonl(INADDR_LOOPBACK));
    try {
        EXPECT_EQ(net::lookUpHost("localhost"), loopback);
    } catch (const SocketError &) {
        GTEST_SKIP() << "this system has no hosts table naming localhost";
    }
    const std::size_t cached = net::cachedHostCount();
    EXPECT_EQ(net::lookUpHost("LocalHost"), loopback);
    EXPECT_EQ(net::lookUpHost("LOCALHOST"), loopback);
    EXPECT_EQ(net::cachedHostCount(), cached);

    EXPECT_EQ(net::lookUpHost(""), net::IpAddress::v4(htonl(INADDR_ANY)));
    net::IpAddress v6Loopback{true, {}};
    v6Loopback.bytes[15] = 1;
    EXPECT_EQ(net::lookUpHost("::1"), v6Loopback);
    EXPECT_EQ(socketErrorOf([] { net::lookUpHost("::1::2"); }), "Host Lookup - Could Not Find Host Entry");
    EXPECT_EQ(net::lookUpHost("127.0.0.1"), loopback);
    EXPECT_EQ(socketErrorOf([] { net::lookUpHost("300.1.2.3"); }), "Host Lookup - Could Not Find Host Entry");
}

TEST(PortLookup, TakesNumbersAsNumbersAndRejectsWhatIsNoPort)
{
    EXPECT_EQ(net::lookUpPort("7772"), 7772);
    EXPECT_EQ(net::lookUpPort("0"), 0);
    for (const char *bad : {"7772x", "70000", "", "no-such-service-here"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(socketErrorOf([&] { net::lookUpPort(bad); }), "Port Lookup - Could Not Find Service Entry");
    }
}

TEST(PortLookup, LooksUpServiceNames)
{
    std::uint16_t port = 0;
    try {
        port = net::lookUpPort("http");
    } catch (const SocketError &) {
        GTEST_SKIP() << "this system has no services table";
    }
    EXPECT_EQ(port, 80);
}

TEST(HostLookupLater, AnswersThroughTheEventLoopAndCachesWhatResolved)
{
    const auto address = net::IpAddress::v4(htonl(0x7f000005));
    const struct {
        const char *name;
        std::optional<net::IpAddress> answer;
    } cases[] = {{"later-resolves.test", address}, {"later-fails.test", std::nullopt}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QObject context;
        std::optional<std::optional<net::IpAddress>> got;
        std::thread::id resolvedOn;
        net::lookUpHostLater(c.name, context, [&](std::optional<net::IpAddress> a) { got = a; },
                             [&](const std::string &name) {
                                 resolvedOn = std::this_thread::get_id();
                                 return name == c.name ? c.answer : std::nullopt;
                             });
        EXPECT_FALSE(got.has_value()); // never from inside the call
        ASSERT_TRUE(zz::test::waitFor([&] { return got.has_value(); }));
        EXPECT_EQ(*got, c.answer);
        EXPECT_NE(resolvedOn, std::this_thread::get_id());
        EXPECT_EQ(net::resolvesAtOnce(c.name), c.answer.has_value());
    }
    EXPECT_EQ(net::lookUpHost("LATER-resolves.test"), address);
}

TEST(HostLookupLater, AContextGoneBeforeTheAnswerHearsNothing)
{
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    // The worker drops its resolver, and this with it, once it has handed
    // the answer over or found nobody to hand it to.
    auto token = std::make_shared<int>(0);
    const std::weak_ptr<int> workerDone = token;
    bool called = false;
    {
        QObject context;
        net::lookUpHostLater("later-gone.test", context, [&](std::optional<net::IpAddress>) { called = true; },
                             [released, token = std::move(token)](const std::string &) {
                                 released.wait();
                                 return std::optional(net::IpAddress::v4(htonl(0x7f000006)));
                             });
    }
    release.set_value();
    ASSERT_TRUE(zz::test::waitFor([&] { return workerDone.expired(); }));
    EXPECT_TRUE(zz::test::runUntilIdle());
    EXPECT_FALSE(called);
    EXPECT_FALSE(net::resolvesAtOnce("later-gone.test"));
}
