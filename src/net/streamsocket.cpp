#include "net/streamsocket.h"

#include "net/hostlookup.h"
#include "net/socketerrors.h"

#include <QMetaObject>
#include <QSocketNotifier>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <exception>
#include <utility>

namespace zz {

namespace {

// Messages are small and each waits for an answer: send every one at once
// instead of holding it back until the peer acknowledges the previous one.
void sendAtOnce(int fd)
{
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

constexpr int ListenBacklog = 5;

struct SocketAddress
{
    sockaddr_storage storage{};
    socklen_t length = 0;

    const sockaddr *get() const { return reinterpret_cast<const sockaddr *>(&storage); }
    int family() const { return storage.ss_family; }
};

SocketAddress socketAddress(const net::IpAddress &address, std::uint16_t port)
{
    SocketAddress result;
    if (address.v6) {
        auto &in6 = reinterpret_cast<sockaddr_in6 &>(result.storage);
        in6.sin6_family = AF_INET6;
        in6.sin6_port = htons(port);
        std::memcpy(in6.sin6_addr.s6_addr, address.bytes.data(), address.bytes.size());
        result.length = sizeof in6;
    } else {
        auto &in4 = reinterpret_cast<sockaddr_in &>(result.storage);
        in4.sin_family = AF_INET;
        in4.sin_port = htons(port);
        std::memcpy(&in4.sin_addr.s_addr, address.bytes.data(), sizeof in4.sin_addr.s_addr);
        result.length = sizeof in4;
    }
    return result;
}

struct BoundSocket
{
    int fd = -1;
    bool bound = false;
};

// A handle on every local address, IPv6 and IPv4 alike where the system has
// IPv6, the IPv4 ones alone where it has not. An unbound handle is still
// returned: listening again meanwhile is refused as "in use" until close().
BoundSocket listeningSocket(std::uint16_t port)
{
    int fd = ::socket(AF_INET6, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    SocketAddress address = socketAddress(net::IpAddress{true, {}}, port);
    if (fd >= 0) {
        const int both = 0;
        ::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &both, sizeof both);
    } else {
        fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        address = socketAddress(net::IpAddress::v4(htonl(INADDR_ANY)), port);
    }
    if (fd < 0)
        return {};
    // Lets the next game bind the port while the last one's connections
    // linger in TIME_WAIT; a live listener still keeps others off it.
    const int reuse = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    return {fd, ::bind(fd, address.get(), address.length) == 0};
}

// The peer's address as text; an IPv4 peer of a dual listener shows as IPv4.
std::string peerText(const sockaddr_storage &peer)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (peer.ss_family == AF_INET6) {
        const auto &in6 = reinterpret_cast<const sockaddr_in6 &>(peer).sin6_addr;
        if (IN6_IS_ADDR_V4MAPPED(&in6))
            ::inet_ntop(AF_INET, &in6.s6_addr[12], text, sizeof text);
        else
            ::inet_ntop(AF_INET6, &in6, text, sizeof text);
    } else {
        ::inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in &>(peer).sin_addr, text, sizeof text);
    }
    return text;
}

// Failures that leave the connection usable: the bytes stay queued.
bool isTransient(int error)
{
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR || error == ENOBUFS || error == ENOMEM;
}

} // namespace

StreamSocket::StreamSocket(QObject *parent)
    : QObject(parent)
{
}

StreamSocket::StreamSocket(int acceptedFd, QObject *parent)
    : QObject(parent)
    , m_fd(acceptedFd)
    , m_connected(true)
{
    sendAtOnce(m_fd);
    watch(false);
}

StreamSocket::~StreamSocket()
{
    // Quietly: the handlers may belong to an owner that is being destroyed too.
    closeQuietly();
}

void StreamSocket::setHostName(std::string name)
{
    if (m_connected && !report(SocketInfo::Lookup, "Setting HostName While Connected Has No Effect"))
        return;
    m_hostName = std::move(name);
}

void StreamSocket::setPortName(std::string name)
{
    if (m_connected && !report(SocketInfo::Lookup, "Setting PortName While Connected Has No Effect"))
        return;
    m_portName = std::move(name);
}

void StreamSocket::setListen(bool listen)
{
    const bool wasListening = m_listening;
    if (m_fd >= 0 && !m_listening)
        throw SocketError("Listen - Socket Already In Use");
    m_listening = listen;
    if (!listen) {
        const QPointer<StreamSocket> self(this);
        close();
        if (self)
            report(SocketInfo::Listen, "Listening Stopped");
        return;
    }
    if (wasListening) {
        report(SocketInfo::Listen, "Listening Already Running");
        return;
    }
    startListening();
}

void StreamSocket::startListening()
{
    m_listening = false;   // until bound and listening
    if (!report(SocketInfo::Lookup, "Lookup Of Port " + m_portName))
        return;
    // Looked up before the handle exists, so an unknown service leaves none behind.
    const std::uint16_t port = net::lookUpPort(m_portName);
    const BoundSocket socket = listeningSocket(port);
    m_fd = socket.fd;
    if (!socket.bound)
        throw SocketError("Listen - Error Binding Socket");
    if (::listen(m_fd, ListenBacklog) != 0)
        throw SocketError("Listen - Error Starting Listen");
    m_listening = true;
    m_acceptPaused = false;
    watch(true);
    report(SocketInfo::Listen, "Listening Started");
}

