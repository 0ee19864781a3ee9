#pragma once
// Numeric IPv4 and IPv6 addresses as bytes and text, without the system's
// resolver (the table codes must read the same everywhere).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace zz {

using Ipv4Bytes = std::array<std::uint8_t, 4>;
using Ipv6Bytes = std::array<std::uint8_t, 16>;
using IpBytes = std::variant<Ipv4Bytes, Ipv6Bytes>;

// nullopt unless text is a dotted IPv4 address ("1.2.3.4", no leading zeros)
// or an IPv6 address in any of its written forms, without brackets or zone.
std::optional<IpBytes> parseIpAddress(std::string_view text);

// The dotted IPv4 text, or the shortest IPv6 text (longest zero run as "::").
std::string ipAddressText(const IpBytes &address);

// False for addresses no table can listen on: unspecified, multicast,
// broadcast and the reserved IPv4 block above 240.0.0.0.
bool isUsableTableAddress(const IpBytes &address);

} // namespace zz
