#include "core/ipaddress.h"

#include <charconv>
#include <vector>

namespace zz {

namespace {

std::optional<Ipv4Bytes> parseIpv4(std::string_view text)
{
    Ipv4Bytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto dot = text.find('.');
        const std::string_view part = text.substr(0, dot);
        if ((dot == std::string_view::npos) != (i == 3) || part.empty() || part.size() > 3
            || (part.size() > 1 && part[0] == '0'))
            return std::nullopt;
        unsigned value = 0;
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (error != std::errc{} || end != part.data() + part.size() || value > 255)
            return std::nullopt;
        bytes[i] = static_cast<std::uint8_t>(value);
        text.remove_prefix(dot == std::string_view::npos ? text.size() : dot + 1);
    }
    return bytes;
}

// Groups separated by ':'; a trailing dotted IPv4 counts as two groups.
std::optional<std::vector<std::uint16_t>> ipv6Groups(std::string_view text)
{
    std::vector<std::uint16_t> groups;
    if (text.empty())
        return groups;
    while (true) {
        const auto colon = text.find(':');
        const std::string_view part = text.substr(0, colon);
        if (colon == std::string_view::npos && part.find('.') != std::string_view::npos) {
            const auto v4 = parseIpv4(part);
            if (!v4)
                return std::nullopt;
            groups.push_back(static_cast<std::uint16_t>((*v4)[0] << 8 | (*v4)[1]));
            groups.push_back(static_cast<std::uint16_t>((*v4)[2] << 8 | (*v4)[3]));
            return groups;
        }
        unsigned value = 0;
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value, 16);
        if (part.empty() || part.size() > 4 || error != std::errc{} || end != part.data() + part.size())
            return std::nullopt;
        groups.push_back(static_cast<std::uint16_t>(value));
        if (colon == std::string_view::npos || groups.size() > 8)
            return groups;
        text.remove_prefix(colon + 1);
    }
}

std::optional<Ipv6Bytes> parseIpv6(std::string_view text)
{
    const auto gap = text.find("::");
    std::optional<std::vector<std::uint16_t>> head = ipv6Groups(text.substr(0, gap));
    std::optional<std::vector<std::uint16_t>> tail = std::vector<std::uint16_t>{};
    if (gap != std::string_view::npos) {
        const std::string_view rest = text.substr(gap + 2);
        if (rest.find("::") != std::string_view::npos)
            return std::nullopt;
        tail = ipv6Groups(rest);
    }
    if (!head || !tail)
        return std::nullopt;
    const std::size_t count = head->size() + tail->size();
    if (gap == std::string_view::npos ? count != 8 : count > 7)
        return std::nullopt;
    // A dotted part may only end the address.
    if (gap != std::string_view::npos && !head->empty() && text.substr(0, gap).find('.') != std::string_view::npos)
        return std::nullopt;
    head->resize(8 - tail->size(), 0);
    head->insert(head->end(), tail->begin(), tail->end());
    Ipv6Bytes bytes{};
    for (std::size_t i = 0; i < 8; ++i) {
        bytes[2 * i] = static_cast<std::uint8_t>((*head)[i] >> 8);
        bytes[2 * i + 1] = static_cast<std::uint8_t>((*head)[i] & 0xff);
    }
    return bytes;
}

std::string ipv6Text(const Ipv6Bytes &bytes)
{
    std::array<unsigned, 8> groups{};
    for (std::size_t i = 0; i < 8; ++i)
        groups[i] = static_cast<unsigned>(bytes[2 * i] << 8 | bytes[2 * i + 1]);
    // The longest run of two or more zero groups, the first of equals.
    std::size_t bestStart = 8, bestLength = 1;
    for (std::size_t i = 0; i < 8;) {
        std::size_t j = i;
        while (j < 8 && groups[j] == 0)
            ++j;
        if (j - i > bestLength)
            bestStart = i, bestLength = j - i;
        i = j == i ? i + 1 : j;
    }
    std::string text;
    char digits[8];
    for (std::size_t i = 0; i < 8; ++i) {
        if (i == bestStart) {
            text += "::";
            i += bestLength - 1;
            continue;
        }
        if (!text.empty() && text.back() != ':')
            text += ':';
        const auto end = std::to_chars(digits, digits + sizeof digits, groups[i], 16).ptr;
        text.append(digits, end);
    }
    return text;
}

} // namespace

std::optional<IpBytes> parseIpAddress(std::string_view text)
{
    if (text.find(':') == std::string_view::npos) {
        if (auto v4 = parseIpv4(text))
            return IpBytes(*v4);
        return std::nullopt;
    }
    if (auto v6 = parseIpv6(text))
        return IpBytes(*v6);
    return std::nullopt;
}

std::string ipAddressText(const IpBytes &address)
{
    if (const auto *v4 = std::get_if<Ipv4Bytes>(&address)) {
        return std::to_string((*v4)[0]) + '.' + std::to_string((*v4)[1]) + '.' + std::to_string((*v4)[2]) + '.'
               + std::to_string((*v4)[3]);
    }
    return ipv6Text(std::get<Ipv6Bytes>(address));
}

bool isUsableTableAddress(const IpBytes &address)
{
    if (const auto *v4 = std::get_if<Ipv4Bytes>(&address))
        return (*v4)[0] != 0 && (*v4)[0] < 224;   // 0/8 unspecified, 224/4 multicast, 240/4 and broadcast
    const auto &v6 = std::get<Ipv6Bytes>(address);
    if (v6[0] == 0xff)
        return false;   // multicast
    for (const auto byte : v6) {
        if (byte != 0)
            return true;
    }
    return false;   // unspecified
}

} // namespace zz
