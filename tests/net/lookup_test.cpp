#include "net/hostlookup.h"
#include "net/streamsocket.h"

#include "socketfixture.h"

#include <arpa/inet.h>

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
