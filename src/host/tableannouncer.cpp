#include "host/tableannouncer.h"

#include "core/codepage.h"
#include "core/names.h"
#include "core/tableaddress.h"
#include "host/hostserver.h"
#include "net/datagramsocket.h"
#include "net/tableannouncement.h"

#include <QString>
#include <QTimer>

namespace zz {

namespace {

// Names travel as Windows-1252 on the game's wire and as UTF-8 here.
std::string utf8FromWire(const std::string &bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes)
        text += QChar(static_cast<char16_t>(codepage::toUnicode(static_cast<unsigned char>(byte))));
    return text.toStdString();
}

} // namespace

TableAnnouncer::TableAnnouncer(const HostServer &server, std::uint16_t port, QObject *parent)
    : QObject(parent), m_server(server), m_port(port), m_socket(std::make_unique<net::DatagramSocket>()),
      m_timer(new QTimer(this))
{
    m_timer->setInterval(net::AnnounceIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &TableAnnouncer::announce);
}

TableAnnouncer::~TableAnnouncer() = default;

void TableAnnouncer::start(std::vector<net::IpAddress> targets, std::uint16_t port)
{
    m_targets = std::move(targets);
    m_targetPort = port;
    announce();
    m_timer->start();
}

void TableAnnouncer::stop()
{
    m_timer->stop();
}

bool TableAnnouncer::running() const
{
    return m_timer->isActive();
}

std::vector<net::IpAddress> TableAnnouncer::targets(std::string_view given)
{
    if (given.empty())
        return net::broadcastAddresses();
    try {
        if (net::resolvesAtOnce(given) && given.find(':') == std::string_view::npos)
            return {net::lookUpHost(given)};
    } catch (const std::exception &) {
        // Reported below.
    }
    qWarning("Zig Zop: %.*s is no IPv4 address to announce the table to", int(given.size()), given.data());
    return {};
}

std::vector<std::string> TableAnnouncer::joinAddresses(std::uint16_t port)
{
    std::vector<std::string> addresses;
    for (const std::string &address : net::localAddresses())
        addresses.push_back(tableAddressText({address, port}, GamePort));
    return addresses;
}

void TableAnnouncer::announce()
{
    net::TableAnnouncement table;
    table.version = std::string(VersionText);
    table.port = m_port;
    const int owner = m_server.owner();
    table.owner = owner != 0 ? utf8FromWire(m_server.name(owner)) : std::string();
    table.name = m_tableName.empty() ? table.owner : m_tableName;
    for (int seat = 1; seat <= MaxConnections; ++seat)
        if (m_server.inUse(seat))
            ++(isPlayerSeat(seat) ? table.players : table.watchers);
    table.playing = m_server.gameInProgress();
    const std::string bytes = net::encodeAnnouncement(table);
    for (const net::IpAddress &target : m_targets)
        m_socket->sendTo(target, m_targetPort, bytes);
}

} // namespace zz
