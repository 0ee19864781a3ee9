#pragma once
// A client connection with no manners, for the soak: it sends whatever bytes
// it is given, can stop reading, and can end with a reset instead of a close.
// Loopback only.
#include "core/wire.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <string>
#include <string_view>

class QSocketNotifier;

namespace zz::soak {

class RawLink : public QObject
{
    Q_OBJECT
public:
    explicit RawLink(QObject *parent = nullptr);
    ~RawLink() override;

    // Starts connecting to 127.0.0.1:port. A receive buffer above 0 is set
    // before the connect, so the window the host sees stays that small.
    // Returns false when the system refused at once.
    bool connectTo(std::uint16_t port, int receiveBufferBytes = 0);
    // Queues the bytes; they go out as the socket takes them.
    void send(std::string_view bytes);
    // Off: what arrives stays in the system's buffers, unread.
    void setReading(bool reading);
    // An orderly close (FIN), or a reset (RST) when the linger time is 0.
    void close();
    void reset();

    bool isOpen() const { return m_fd >= 0; }

Q_SIGNALS:
    void connected();
    // One whole message from the host, terminator removed.
    void messageReceived(const std::string &message);
    // The host closed or reset the connection, or the connect failed;
    // always told on a later turn of the event loop.
    void closed();

private:
    void readReady();
    void writeReady();
    void flush();
    void shut(bool byPeer);
    void updateNotifiers();

    int m_fd = -1;
    bool m_connecting = false;
    bool m_reading = true;
    std::string m_unsent;
    wire::FrameSplitter m_framer;
    QPointer<QSocketNotifier> m_readNotifier;
    QPointer<QSocketNotifier> m_writeNotifier;
};

} // namespace zz::soak
