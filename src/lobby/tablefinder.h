#pragma once
// The tables announced on the local network, kept while they keep
// announcing: a table not heard for six seconds is dropped.
#include "net/tableannouncement.h"

#include <QElapsedTimer>
#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QTimer;

namespace zz {

namespace net { class DatagramSocket; }

struct FoundTable
{
    std::string address;   // the announcer's address as text; with table.port, where to join
    net::TableAnnouncement table;
    qint64 heardAtMs = 0;
};

class TableFinder : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 ForgetAfterMs = 6000;

    explicit TableFinder(QObject *parent = nullptr);
    ~TableFinder() override;

    // Milliseconds on a steady clock; tests may set their own.
    using Clock = std::function<qint64()>;
    void setClock(Clock clock) { m_now = std::move(clock); }

    // Listens for announcements; false when the port cannot be had.
    bool listen(std::uint16_t port = net::AnnouncePort);
    std::uint16_t localPort() const;

    // The tables heard in the last six seconds, in the order first heard.
    const std::vector<FoundTable> &tables() const { return m_tables; }

    // One datagram from an address; public so tests can feed it directly.
    void datagramReceived(const std::string &bytes, const std::string &fromAddress);
    // Drops the tables not heard for six seconds; public for the same reason.
    void forgetSilentTables();

Q_SIGNALS:
    void tablesChanged();

private:
    std::unique_ptr<net::DatagramSocket> m_socket;
    std::vector<FoundTable> m_tables;
    QElapsedTimer m_steady;
    Clock m_now;
    QTimer *m_sweep = nullptr;   // runs only while a table is listed
};

} // namespace zz
