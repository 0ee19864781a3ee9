#include "core/tableaddress.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace zz {

namespace {

std::optional<std::uint16_t> portNumber(std::string_view text)
{
    unsigned value = 0;
    const char *end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || rest != end || value == 0 || value > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

// A host name (letters, digits, '.', '-', '_', or any byte of a UTF-8
// name), or an IPv6 address (hexadecimal digits, ':', '.' and a '%' zone).
bool plausibleHost(std::string_view host, bool ipv6)
{
    if (ipv6 && host.find(':') == std::string_view::npos)
        return false;
    return std::all_of(host.begin(), host.end(), [ipv6](char c) {
        const auto u = static_cast<unsigned char>(c);
        if (ipv6)
            return std::isalnum(u) || c == ':' || c == '.' || c == '%';
        return std::isalnum(u) || c == '.' || c == '-' || c == '_' || u >= 0x80;
    });
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::optional<TableAddress> parseTableAddress(std::string_view text, std::uint16_t defaultPort)
{
    text = trimmed(text);
    std::string_view host = text;
    std::optional<std::uint16_t> port = defaultPort;
    bool ipv6 = false;
    if (text.starts_with('[')) {
        ipv6 = true;
        const auto close = text.find(']');
        if (close == std::string_view::npos)
            return std::nullopt;
        host = text.substr(1, close - 1);
        const std::string_view rest = text.substr(close + 1);
        if (!rest.empty())
            port = rest.starts_with(':') ? portNumber(rest.substr(1)) : std::nullopt;
    } else if (const auto colon = text.find(':'); colon != std::string_view::npos) {
        // More than one colon without brackets can only be a bare IPv6 address.
        if (text.find(':', colon + 1) == std::string_view::npos) {
            host = text.substr(0, colon);
            port = portNumber(text.substr(colon + 1));
        } else {
            ipv6 = true;
        }
    }
    if (host.empty() || !port || !plausibleHost(host, ipv6))
        return std::nullopt;
    return TableAddress{std::string(host), *port};
}

std::string tableAddressText(const TableAddress &address, std::uint16_t defaultPort)
{
    const bool ipv6 = address.host.find(':') != std::string::npos;
    std::string text = ipv6 ? "[" + address.host + "]" : address.host;
    if (address.port != defaultPort)
        text += ":" + std::to_string(address.port);
    return text;
}

} // namespace zz