bool StreamSocket::open()
{
    if (m_fd >= 0)
        return m_connected;
    // Both look-ups come before the handle exists, so a failed one can be
    // mended and open() called again.
    if (!report(SocketInfo::Lookup, "Lookup Of Port " + m_portName))
        return false;
    const std::uint16_t port = net::lookUpPort(m_portName);
    if (!m_hostName.empty() && !report(SocketInfo::Lookup, "Lookup Of Host " + m_hostName))
        return false;
    const SocketAddress address = socketAddress(net::lookUpHost(m_hostName), port);

    const int fd = ::socket(address.family(), SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        m_connectError = net::socketErrorCode(errno);
        report(SocketInfo::Error, net::socketErrorText(m_connectError));
        return false;
    }
    m_fd = fd;
    m_connecting = true;
    sendAtOnce(m_fd);
    if (::connect(m_fd, address.get(), address.length) != 0 && errno != EINPROGRESS
        && errno != EINTR) {
        // Even an immediate failure arrives as an event, like a late one.
        m_pendingError = net::socketErrorCode(errno);
        QMetaObject::invokeMethod(this, &StreamSocket::deliverPendingError, Qt::QueuedConnection);
    }
    watch(false);
    return m_connected;
}

bool StreamSocket::send(std::string_view bytes)
{
    if (m_fd < 0)
        throw SocketError("Send - Socket Not Connected");
    if (m_listening)
        throw SocketError("Send - Cannot Send On A Listener Socket");
    m_sendBuffer.append(bytes);
    if (m_sendBuffer.empty())
        return true;
    // A throwing info handler must not keep queued bytes from going out.
    std::exception_ptr reportFailure;
    try {
        if (!report(SocketInfo::Send, "Non-Blocking Outgoing Data"))
            return true;
    } catch (const SocketError &) {
        reportFailure = std::current_exception();
    }
    if (const int error = sendBuffered()) {
        // Closing here would run the disconnect handler inside the caller,
        // who may be walking its seat table; the queued event closes instead.
        m_pendingError = error;
        QMetaObject::invokeMethod(this, &StreamSocket::deliverPendingError, Qt::QueuedConnection);
    }
    updateNotifiers();
    if (reportFailure)
        std::rethrow_exception(reportFailure);
    return true;
}

int StreamSocket::sendBuffered()
{
    const ssize_t sent = ::send(m_fd, m_sendBuffer.data(), m_sendBuffer.size(), MSG_NOSIGNAL);
    if (sent > 0) {
        m_sendBuffer.erase(0, static_cast<std::size_t>(sent));
        return 0;
    }
    // While connecting the system refuses too; the bytes wait for the connection.
    if (sent < 0 && m_connected && !isTransient(errno))
        return net::socketErrorCode(errno);
    return 0;
}

std::string StreamSocket::receive()
{
    return receive(std::string::npos);
}

std::string StreamSocket::receive(std::size_t count)
{
    if (m_fd < 0 && m_receiveBuffer.empty())
        throw SocketError("Receive - Socket Not Connected");
    if (m_listening)
        throw SocketError("Receive - Cannot Receive On A Listener Socket");
    if (count >= m_receiveBuffer.size())
        return std::exchange(m_receiveBuffer, std::string{});
    std::string head = m_receiveBuffer.substr(0, count);
    m_receiveBuffer.erase(0, count);
    return head;
}

StreamSocket *StreamSocket::accept()
{
    if (!m_listening)
        throw SocketError("Accept - Socket Not In Listening Mode");
    m_acceptPaused = false;
    updateNotifiers();
    sockaddr_storage peer{};
    socklen_t length = sizeof peer;
    const int fd = ::accept4(m_fd, reinterpret_cast<sockaddr *>(&peer), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
        report(SocketInfo::Accept, "Could Not Accept Connection");
        return nullptr;
    }
    const QPointer<StreamSocket> accepted = new StreamSocket(fd, this);
    accepted->onRead = onRead;
    accepted->onWrite = onWrite;
    accepted->onDisconnect = onDisconnect;
    accepted->onInfo = onInfo;
    const std::string peerAddress = peerText(peer);
    // A socket the caller never receives must not keep the connection open.
    bool listenerAlive = false;
    try {
        accepted->setPortName(m_portName);
        if (accepted)
            accepted->setHostName(peerAddress);
        listenerAlive = report(SocketInfo::Accept, "Created New Socket Structure");
    } catch (...) {
        if (accepted)
            accepted->discard();
        throw;
    }
    return listenerAlive ? accepted.data() : nullptr;
}

bool StreamSocket::close()
{
    bool closed = false;
    unwatch();
    if (m_fd >= 0) {
        closed = ::close(m_fd) == 0;
        m_fd = -1;
    }
    m_connected = false;
    m_connecting = false;
    m_acceptPaused = false;
    m_pendingError = 0;
    const bool wasListening = std::exchange(m_listening, false);
    if (!wasListening) {
        try {
            report(SocketInfo::Close, "Socket Closed");
        } catch (const SocketError &) {
            // The close has happened; a failing handler does not undo it.
        }
    }
    return closed;
}

void StreamSocket::closeQuietly()
{
    unwatch();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_connected = false;
    m_connecting = false;
    m_listening = false;
}

void StreamSocket::discard()
{
    closeQuietly();
    deleteLater();
}

std::uint16_t StreamSocket::localPort() const
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (m_fd < 0 || ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return 0;
    // The port sits at the same place in both families.
    return ntohs(reinterpret_cast<const sockaddr_in &>(address).sin_port);
}

bool StreamSocket::report(SocketInfo kind, const std::string &message)
{
    if (!onInfo)
        return true;
    const QPointer<StreamSocket> self(this);
    try {
        onInfo(*this, kind, message);
    } catch (...) {
        throw SocketError("Error here");
    }
    return !self.isNull();
}

} // namespace zz
