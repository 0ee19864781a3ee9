#include "fleet/fleetagent.h"

#include "host/hostserver.h"
#include "host/hostservice.h"

#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace zz::fleet {

namespace {

constexpr char PortVariable[] = "AGONES_SDK_HTTP_PORT";

} // namespace

FleetAgent::FleetAgent(HostServer &server, std::unique_ptr<HttpClient> http, std::string baseUrl,
                       int emptyShutdownSeconds, std::function<void(int)> exit, QObject *parent)
    : QObject(parent), m_server(server), m_sidecar(std::move(http), std::move(baseUrl)), m_exit(std::move(exit)),
      m_emptyShutdownSeconds(emptyShutdownSeconds)
{
    m_started = m_now();
    // Driven by the event loop on purpose: a loop that hangs stops the pings,
    // and the fleet replaces the table.
    m_health.setInterval(HealthIntervalMs);
    connect(&m_health, &QTimer::timeout, this, [this] { healthTick(); });
    m_health.start();
    m_readyRetry.setSingleShot(true);
    connect(&m_readyRetry, &QTimer::timeout, this, [this] { sendReady(); });
    m_emptyTimer.setSingleShot(true);
    connect(&m_emptyTimer, &QTimer::timeout, this, [this] { emptyPeriodOver(); });

    for (auto signal : {&HostServer::seatTaken, &HostServer::connectionDropped})
        connect(&server, signal, this, [this] { tableChanged(); });
    connect(&server, &HostServer::seatReleased, this, [this] { tableChanged(); });
    connect(&server, &HostServer::loggedIn, this, [this] { tableChanged(); });
    connect(&server, &HostServer::gameStarted, this, [this] { tableChanged(); });
    connect(&server, &HostServer::winnerDeclared, this, [this] { tableChanged(); });
    healthTick();
    tableChanged();
}

FleetAgent::~FleetAgent() = default;

void FleetAgent::tableListening()
{
    m_listening = true;
    sendReady();
}

void FleetAgent::tableClosing()
{
    m_closing = true;
    m_health.stop();
    m_readyRetry.stop();
    m_emptyTimer.stop();
    m_mirror.stop();
    m_sidecar.cancelAll();
}

void FleetAgent::healthTick()
{
    if (m_closing)
        return;
    m_sidecar.call("POST", "health", "{}", [this](const HttpReply &reply) {
        if (reply.status != 0)
            m_reached = true;
        if (!Sidecar::ok(reply)) {
            m_sidecar.reportFailure("health", reply);
            m_healthFailing = true;
            return;
        }
        m_sidecar.reportSuccess("health");
        // A sidecar that was away may hold other Lists than we think.
        if (std::exchange(m_healthFailing, false))
            m_mirror.resync();
    });
}

void FleetAgent::sendReady()
{
    if (!m_listening || m_ready || m_readySent || m_closing)
        return;
    m_readySent = true;
    m_sidecar.call("POST", "ready", "{}", [this](const HttpReply &reply) { readyAnswered(reply); });
}

void FleetAgent::readyAnswered(const HttpReply &reply)
{
    m_readySent = false;
    if (reply.status != 0)
        m_reached = true;
    if (Sidecar::ok(reply)) {
        m_sidecar.reportSuccess("ready");
        m_ready = true;
        tableChanged(); // the label goes out now
        return;
    }
    m_sidecar.reportFailure("ready", reply);
    const std::chrono::milliseconds waited = m_now() - m_started;
    if (!m_reached && waited >= UnreachableLimit) {
        std::fprintf(stderr, "Zig Zop host: the game-server sidecar at %s could not be reached for %d s; stopping\n",
                     m_sidecar.baseUrl().c_str(), static_cast<int>(UnreachableLimit.count() / 1000));
        std::fflush(stderr);
        tableClosing();
        m_exit(1);
        return;
    }
    // Back off, but give up on time while the sidecar has never answered.
    int delay = m_readyRetryMs;
    if (!m_reached)
        delay = static_cast<int>(std::clamp<long long>((UnreachableLimit - waited).count(), 0, delay));
    m_readyRetryMs = std::min(2 * m_readyRetryMs, LongestReadyRetryMs);
    m_readyRetry.start(delay);
}

void FleetAgent::tableChanged()
{
    if (m_closing)
        return;
    SidecarMirror::Wanted wanted;
    bool anybody = false;
    for (int seat = 1; seat <= MaxConnections; ++seat) {
        if (!m_server.inUse(seat))
            continue;
        anybody = true;
        (isPlayerSeat(seat) ? wanted.players : wanted.watchers).insert(std::to_string(seat));
    }
    // A game whose players have all left is over for whoever looks for a table.
    if (m_ready)
        wanted.game = m_server.gameInProgress() && !wanted.players.empty() ? "playing" : "waiting";
    m_mirror.setWanted(std::move(wanted));

    if (anybody) {
        m_hadSomebody = true;
        m_emptyTimer.stop();
    } else if (m_hadSomebody && m_emptyShutdownSeconds > 0 && !m_shutdownAsked && !m_emptyTimer.isActive()) {
        m_emptyTimer.start(m_emptyShutdownSeconds * 1000);
    }
}

void FleetAgent::emptyPeriodOver()
{
    m_emptyTimer.stop();
    if (m_shutdownAsked || m_closing)
        return;
    for (int seat = 1; seat <= MaxConnections; ++seat)
        if (m_server.inUse(seat))
            return;
    m_shutdownAsked = true;
    qInfo("Zig Zop host: empty for %d s; asking the fleet to end the table", m_emptyShutdownSeconds);
    sendShutdown();
}

// The table keeps running after this until the fleet's SIGTERM: a game
// server that ends on its own right after asking is left stuck.
void FleetAgent::sendShutdown()
{
    m_sidecar.call("POST", "shutdown", "{}", [this](const HttpReply &reply) {
        if (Sidecar::ok(reply)) {
            m_sidecar.reportSuccess("shutdown");
            return;
        }
        m_sidecar.reportFailure("shutdown", reply);
        if (!m_closing)
            QTimer::singleShot(LongestReadyRetryMs, this, [this] { sendShutdown(); });
    });
}

std::unique_ptr<TableCompanion> makeFleetAgent(const ServedTable &table)
{
    const char *port = std::getenv(PortVariable);
    if (!port)
        return nullptr;
    const std::string text = port;
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos
        || std::stoi(text) < 1 || std::stoi(text) > 65535)
        throw std::runtime_error(std::string(PortVariable) + " is not a port number: " + text);
    std::string error;
    std::unique_ptr<HttpClient> http = makeHttpClient(&error);
    if (!http)
        throw std::runtime_error(error);
    return std::make_unique<FleetAgent>(table.service.server(), std::move(http), "http://localhost:" + text + "/",
                                        table.emptyShutdownSeconds, table.exit);
}

} // namespace zz::fleet
