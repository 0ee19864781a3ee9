// The matchmaker's plain parts: the per-address limit and the allocator's answer.
#include "matchmaker/addresslimiter.h"
#include "matchmaker/allocatorjson.h"
#include "matchmaker/guardedserver.h"
#include "matchmaker/matchmakeroptions.h"

#include <QHostAddress>

#include <gtest/gtest.h>

using namespace zz;
using namespace std::chrono_literals;

TEST(AddressLimiter, FiveAtOnceThenOneEverySixSecondsPerAddress)
{
    AddressLimiter limiter(10, 5);
    const AddressLimiter::Time start{};
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(limiter.take("a", start)) << i;
    EXPECT_FALSE(limiter.take("a", start));
    EXPECT_TRUE(limiter.take("b", start));
    EXPECT_FALSE(limiter.take("a", start + 5900ms));
    EXPECT_TRUE(limiter.take("a", start + 6s));
    EXPECT_FALSE(limiter.take("a", start + 6s));
    // A minute of rest fills the bucket again, and no more than that.
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(limiter.take("a", start + 10min)) << i;
    EXPECT_FALSE(limiter.take("a", start + 10min));
}

TEST(AddressLimiter, AFloodOfAddressesCannotGrowWithoutEnd)
{
    AddressLimiter limiter(10, 5, 3);
    const AddressLimiter::Time start{};
    for (const char *address : {"a", "b", "c"})
        EXPECT_TRUE(limiter.take(address, start));
    EXPECT_FALSE(limiter.take("d", start));   // every entry still busy
    EXPECT_TRUE(limiter.take("a", start));    // known addresses keep their tokens
    EXPECT_TRUE(limiter.take("d", start + 1min));   // the full buckets were forgotten
    EXPECT_LE(limiter.trackedAddresses(), 3u);
}

TEST(AllocatorAnswer, NamesATableOnlyWithAnAddressAndAPort)
{
    const struct { const char *name; QByteArray body; std::optional<AllocatedTable> table; } cases[] = {
        {"as documented",
         R"({"gameServerName":"gs-1","ports":[{"name":"default","port":7463}],"address":"1.2.3.4"})",
         AllocatedTable{"gs-1", "1.2.3.4", 7463}},
        {"the default port among several",
         R"({"gameServerName":"gs","ports":[{"name":"metrics","port":9},{"name":"default","port":7772}],"address":"h"})",
         AllocatedTable{"gs", "h", 7772}},
        {"no address", R"({"ports":[{"name":"default","port":7463}]})", std::nullopt},
        {"no ports", R"({"address":"1.2.3.4","ports":[]})", std::nullopt},
        {"port 0", R"({"address":"1.2.3.4","ports":[{"port":0}]})", std::nullopt},
        {"port too large", R"({"address":"1.2.3.4","ports":[{"port":65536}]})", std::nullopt},
        {"port not whole", R"({"address":"1.2.3.4","ports":[{"port":7.5}]})", std::nullopt},
        {"port as text", R"({"address":"1.2.3.4","ports":[{"port":"7463"}]})", std::nullopt},
        {"not an object", R"([1,2])", std::nullopt},
        {"not JSON", "there is no table", std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readAllocation(c.body), c.table);
    }
}

TEST(MatchmakerOptions, ReadsTheCommandLineAndSaysWhatIsWrong)
{
    const QStringList base = {QStringLiteral("--matchmaker"), QStringLiteral("--allocator"),
                              QStringLiteral("https://alloc.example/"), QStringLiteral("--client-cert"),
                              QStringLiteral("c"), QStringLiteral("--client-key"), QStringLiteral("k"),
                              QStringLiteral("--ca"), QStringLiteral("a")};
    QString error;
    const auto options = readMatchmakerOptions(base + QStringList{QStringLiteral("--listen"), QStringLiteral("[::1]:18500"),
                                                                  QStringLiteral("--fleet"), QStringLiteral("f")},
                                               &error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->listenAddress, QStringLiteral("::1"));
    EXPECT_EQ(options->listenPort, 18500);
    EXPECT_EQ(options->allocator.url, "https://alloc.example");
    EXPECT_EQ(options->allocator.target.fleet, "f");
    EXPECT_EQ(options->allocator.target.namespaceName, "default");

    const struct { const char *name; QStringList arguments; } refusals[] = {
        {"no listen", base},
        {"port 0", base + QStringList{QStringLiteral("--listen"), QStringLiteral("0")}},
        {"plain http allocator",
         QStringList{QStringLiteral("--listen"), QStringLiteral("80"), QStringLiteral("--allocator"),
                     QStringLiteral("http://a"), QStringLiteral("--client-cert"), QStringLiteral("c"),
                     QStringLiteral("--client-key"), QStringLiteral("k"), QStringLiteral("--ca"), QStringLiteral("a")}},
        {"tls cert without key",
         base + QStringList{QStringLiteral("--listen"), QStringLiteral("80"), QStringLiteral("--tls-cert"), QStringLiteral("x")}},
        {"unknown option", base + QStringList{QStringLiteral("--listen"), QStringLiteral("80"), QStringLiteral("--x")}},
        {"value missing", base + QStringList{QStringLiteral("--listen")}},
    };
    for (const auto &r : refusals) {
        SCOPED_TRACE(r.name);
        error.clear();
        EXPECT_FALSE(readMatchmakerOptions(r.arguments, &error));
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(GuardedServer, CountsCallersByAddressOrIpv6Network)
{
    const struct { const char *address, *caller; } cases[] = {
        {"203.0.113.9", "203.0.113.9"},
        {"::ffff:203.0.113.9", "203.0.113.9"},   // the same caller over a dual-stack socket
        {"2001:db8:1:2:aaaa::1", "2001:db8:1:2::/64"},
        {"2001:db8:1:2:bbbb::7", "2001:db8:1:2::/64"},
        {"::1", "::/64"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(GuardedServer::callerOf(QHostAddress(QString::fromLatin1(c.address))), QString::fromLatin1(c.caller));
    }
}
