#pragma once
// The soak's run from start to end: a headless host, nine busy connections
// over several games, then the checks on what the host did and what it kept.
#include "faultlane.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace zz {
class ClientSession;
}

namespace zz::soak {

class ChildProgram;
class Chatter;
class RawLink;
class Report;
class TableOwner;

struct Options
{
    QString program; // the zigzop executable
    int games = 3;   // three at least: memory is compared from the second game on
};

class Scenario : public QObject
{
    Q_OBJECT
public:
    static constexpr int BotCount = 3;
    static constexpr int ChatterCount = 2;
    static constexpr int LaneCount = 4;         // one more than the free seats, so some are refused
    static constexpr int SettleBoundMs = 30000; // for the lanes to go quiet

    Scenario(Options options, Report &report, QObject *parent = nullptr);
    ~Scenario() override;

    void start();

Q_SIGNALS:
    void finished();

private:
    // scenario.cpp: the table and its games

    // The host's log lines that are counted, by how they start.
    static const QStringList &hostEvents();
    void hostLine(const QString &line);
    void hostListening(std::uint16_t port);
    void seatEveryone();
    void holdPlayerSeats();
    void seatChatters(const std::vector<RawLink *> &holders);
    void startBot(int number);
    void startRun();
    void startGame();
    void gameWon(int game, const QString &winner);
    void measureBetweenGames();
    bool lanesSettled() const;
    void childEnded(ChildProgram &child);
    // Calls then(true) once condition() holds, checked every 100 ms, or
    // then(false) when it still does not after timeoutMs.
    void when(std::function<bool()> condition, int timeoutMs, std::function<void(bool held)> then);
    // Fails and ends the run at once.
    void abort(const QString &why);

    // scenario_end.cpp: the wind-down and the checks

    void windDown();
    void checkFaultsRan();
    bool quiet() const;
    void freshLogin();
    void checkFreshTable();
    void checkChat();
    void sendEveryoneHome();
    bool everyoneGone() const;
    void checkDescriptors();
    void checkMemoryAndProcessor();
    void stopHost();
    void printFigures();
    void end();
    std::map<int, QString> liveTable() const;

    Options m_options;
    Report &m_report;
    QElapsedTimer m_clock;

    ChildProgram *m_host = nullptr;
    std::uint16_t m_port = 0;
    std::vector<ChildProgram *> m_bots;
    std::map<QString, int> m_botSeats; // from each bot's own output
    TableOwner *m_owner = nullptr;
    std::vector<Chatter *> m_chatters;
    std::vector<FaultLane *> m_lanes;
    FaultTally m_tally;
    QPointer<ClientSession> m_fresh;
    std::map<int, QString> m_freshTable;
    bool m_probeReturned = false;

    QTimer m_runBound;
    QTimer m_gameBound;
    QElapsedTimer m_gameClock;
    QList<double> m_gameSeconds;
    bool m_ending = false; // children and clients going now go on purpose
    bool m_over = false;   // the run has ended: nothing more happens

    std::optional<int> m_baselineDescriptors;
    std::optional<long> m_residentAfterSecond;
    std::optional<long> m_residentAfterLast;
    std::map<QString, int> m_hostEvents; // host log lines by how they start
};

} // namespace zz::soak
