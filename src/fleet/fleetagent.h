#pragma once
// A table served under a fleet of game servers: it pings the sidecar's
// health from the event loop, says it is ready once its port accepts, keeps
// the Lists "players" and "watchers" and the label "game" equal to the seat
// table, and asks to be shut down after it has been empty for a while. The
// sidecar's failures never stop the game.
#include "fleet/sidecar.h"
#include "fleet/sidecarmirror.h"
#include "host/tablecompanion.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace zz {
class HostServer;
}

namespace zz::fleet {

class FleetAgent : public QObject, public TableCompanion
{
public:
    using Clock = std::function<std::chrono::milliseconds()>;
    static constexpr int HealthIntervalMs = 2000;
    static constexpr std::chrono::milliseconds UnreachableLimit{30000};
    static constexpr int FirstReadyRetryMs = 250;
    static constexpr int LongestReadyRetryMs = 4000;

    // Talks to the sidecar at baseUrl through http; exit ends the table. The
    // server must outlive the agent. Pings at once.
    FleetAgent(HostServer &server, std::unique_ptr<HttpClient> http, std::string baseUrl, int emptyShutdownSeconds,
               std::function<void(int exitCode)> exit, QObject *parent = nullptr);
    ~FleetAgent() override;

    void tableListening() override;
    void tableClosing() override;

    // Tests move the clock that the 30 s without a sidecar are counted on,
    // from the moment it is set.
    void setClock(Clock clock)
    {
        m_now = std::move(clock);
        m_started = m_now();
    }
    // The timers' handlers, for tests to call.
    void healthTick();
    void emptyPeriodOver();
    bool emptyShutdownPending() const { return m_emptyTimer.isActive(); }
    bool isReady() const { return m_ready; }

private:
    void sendReady();
    void readyAnswered(const HttpReply &reply);
    void sendShutdown();
    void tableChanged();

    HostServer &m_server;
    Sidecar m_sidecar;
    SidecarMirror m_mirror{m_sidecar};
    std::function<void(int)> m_exit;
    Clock m_now = [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
    };
    std::chrono::milliseconds m_started{};

    bool m_listening = false;
    bool m_ready = false;
    bool m_readySent = false;     // a /ready is under way
    bool m_reached = false;       // the sidecar has answered once
    bool m_healthFailing = false; // so its return puts the Lists right
    bool m_hadSomebody = false;
    bool m_shutdownAsked = false;
    bool m_closing = false;
    int m_emptyShutdownSeconds;
    int m_readyRetryMs = FirstReadyRetryMs;
    QTimer m_health;
    QTimer m_readyRetry;
    QTimer m_emptyTimer;
};

// The agent when AGONES_SDK_HTTP_PORT names the sidecar's port; nullptr when
// it is not set (nothing is then loaded). Throws std::runtime_error when the
// port is not a number or the HTTP module cannot be loaded.
std::unique_ptr<TableCompanion> makeFleetAgent(const ServedTable &table);

} // namespace zz::fleet
