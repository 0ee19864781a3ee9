#include "core/tablecode.h"
#include "core/ipaddress.h"

#include <gtest/gtest.h>

using zz::TableAddress;
using zz::TableCodeError;
using zz::makeTableCode;
using zz::readTableCode;

TEST(TableCode, RoundTripsAddressesAndPorts)
{
    const struct { const char *host; std::uint16_t port; const char *readBack; std::size_t length; } cases[] = {
        {"127.0.0.1", 7772, "127.0.0.1", 11},
        {"1.2.3.4", 1, "1.2.3.4", 11},
        {"223.255.255.255", 65535, "223.255.255.255", 11},
        {"10.0.0.0", 7463, "10.0.0.0", 11},
        {"::1", 7772, "::1", 34},
        {"2001:db8::7", 65535, "2001:db8::7", 34},
        {"2001:DB8:0:0:1:0:0:1", 7000, "2001:db8::1:0:0:1", 34},
        {"fe80::", 1, "fe80::", 34},
        {"::ffff:192.0.2.1", 7772, "::ffff:c000:201", 34},
        {"1:2:3:4:5:6:7:8", 2, "1:2:3:4:5:6:7:8", 34},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.host);
        const auto code = makeTableCode(c.host, c.port);
        ASSERT_TRUE(code);
        EXPECT_EQ(code->size(), c.length);
        const auto reading = readTableCode(*code);
        EXPECT_EQ(reading.error, TableCodeError::None);
        EXPECT_EQ(reading.address, (TableAddress{c.readBack, c.port}));
    }
}

TEST(TableCode, ForgivesCaseHyphensBlanksAndLookalikes)
{
    // Find a code holding 1 and 0 so the look-alike letters have something to stand for.
    std::string code;
    for (std::uint16_t port = 7772; code.find('1') == std::string::npos || code.find('0') == std::string::npos; ++port)
        code = *makeTableCode("10.1.0.1", port);
    const auto want = readTableCode(code).address;
    ASSERT_TRUE(want);
    auto swapped = [&code](char from, char to) {
        std::string text = code;
        for (char &c : text)
            c = c == from ? to : c;
        return text;
    };
    std::string bare = code, lower = code;
    std::erase(bare, '-');
    for (char &c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string forms[] = {lower, bare, " " + code + " ", bare.substr(0, 3) + "-" + bare.substr(3),
                                 swapped('1', 'I'), swapped('1', 'l'), swapped('1', 'L'), swapped('0', 'O'),
                                 swapped('0', 'o'), swapped('1', 'i')};
    for (const auto &form : forms) {
        SCOPED_TRACE(form);
        EXPECT_EQ(readTableCode(form).address, want);
        EXPECT_TRUE(zz::looksLikeTableCode(form));
    }
}

TEST(TableCode, RefusesWithAReason)
{
    const std::string good = *makeTableCode("192.0.2.10", 7772);
    const struct { std::string code; TableCodeError error; } cases[] = {
        {"", TableCodeError::WrongLength},
        {good.substr(0, good.size() - 1), TableCodeError::WrongLength},
        {good + "7", TableCodeError::WrongLength},
        {"K7Q2M-9XA3U", TableCodeError::BadCharacter},
        {"K7Q2M.9XA3T", TableCodeError::BadCharacter},
        {std::string("K7Q2M\0" "9XA3T", 11), TableCodeError::BadCharacter},
        {"K7Q2M-9XA3T-\xc3\xa9", TableCodeError::BadCharacter},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        const auto reading = readTableCode(c.code);
        EXPECT_EQ(reading.error, c.error);
        EXPECT_FALSE(reading.address);
        EXPECT_FALSE(zz::tableCodeErrorText(reading).empty());
    }
    EXPECT_NE(zz::tableCodeErrorText(readTableCode("K7Q2M-9XA3U")).find('U'), std::string::npos);
}

TEST(TableCode, TellsCodesFromHostNames)
{
    const struct { const char *text; bool code; } cases[] = {
        {"K7Q2M-9XA3U", true},   // a code with a wrong letter is still read as a code
        {"k7q2m9xa3t", true},    {"gameserver", false},  {"gamer-serve", true},
        {"table.local", false},  {"10.0.0.1", false},    {"K7Q2M-9XA3", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(zz::looksLikeTableCode(c.text), c.code);
    }
}

TEST(TableCode, UnusableAddressesMakeNoCode)
{
    const struct { const char *host; std::uint16_t port; } cases[] = {
        {"0.0.0.0", 7772}, {"0.1.2.3", 7772}, {"1.2.3.4", 0}, {"224.0.0.1", 7772}, {"239.1.1.1", 7772},
        {"255.255.255.255", 7772}, {"240.0.0.1", 7772}, {"::", 7772}, {"ff02::1", 7772},
        {"table.example", 7772}, {"1.2.3", 7772}, {"01.2.3.4", 7772}, {"1.2.3.256", 7772},
        {"1::2::3", 7772}, {"1:2:3:4:5:6:7:8:9", 7772}, {"1.2.3.4::", 7772}, {"::1%eth0", 7772},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.host);
        EXPECT_FALSE(makeTableCode(c.host, c.port));
    }
}

TEST(TableCode, CodesOfUnusableAddressesAreRefused)
{
    // Codes made by hand, bypassing makeTableCode's refusal: every 10-character
    // code whose check passes and that names 0.0.0.0 or port 0 must be refused.
    int refusedUnusable = 0;
    for (const char *code : {"00000-00000", "00000-00001", "00000-00002", "00000-00003", "40000-00000",
                             "80000-00000", "C0000-00000"}) {
        const auto reading = readTableCode(code);
        EXPECT_FALSE(reading.address);
        refusedUnusable += reading.error == TableCodeError::UnusableAddress;
    }
    EXPECT_GE(refusedUnusable, 1);   // one of the four check values matches
}

TEST(TableCode, MostSingleCharacterSlipsAreCaught)
{
    // A misread character should rarely name another table: count how often it does.
    const std::string code = *makeTableCode("203.0.113.5", 7772);
    int slips = 0, caught = 0;
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (code[i] == '-')
            continue;
        for (const char c : std::string_view("0123456789ABCDEFGHJKMNPQRSTVWXYZ")) {
            if (c == code[i])
                continue;
            std::string slip = code;
            slip[i] = c;
            ++slips;
            caught += !readTableCode(slip).address;
        }
    }
    EXPECT_GT(caught * 100 / slips, 60);
}
