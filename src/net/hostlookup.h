#pragma once
// Port and host look-ups of the socket component.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zz::net {

// An IPv4 or IPv6 address, bytes in network order (IPv4 in the first four).
struct IpAddress
{
    bool v6 = false;
    std::array<std::uint8_t, 16> bytes{};

    static IpAddress v4(std::uint32_t networkOrder);
    bool operator==(const IpAddress &) const = default;
};

// A decimal port number, or a TCP service name from the system's table.
// Throws SocketError "Port Lookup - Could Not Find Service Entry" for an
// unknown service or a number that is not a valid port.
std::uint16_t lookUpPort(std::string_view portName);

// The IPv4 "any" address for an empty name, a dotted or IPv6 address as
// given, otherwise a host name through the process-wide cache (names compared
// without regard to case; an IPv4 address preferred when the name has both).
// A miss resolves through the system, which blocks until it answers. Throws
// SocketError "Host Lookup - Could Not Find Host Entry" when the name does
// not resolve.
IpAddress lookUpHost(std::string_view hostName);

inline constexpr std::string_view HostNotFound = "Host Lookup - Could Not Find Host Entry";

// True when lookUpHost answers without asking the system: an empty name, an
// address, or a name resolved before. Anything else may block; a window
// resolves it elsewhere first.
bool resolvesAtOnce(std::string_view hostName);

// Asks the system for hostName, IPv4 preferred, blocking until it answers;
// nullopt when the name does not resolve. Safe on any thread: the cache is
// neither read nor filled.
std::optional<IpAddress> resolveThroughSystem(const std::string &hostName);

// Adds a name resolved elsewhere to the cache lookUpHost reads. Event-loop
// thread only, as the cache has no lock.
void rememberHost(std::string hostName, const IpAddress &address);

// Host names resolved so far in this process.
std::size_t cachedHostCount();

} // namespace zz::net
