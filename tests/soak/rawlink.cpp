#include "rawlink.h"

#include <QMetaObject>
#include <QSocketNotifier>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace zz::soak {

RawLink::RawLink(QObject *parent) : QObject(parent) {}

RawLink::~RawLink()
{
    shut(false);
}

bool RawLink::connectTo(std::uint16_t port, int receiveBufferBytes)
{
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0)
        return false;
    if (receiveBufferBytes > 0)
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &receiveBufferBytes, sizeof receiveBufferBytes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 && errno != EINPROGRESS) {
        shut(false);
        return false;
    }
    m_connecting = true;
    m_readNotifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    m_writeNotifier = new QSocketNotifier(m_fd, QSocketNotifier::Write, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &RawLink::readReady);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &RawLink::writeReady);
    updateNotifiers();
    return true;
}

void RawLink::send(std::string_view bytes)
{
    if (!isOpen())
        return;
    m_unsent.append(bytes);
    if (!m_connecting)
        flush();
}

void RawLink::setReading(bool reading)
{
    m_reading = reading;
    updateNotifiers();
}

void RawLink::close()
{
    shut(false);
}

void RawLink::reset()
{
    if (isOpen()) {
        const linger now{1, 0};
        ::setsockopt(m_fd, SOL_SOCKET, SO_LINGER, &now, sizeof now);
    }
    shut(false);
}

void RawLink::readReady()
{
    std::array<char, 65536> buffer;
    const ssize_t count = ::recv(m_fd, buffer.data(), buffer.size(), 0);
    if (count < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (count <= 0) {
        shut(true);
        return;
    }
    if (!m_framer.feed(std::string_view(buffer.data(), static_cast<std::size_t>(count)))) {
        shut(true);
        return;
    }
    // A receiver may close or drop this link on any message.
    const QPointer<RawLink> alive(this);
    while (alive && isOpen()) {
        const std::optional<std::string> message = m_framer.next();
        if (!message)
            break;
        Q_EMIT messageReceived(*message);
    }
}

void RawLink::writeReady()
{
    if (m_connecting) {
        int error = 0;
        socklen_t length = sizeof error;
        ::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &length);
        if (error != 0) {
            shut(true);
            return;
        }
        m_connecting = false;
        const QPointer<RawLink> alive(this);
        Q_EMIT connected();
        if (!alive)
            return;
    }
    flush();
}

void RawLink::flush()
{
    while (isOpen() && !m_unsent.empty()) {
        const ssize_t sent = ::send(m_fd, m_unsent.data(), m_unsent.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EAGAIN || errno == EINTR)
                break;
            shut(true);
            return;
        }
        m_unsent.erase(0, static_cast<std::size_t>(sent));
    }
    updateNotifiers();
}

void RawLink::shut(bool byPeer)
{
    if (!isOpen())
        return;
    // Notifiers go before the descriptor, so none watches a number the
    // system may hand out again.
    for (QSocketNotifier *notifier : {m_readNotifier.data(), m_writeNotifier.data()}) {
        if (notifier) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
    }
    ::close(m_fd);
    m_fd = -1;
    m_unsent.clear();
    // Told on a later turn of the loop, so that no caller of send() finds
    // itself inside its own close handler.
    if (byPeer)
        QMetaObject::invokeMethod(this, &RawLink::closed, Qt::QueuedConnection);
}

void RawLink::updateNotifiers()
{
    if (!isOpen())
        return;
    if (m_readNotifier)
        m_readNotifier->setEnabled(m_reading && !m_connecting);
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(m_connecting || !m_unsent.empty());
}

} // namespace zz::soak
