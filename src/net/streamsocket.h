#pragma once
// The non-blocking stream socket that carries the game protocol. It moves raw
// bytes only; framing is its owners' job. Events fire on the thread of the Qt
// event loop, one at a time, through the handlers below.
#include "net/sockethandler.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

class QSocketNotifier;

namespace zz {

// Raised by StreamSocket operations; carries a fixed English message.
class SocketError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The kinds of info report, in their fixed order.
enum class SocketInfo { Lookup, Connect, Close, Listen, Receive, Send, Accept, Error };
std::string_view socketInfoName(SocketInfo kind);

// The symbolic name of a socket error code (10061 gives "WSAECONNREFUSED");
// "UNKNOWN ERROR" for a code without one.
std::string socketErrorName(int code);

class StreamSocket : public QObject
{
    Q_OBJECT
public:
    // A read handler gets the length of the receive buffer, an info handler
    // the report's text.
    using NotifyHandler = SocketHandler<StreamSocket &>;
    using ReadHandler = SocketHandler<StreamSocket &, std::size_t>;
    using InfoHandler = SocketHandler<StreamSocket &, SocketInfo, const std::string &>;

    explicit StreamSocket(QObject *parent = nullptr);
    ~StreamSocket() override;   // closes an open socket first, without reports

    // A dotted IPv4 address or a host name; empty means any address.
    void setHostName(std::string name);
    const std::string &hostName() const { return m_hostName; }
    // A decimal port number ("0" asks the system for a free one) or a service name.
    void setPortName(std::string name);
    const std::string &portName() const { return m_portName; }

    // Starts or stops listening on all local interfaces. Throws SocketError.
    void setListen(bool listen);
    bool isListening() const { return m_listening; }

    // Starts connecting to hostName:portName; the outcome arrives as events.
    // Returns isConnected(). Throws SocketError on a failed look-up.
    bool open();
    // Queues the bytes and sends what the system takes now, in order. Throws
    // SocketError when there is no connection or on a listener.
    bool send(std::string_view bytes);
    // Hands over the received bytes (all, or at most count) and removes them.
    // Throws SocketError on a listener, or with no connection and nothing buffered.
    std::string receive();
    std::string receive(std::size_t count);
    // Accepts one waiting connection into a new socket owned by this listener,
    // with this socket's read, write, disconnect and info handlers and their
    // contexts. Returns nullptr (after an Accept info report) when the system
    // refused. Throws SocketError when not listening. The next onAccept comes
    // only after the previous one's handler called accept().
    StreamSocket *accept();
    // Closes the system socket; true when the system call succeeded. Reports
    // "Socket Closed" unless listening, even without a handle; a throwing info
    // handler is ignored here. The buffers are kept.
    bool close();

    bool isConnected() const { return m_connected; }
    // The socket error code of the last failed connect; 0 while none failed.
    int connectError() const { return m_connectError; }
    bool isOpen() const { return m_fd >= 0; }
    // The bound local port, or 0 without a socket: lets tests listen on port 0.
    std::uint16_t localPort() const;
    std::size_t pendingSendBytes() const { return m_sendBuffer.size(); }

    int tag = 0;   // free for the owner: the host keeps the seat number here

    // Where an exception thrown by a handler during an event goes, since it
    // must not pass through the event loop. The default writes a warning.
    using EventErrorHandler = std::function<void(const std::string &message)>;
    static void setEventErrorHandler(EventErrorHandler handler);

    // Each handler is bound to a context object and is never called once that
    // object is gone, so an owner need not clear them before it goes.
    NotifyHandler onConnect;
    // The peer closed, or the connection failed for good (after an Error
    // report); close() follows, so a dead peer never keeps its seat.
    NotifyHandler onDisconnect;
    NotifyHandler onWrite;
    NotifyHandler onAccept;
    ReadHandler onRead;
    InfoHandler onInfo;

private:
    class EventScope;

    StreamSocket(int acceptedFd, QObject *parent);
    // Calls onInfo; false when the handler destroyed this socket. Throws
    // SocketError "Error here" when the handler threw.
    bool report(SocketInfo kind, const std::string &message);
    void startListening();
    // One system send of the queued bytes; the socket error code of a fatal
    // failure on a connection, else 0.
    int sendBuffered();
    void closeQuietly();
    void discard();

    // Event side (socketevents.cpp).
    void watch(bool forAccept);
    void unwatch();
    void updateNotifiers();
    void defer();
    void dispatch(void (StreamSocket::*step)());
    void readActivated();
    void writeActivated();
    void deliverPendingError();
    void readReady();
    void writeReady();
    void acceptReady();
    void connectFinished();
    void peerClosed(int errorCode);

    std::string m_hostName;
    std::string m_portName;
    int m_fd = -1;
    bool m_listening = false;
    bool m_connected = false;
    bool m_connecting = false;
    bool m_acceptPaused = false;   // set until the accept handler calls accept()
    bool m_deferred = false;       // an event arrived while another was being handled
    int m_pendingError = 0;        // a failure reported at the next write event
    int m_connectError = 0;
    std::string m_receiveBuffer;
    std::string m_sendBuffer;
    QPointer<QSocketNotifier> m_readNotifier;
    QPointer<QSocketNotifier> m_writeNotifier;
};

} // namespace zz
