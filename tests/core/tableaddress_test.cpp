#include "core/tableaddress.h"

#include <gtest/gtest.h>

using zz::TableAddress;
using zz::parseTableAddress;

TEST(TableAddress, ReadsEveryForm)
{
    const struct
    {
        const char *text;
        std::optional<TableAddress> address;
    } cases[] = {
        {"127.0.0.1", TableAddress{"127.0.0.1", 7772}},
        {"  table.example:8000 ", TableAddress{"table.example", 8000}},
        {"[::1]:17772", TableAddress{"::1", 17772}},
        {"[::1]", TableAddress{"::1", 7772}},
        {"::1", TableAddress{"::1", 7772}},
        {"fe80::1:2", TableAddress{"fe80::1:2", 7772}},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {":7772", std::nullopt},
        {"[]:7772", std::nullopt},
        {"host:", std::nullopt},
        {"host:0", std::nullopt},
        {"host:65536", std::nullopt},
        {"host:77x", std::nullopt},
        {"host:-1", std::nullopt},
        {"[::1", std::nullopt},
        {"[::1]7772", std::nullopt},
        {"[::1]:", std::nullopt},
        {"two words:7772", std::nullopt},
        {"[::1]]:7772", std::nullopt},
        {"[a]b]:7772", std::nullopt},
        {"[%]:7", std::nullopt},   // found by fuzzing: brackets round no IPv6 address
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseTableAddress(c.text, 7772), c.address);
    }
}

TEST(TableAddress, ControlBytesMakeNoHost)
{
    // Found by fuzzing: the bytes were taken for a bare IPv6 address.
    EXPECT_EQ(parseTableAddress(std::string_view("\0\0[::0]:17772", 14), 7772), std::nullopt);
}

TEST(TableAddress, TextReadsBackAsTheSameAddress)
{
    for (const TableAddress &address : {TableAddress{"10.0.0.2", 7772}, TableAddress{"::1", 9000},
                                       TableAddress{"fe80::1", 7772}, TableAddress{"host", 1}}) {
        const std::string text = zz::tableAddressText(address, 7772);
        SCOPED_TRACE(text);
        EXPECT_EQ(parseTableAddress(text, 7772), address);
    }
    EXPECT_EQ(zz::tableAddressText({"::1", 7772}, 7772), "[::1]");
    EXPECT_EQ(zz::tableAddressText({"host", 7772}, 7772), "host");
}
