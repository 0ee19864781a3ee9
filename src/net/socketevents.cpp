// The event side of StreamSocket: notifier callbacks, one event at a time.
#include "net/streamsocket.h"

#include "net/socketerrors.h"

#include <QMetaObject>
#include <QSocketNotifier>
#include <QtGlobal>

#include <sys/socket.h>

#include <cerrno>
#include <exception>
#include <utility>
#include <vector>

namespace zz {

namespace {

// One read takes at most this much; the notifier fires again while more waits.
constexpr std::size_t ReadChunk = 32768;

int eventDepth = 0;

std::vector<QPointer<StreamSocket>> &deferredSockets()
{
    static std::vector<QPointer<StreamSocket>> sockets;
    return sockets;
}

StreamSocket::EventErrorHandler &eventErrorHandler()
{
    static StreamSocket::EventErrorHandler handler;
    return handler;
}

void reportEventError(const std::string &message) noexcept
{
    try {
        if (const auto handler = eventErrorHandler()) {
            handler(message);
            return;
        }
    } catch (...) {
        // Fall through to the warning: nothing may leave an event.
    }
    qWarning("Socket event failed: %s", message.c_str());
}

} // namespace

// Marks the handling of one event. Events of any socket that arrive meanwhile
// (only possible if a handler runs a nested event loop) wait until it ends.
class StreamSocket::EventScope
{
public:
    EventScope() { ++eventDepth; }
    ~EventScope()
    {
        if (--eventDepth == 0)
            resumeDeferred();
    }
    EventScope(const EventScope &) = delete;
    EventScope &operator=(const EventScope &) = delete;

private:
    static void resumeDeferred()
    {
        const auto sockets = std::exchange(deferredSockets(), {});
        for (const auto &socket : sockets) {
            if (!socket)
                continue;
            socket->m_deferred = false;
            socket->updateNotifiers();   // readiness is level-triggered: it comes again
            if (socket->m_pendingError != 0)
                QMetaObject::invokeMethod(socket.data(), &StreamSocket::deliverPendingError, Qt::QueuedConnection);
        }
    }
};

void StreamSocket::setEventErrorHandler(EventErrorHandler handler)
{
    eventErrorHandler() = std::move(handler);
}

void StreamSocket::watch(bool forAccept)
{
    m_readNotifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    m_readNotifier->setEnabled(false);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &StreamSocket::readActivated);
    if (!forAccept) {
        m_writeNotifier = new QSocketNotifier(m_fd, QSocketNotifier::Write, this);
        m_writeNotifier->setEnabled(false);
        connect(m_writeNotifier, &QSocketNotifier::activated, this, &StreamSocket::writeActivated);
    }
    updateNotifiers();
}

void StreamSocket::unwatch()
{
    // deleteLater: this may run inside the notifier's own signal.
    for (QPointer<QSocketNotifier> *notifier : {&m_readNotifier, &m_writeNotifier}) {
        if (*notifier) {
            (*notifier)->setEnabled(false);
            (*notifier)->deleteLater();
        }
        *notifier = nullptr;
    }
}

void StreamSocket::updateNotifiers()
{
    const bool live = m_fd >= 0 && !m_deferred;
    if (m_readNotifier)
        m_readNotifier->setEnabled(live && (m_listening ? !m_acceptPaused : m_connected));
    // Write readiness only matters while connecting or with bytes queued;
    // an idle socket would otherwise wake the loop without end.
    const bool wantsWrite = m_connecting || (m_connected && (!m_sendBuffer.empty() || m_pendingError != 0));
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(live && wantsWrite);
}

void StreamSocket::defer()
{
    if (m_deferred)
        return;
    m_deferred = true;
    updateNotifiers();
    deferredSockets().emplace_back(this);
}

