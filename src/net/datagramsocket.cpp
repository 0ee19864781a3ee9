#include "net/datagramsocket.h"

#include <QSocketNotifier>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace zz::net {

namespace {

std::string addressText(const sockaddr *address)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (address->sa_family == AF_INET6) {
        const auto &in6 = reinterpret_cast<const sockaddr_in6 *>(address)->sin6_addr;
        if (IN6_IS_ADDR_V4MAPPED(&in6))
            ::inet_ntop(AF_INET, &in6.s6_addr[12], text, sizeof text);
        else
            ::inet_ntop(AF_INET6, &in6, text, sizeof text);
    } else if (address->sa_family == AF_INET) {
        ::inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in *>(address)->sin_addr, text, sizeof text);
    }
    return text;
}

} // namespace

DatagramSocket::DatagramSocket(QObject *parent) : QObject(parent) {}

DatagramSocket::~DatagramSocket()
{
    if (m_notifier)
        m_notifier->setEnabled(false);
    if (m_fd >= 0)
        ::close(m_fd);
}

bool DatagramSocket::open(int family)
{
    if (m_fd >= 0)
        return true;
    m_fd = ::socket(family, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0)
        return false;
    const int on = 1;
    ::setsockopt(m_fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    m_notifier = new QSocketNotifier(static_cast<qintptr>(m_fd), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &DatagramSocket::readPending);
    return true;
}

bool DatagramSocket::bind(std::uint16_t port)
{
    if (m_fd >= 0)
        return false;
    // IPv4 only: announcements are broadcast, which IPv6 does not have.
    if (!open(AF_INET))
        return false;
    const int on = 1;
    // Several finders on one machine share the port; broadcasts reach them all.
    ::setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    return ::bind(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
}

bool DatagramSocket::sendTo(const IpAddress &address, std::uint16_t port, std::string_view bytes)
{
    if (address.v6 || !open(AF_INET))
        return false;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    std::memcpy(&target.sin_addr.s_addr, address.bytes.data(), sizeof target.sin_addr.s_addr);
    const ssize_t sent = ::sendto(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL,
                                  reinterpret_cast<const sockaddr *>(&target), sizeof target);
    return sent == static_cast<ssize_t>(bytes.size());
}

std::uint16_t DatagramSocket::localPort() const
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (m_fd < 0 || ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return 0;
    return ntohs(address.sin_port);
}

void DatagramSocket::readPending()
{
    const QPointer<DatagramSocket> self(this);
    for (int i = 0; i < 64 && self && m_fd >= 0; ++i) {
        char buffer[MaxDatagram + 1];
        sockaddr_storage from{};
        socklen_t length = sizeof from;
        const ssize_t size =
            ::recvfrom(m_fd, buffer, sizeof buffer, MSG_TRUNC, reinterpret_cast<sockaddr *>(&from), &length);
        if (size < 0)
            return;   // nothing more waits (or a transient failure): the notifier fires again
        if (static_cast<std::size_t>(size) > MaxDatagram)
            continue;   // oversize: not one of ours
        Q_EMIT datagramReceived(std::string(buffer, static_cast<std::size_t>(size)),
                                addressText(reinterpret_cast<const sockaddr *>(&from)));
    }
}

std::vector<std::string> localAddresses()
{
    std::vector<std::string> addresses, loopback;
    ifaddrs *list = nullptr;
    if (::getifaddrs(&list) != 0)
        return addresses;
    for (const ifaddrs *i = list; i != nullptr; i = i->ifa_next) {
        if (i->ifa_addr == nullptr || !(i->ifa_flags & IFF_UP))
            continue;
        const int family = i->ifa_addr->sa_family;
        if (family != AF_INET && family != AF_INET6)
            continue;
        if (family == AF_INET6
            && IN6_IS_ADDR_LINKLOCAL(&reinterpret_cast<const sockaddr_in6 *>(i->ifa_addr)->sin6_addr))
            continue;
        (i->ifa_flags & IFF_LOOPBACK ? loopback : addresses).push_back(addressText(i->ifa_addr));
    }
    ::freeifaddrs(list);
    addresses.insert(addresses.end(), loopback.begin(), loopback.end());
    return addresses;
}

std::vector<IpAddress> broadcastAddresses()
{
    std::vector<IpAddress> addresses;
    ifaddrs *list = nullptr;
    if (::getifaddrs(&list) != 0)
        return addresses;
    for (const ifaddrs *i = list; i != nullptr; i = i->ifa_next) {
        if (i->ifa_addr == nullptr || i->ifa_addr->sa_family != AF_INET || !(i->ifa_flags & IFF_UP)
            || !(i->ifa_flags & IFF_BROADCAST) || i->ifa_broadaddr == nullptr)
            continue;
        addresses.push_back(IpAddress::v4(reinterpret_cast<const sockaddr_in *>(i->ifa_broadaddr)->sin_addr.s_addr));
    }
    ::freeifaddrs(list);
    return addresses;
}

} // namespace zz::net
