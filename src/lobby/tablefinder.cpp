#include "lobby/tablefinder.h"

#include "net/datagramsocket.h"

#include <QTimer>

#include <algorithm>

namespace zz {

namespace {

constexpr int SweepIntervalMs = 1000;

} // namespace

TableFinder::TableFinder(QObject *parent)
    : QObject(parent), m_socket(std::make_unique<net::DatagramSocket>()), m_sweep(new QTimer(this))
{
    m_steady.start();
    m_now = [this] { return m_steady.elapsed(); };
    m_sweep->setInterval(SweepIntervalMs);
    connect(m_sweep, &QTimer::timeout, this, &TableFinder::forgetSilentTables);
    connect(m_socket.get(), &net::DatagramSocket::datagramReceived, this, &TableFinder::datagramReceived);
}

TableFinder::~TableFinder() = default;

bool TableFinder::listen(std::uint16_t port)
{
    return m_socket->bind(port);
}

std::uint16_t TableFinder::localPort() const
{
    return m_socket->localPort();
}

void TableFinder::datagramReceived(const std::string &bytes, const std::string &fromAddress)
{
    std::optional<net::TableAnnouncement> table = net::decodeAnnouncement(bytes);
    if (!table)
        return;
    const auto known = std::find_if(m_tables.begin(), m_tables.end(), [&](const FoundTable &t) {
        return t.address == fromAddress && t.table.port == table->port;
    });
    const qint64 now = m_now();
    if (known != m_tables.end()) {
        const bool changed = known->table != *table;
        known->table = std::move(*table);
        known->heardAtMs = now;
        if (changed)
            Q_EMIT tablesChanged();
        return;
    }
    m_tables.push_back({fromAddress, std::move(*table), now});
    if (!m_sweep->isActive())
        m_sweep->start();
    Q_EMIT tablesChanged();
}

void TableFinder::forgetSilentTables()
{
    const qint64 now = m_now();
    const auto silent = std::remove_if(m_tables.begin(), m_tables.end(),
                                       [&](const FoundTable &t) { return now - t.heardAtMs > ForgetAfterMs; });
    const bool changed = silent != m_tables.end();
    m_tables.erase(silent, m_tables.end());
    if (m_tables.empty())
        m_sweep->stop();
    if (changed)
        Q_EMIT tablesChanged();
}

} // namespace zz
