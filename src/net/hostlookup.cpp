#include "net/hostlookup.h"

#include "net/streamsocket.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace zz::net {

namespace {

bool startsWithDigit(std::string_view text)
{
    return !text.empty() && text.front() >= '0' && text.front() <= '9';
}

bool sameHostName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

// Filled by successful look-ups and never emptied: a name is resolved
// through the system once per process.
std::vector<std::pair<std::string, IpAddress>> &hostCache()
{
    static std::vector<std::pair<std::string, IpAddress>> cache;
    return cache;
}

IpAddress fromSocketAddress(const sockaddr *address)
{
    IpAddress result;
    if (address->sa_family == AF_INET6) {
        result.v6 = true;
        const auto &in6 = reinterpret_cast<const sockaddr_in6 *>(address)->sin6_addr;
        std::copy(std::begin(in6.s6_addr), std::end(in6.s6_addr), result.bytes.begin());
    } else {
        result = IpAddress::v4(reinterpret_cast<const sockaddr_in *>(address)->sin_addr.s_addr);
    }
    return result;
}

} // namespace

std::uint16_t lookUpPort(std::string_view portName)
{
    if (startsWithDigit(portName)) {
        unsigned value = 0;
        const auto end = portName.data() + portName.size();
        const auto [rest, error] = std::from_chars(portName.data(), end, value);
        // "7772x" or "70000" would otherwise name some other port.
        if (error != std::errc{} || rest != end || value > 65535)
            throw SocketError("Port Lookup - Could Not Find Service Entry");
        return static_cast<std::uint16_t>(value);
    }
    const std::string name(portName);
    const servent *entry = ::getservbyname(name.c_str(), "tcp");
    if (entry == nullptr)
        throw SocketError("Port Lookup - Could Not Find Service Entry");
    return ntohs(static_cast<std::uint16_t>(entry->s_port));
}

IpAddress IpAddress::v4(std::uint32_t networkOrder)
{
    IpAddress address;
    std::memcpy(address.bytes.data(), &networkOrder, sizeof networkOrder);
    return address;
}

IpAddress lookUpHost(std::string_view hostName)
{
    if (hostName.empty())
        return IpAddress::v4(htonl(INADDR_ANY));
    const std::string name(hostName);
    if (hostName.find(':') != std::string_view::npos) {
        IpAddress address;
        address.v6 = true;
        if (::inet_pton(AF_INET6, name.c_str(), address.bytes.data()) != 1)
            throw SocketError(std::string(HostNotFound));
        return address;
    }
    if (startsWithDigit(hostName)) {
        in_addr address{};
        if (::inet_pton(AF_INET, name.c_str(), &address) != 1)
            throw SocketError(std::string(HostNotFound));
        return IpAddress::v4(address.s_addr);
    }
    auto &cache = hostCache();
    const auto hit = std::ranges::find_if(cache, [&](const auto &entry) { return sameHostName(entry.first, name); });
    if (hit != cache.end())
        return hit->second;
    const std::optional<IpAddress> address = resolveThroughSystem(name);
    if (!address)
        throw SocketError(std::string(HostNotFound));
    cache.emplace_back(name, *address);
    return *address;
}

std::optional<IpAddress> resolveThroughSystem(const std::string &hostName)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *answer = nullptr;
    if (::getaddrinfo(hostName.c_str(), nullptr, &hints, &answer) != 0 || answer == nullptr)
        return std::nullopt;
    // IPv4 first, as every table listened before IPv6 came along.
    const addrinfo *chosen = answer;
    for (const addrinfo *a = answer; a != nullptr; a = a->ai_next) {
        if (a->ai_family == AF_INET) {
            chosen = a;
            break;
        }
    }
    const IpAddress address = fromSocketAddress(chosen->ai_addr);
    ::freeaddrinfo(answer);
    return address;
}

void rememberHost(std::string hostName, const IpAddress &address)
{
    auto &cache = hostCache();
    const auto hit = std::ranges::find_if(cache, [&](const auto &entry) { return sameHostName(entry.first, hostName); });
    if (hit != cache.end())
        hit->second = address;
    else
        cache.emplace_back(std::move(hostName), address);
}

bool resolvesAtOnce(std::string_view hostName)
{
    if (hostName.empty() || startsWithDigit(hostName) || hostName.find(':') != std::string_view::npos)
        return true;
    return std::ranges::any_of(hostCache(), [&](const auto &entry) { return sameHostName(entry.first, hostName); });
}

std::size_t cachedHostCount()
{
    return hostCache().size();
}

} // namespace zz::net
