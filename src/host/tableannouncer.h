#pragma once
// Tells the local network about a table every two seconds: its name, owner,
// seats taken and whether a game runs.
#include "net/hostlookup.h"
#include "net/tableannouncement.h"

#include <QObject>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QTimer;

namespace zz {

class HostServer;
namespace net { class DatagramSocket; }

class TableAnnouncer : public QObject
{
    Q_OBJECT
public:
    // The server must outlive the announcer; port is where the table listens.
    TableAnnouncer(const HostServer &server, std::uint16_t port, QObject *parent = nullptr);
    ~TableAnnouncer() override;

    // The table's name; empty: the owner's name.
    void setTableName(std::string name) { m_tableName = std::move(name); }
    // Starts announcing to each target at once and then every two seconds.
    void start(std::vector<net::IpAddress> targets, std::uint16_t port = net::AnnouncePort);
    void stop();
    bool running() const;

    // One announcement now; public so tests need not wait for the timer.
    void announce();

    // Where to announce: the address given (an IPv4 address, never looked
    // up), or without one every local network's broadcast address. Empty,
    // with a warning, when the given text is no IPv4 address.
    static std::vector<net::IpAddress> targets(std::string_view given);
    // The texts others may type to join a table listening on port.
    static std::vector<std::string> joinAddresses(std::uint16_t port);

private:
    const HostServer &m_server;
    std::uint16_t m_port;
    std::string m_tableName;
    std::vector<net::IpAddress> m_targets;
    std::uint16_t m_targetPort = net::AnnouncePort;
    std::unique_ptr<net::DatagramSocket> m_socket;
    QTimer *m_timer = nullptr;
};

} // namespace zz