void StreamSocket::dispatch(void (StreamSocket::*step)())
{
    if (eventDepth > 0) {
        defer();
        return;
    }
    EventScope scope;
    // The step may destroy this socket: nothing here touches it afterwards.
    try {
        (this->*step)();
    } catch (const std::exception &error) {
        reportEventError(error.what());
    } catch (...) {
        reportEventError("unknown exception");
    }
}

void StreamSocket::readActivated()
{
    dispatch(m_listening ? &StreamSocket::acceptReady : &StreamSocket::readReady);
}

void StreamSocket::writeActivated()
{
    dispatch(&StreamSocket::writeReady);
}

void StreamSocket::deliverPendingError()
{
    dispatch(&StreamSocket::writeReady);
}

void StreamSocket::readReady()
{
    if (m_fd < 0 || !m_connected)
        return;
    const std::size_t before = m_receiveBuffer.size();
    m_receiveBuffer.resize(before + ReadChunk);
    const ssize_t received = ::recv(m_fd, m_receiveBuffer.data() + before, ReadChunk, 0);
    const int error = errno;
    m_receiveBuffer.resize(before + static_cast<std::size_t>(received > 0 ? received : 0));
    if (received == 0) {
        peerClosed(0);
        return;
    }
    if (received < 0 && error != EAGAIN && error != EWOULDBLOCK && error != EINTR) {
        peerClosed(net::socketErrorCode(error));
        return;
    }
    if (!report(SocketInfo::Receive, "Non-Blocking Incoming Data"))
        return;
    onRead(*this, m_receiveBuffer.size());
}

void StreamSocket::writeReady()
{
    if (m_fd < 0)
        return;
    if (m_connecting) {
        connectFinished();
        return;
    }
    if (!m_connected)
        return;
    if (m_pendingError != 0) {
        peerClosed(std::exchange(m_pendingError, 0));
        return;
    }
    if (!m_sendBuffer.empty()) {
        // The same as send() with nothing new: one report, one system send.
        if (!report(SocketInfo::Send, "Non-Blocking Outgoing Data"))
            return;
        if (const int error = sendBuffered()) {
            peerClosed(error);
            return;
        }
    }
    updateNotifiers();
    if (!report(SocketInfo::Send, "Non-Blocking Outgoing Data"))
        return;
    onWrite(*this);
}

void StreamSocket::acceptReady()
{
    if (!m_listening)
        return;
    // As with the system's own accept events, the next one comes only after
    // the handler called accept(); a listener nobody serves does not spin.
    m_acceptPaused = true;
    updateNotifiers();
    onAccept(*this);
}

void StreamSocket::connectFinished()
{
    int error = std::exchange(m_pendingError, 0);
    if (error == 0) {
        int socketError = 0;
        socklen_t length = sizeof socketError;
        if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &socketError, &length) != 0)
            socketError = errno;
        error = socketError != 0 ? net::socketErrorCode(socketError) : 0;
    }
    m_connecting = false;
    if (error != 0) {
        // The handle stays until close(); nothing else happens, as the
        // owner may try again or give up.
        m_connectError = error;
        updateNotifiers();
        report(SocketInfo::Error, net::socketErrorText(error));
        return;
    }
    m_connected = true;
    updateNotifiers();
    if (!report(SocketInfo::Connect, "Non-Blocking Socket Connected"))
        return;
    onConnect(*this);
}

// A dead peer must never hold a seat: a fatal error is reported, then handled
// as an orderly close. Every step runs even when a handler before it threw.
void StreamSocket::peerClosed(int errorCode)
{
    const QPointer<StreamSocket> self(this);
    std::exception_ptr firstFailure;
    const auto step = [&](auto &&body) {
        if (!self)
            return;
        try {
            body();
        } catch (...) {
            if (!firstFailure)
                firstFailure = std::current_exception();
        }
    };
    if (errorCode != 0)
        step([&] { report(SocketInfo::Error, net::socketErrorText(errorCode)); });
    step([&] { onDisconnect(*this); });
    step([&] { close(); });
    if (firstFailure)
        std::rethrow_exception(firstFailure);
}

} // namespace zz
