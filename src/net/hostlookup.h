#pragma once
// Port and host look-ups of the socket component.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zz::net {

// A decimal port number, or a TCP service name from the system's table.
// Throws SocketError "Port Lookup - Could Not Find Service Entry" for an
// unknown service or a number that is not a valid port.
std::uint16_t lookUpPort(std::string_view portName);

// An IPv4 address in network byte order: 0 for an empty name, a dotted
// address as given, otherwise a host name through the process-wide cache
// (names compared without regard to case). A miss resolves through the
// system, which blocks until it answers. Throws SocketError "Host Lookup -
// Could Not Find Host Entry" when the name does not resolve.
std::uint32_t lookUpHost(std::string_view hostName);

// Host names resolved so far in this process.
std::size_t cachedHostCount();

} // namespace zz::net
