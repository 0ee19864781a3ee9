#pragma once
// Where a table is: "HOST", "HOST:PORT", "[IPV6]:PORT", "[IPV6]" or a bare
// IPv6 address. Plain rules, no look-ups.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zz {

struct TableAddress
{
    std::string host;   // a name, a dotted IPv4 address, or an IPv6 address without brackets
    std::uint16_t port = 0;

    bool operator==(const TableAddress &) const = default;
};

// nullopt for an empty host, a host with characters no name or address has
// (blanks, brackets, control bytes), an unclosed bracket, text after the
// bracket other than ":PORT", or a port that is not a decimal number in
// 1..65535.
// A text without a port gets defaultPort.
std::optional<TableAddress> parseTableAddress(std::string_view text, std::uint16_t defaultPort);

// The text a player types to reach the address: brackets around an IPv6
// host, and the port unless it is defaultPort.
std::string tableAddressText(const TableAddress &address, std::uint16_t defaultPort);

} // namespace zz
