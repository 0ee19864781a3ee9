#pragma once
// A non-blocking UDP socket for table announcements: one datagram in, one
// signal out, on the thread of the event loop.
#include "net/hostlookup.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class QSocketNotifier;

namespace zz::net {

class DatagramSocket : public QObject
{
    Q_OBJECT
public:
    // A datagram longer than this is dropped unread.
    static constexpr std::size_t MaxDatagram = 2048;

    explicit DatagramSocket(QObject *parent = nullptr);
    ~DatagramSocket() override;

    // Receives on every local address at port (0: any free one). Other
    // programs of this machine may listen on the same port at once. False
    // when the system refused.
    bool bind(std::uint16_t port);
    // One datagram to address:port; broadcast addresses are allowed. False
    // when the system would not take it (nothing is queued).
    bool sendTo(const IpAddress &address, std::uint16_t port, std::string_view bytes);
    std::uint16_t localPort() const;

Q_SIGNALS:
    // fromAddress is the sender's address as text ("192.168.1.7", "::1").
    void datagramReceived(const std::string &bytes, const std::string &fromAddress);

private:
    bool open(int family);
    void readPending();

    int m_fd = -1;
    QPointer<QSocketNotifier> m_notifier;
};

// This machine's addresses that others may reach: every interface that is up,
// loopback last; IPv6 link-local addresses are left out.
std::vector<std::string> localAddresses();

// The IPv4 broadcast address of each interface that is up and has one.
std::vector<IpAddress> broadcastAddresses();

} // namespace zz::net
