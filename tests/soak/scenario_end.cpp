// The wind-down: the faults stop, a fresh client logs in, everybody else
// goes, and what the host kept is measured.
#include "scenario.h"

#include "chatter.h"
#include "childprogram.h"
#include "procprobe.h"
#include "report.h"
#include "session/clientsession.h"
#include "tableowner.h"

#include <algorithm>

namespace zz::soak {

namespace {

constexpr int LoginBoundMs = 15000;
constexpr int LeaveBoundMs = 20000;
constexpr int DescriptorBoundMs = 10000;
constexpr int HostStopBoundMs = 10000;
constexpr int ChildKillBoundMs = 5000;
// Resident memory counts as flat while it grows by no more than this
// between the second game's end and the last's.
constexpr long ResidentToleranceKiB = 1024;
// The host's processor time over its wall time, as a share of one core.
constexpr double ProcessorBound = 0.25;

QString freshName()
{
    return QStringLiteral("SoakFresh");
}

QString tableText(const std::map<int, QString> &table)
{
    QStringList seats;
    for (const auto &[seat, name] : table)
        seats << QStringLiteral("%1 %2").arg(seat).arg(name);
    return QStringLiteral("{") + seats.join(QStringLiteral(", ")) + QStringLiteral("}");
}

} // namespace

void Scenario::windDown()
{
    m_report.note(QStringLiteral("games done; the fault lanes and the chat stop"));
    for (FaultLane *lane : m_lanes)
        lane->pause();
    for (Chatter *chatter : m_chatters)
        chatter->stopTalking();
    checkFaultsRan();
    when([this] { return quiet(); }, SettleBoundMs,
         [this](bool held) {
             if (!held)
                 m_report.fail(
                     QStringLiteral("the table did not settle once the faults stopped: the owner sees %1, live are %2")
                         .arg(tableText(m_owner->table()), tableText(liveTable())));
             m_residentAfterLast = residentKiB(m_host->pid());
             m_report.note(QStringLiteral("quiet point after game %1: host resident %2 KiB")
                               .arg(m_options.games)
                               .arg(m_residentAfterLast.value_or(-1)));
             freshLogin();
         });
}

void Scenario::checkFaultsRan()
{
    for (int fault = 0; fault < FaultCount; ++fault)
        if (m_tally.episodes[std::size_t(fault)] == 0)
            m_report.fail(
                QStringLiteral("the fault \"%1\" never ran: the run was too short").arg(faultName(Fault(fault))));
    if (m_tally.dropsSeen == 0 || m_tally.stallDrops.isEmpty())
        m_report.fail(QStringLiteral("the host dropped no connection past its bounds"));
}

bool Scenario::lanesSettled() const
{
    const bool idle = std::all_of(m_lanes.begin(), m_lanes.end(), [](const FaultLane *lane) { return lane->idle(); });
    return idle && m_owner->table() == liveTable();
}

bool Scenario::quiet() const
{
    for (const Chatter *listener : m_chatters)
        for (const Chatter *speaker : m_chatters)
            if (!listener->heardAllOf(*speaker))
                return false;
    return lanesSettled();
}

std::map<int, QString> Scenario::liveTable() const
{
    std::map<int, QString> table{{m_owner->seat(), TableOwner::name()}};
    for (const auto &[name, seat] : m_botSeats)
        table[seat] = name;
    for (const Chatter *chatter : m_chatters)
        table[chatter->seat()] = chatter->name();
    return table;
}

void Scenario::freshLogin()
{
    m_fresh = new ClientSession(this);
    m_fresh->setPlayerName(freshName());
    connect(m_fresh, &ClientSession::playerArrived, this, [this](int seat, const QString &name, bool self) {
        if (!self)
            m_freshTable[seat] = name;
    });
    connect(m_fresh, &ClientSession::playerLeft, this, [this](int seat, const QString &) { m_freshTable.erase(seat); });
    // The host answers a login with everybody present before it handles
    // the next message, so the probe's echo comes after the whole table.
    connect(m_fresh, &ClientSession::loggedInAs, this,
            [this] { m_fresh->sendChat(QStringLiteral("fresh probe"), QStringLiteral("0")); });
    connect(m_fresh, &ClientSession::chatLine, this, [this](const QString &line) {
        if (line == QStringLiteral("%1+%2 chats: fresh probe").arg(m_fresh->ownSeat()).arg(freshName()))
            m_probeReturned = true;
    });
    m_fresh->connectTo("127.0.0.1", m_port);
    when([this] { return m_probeReturned; }, LoginBoundMs,
         [this](bool held) {
             if (!held)
                 return abort(QStringLiteral("the host did not serve a fresh login"));
             checkFreshTable();
             checkChat();
             sendEveryoneHome();
         });
}

void Scenario::checkFreshTable()
{
    const std::map<int, QString> live = liveTable();
    m_report.figure(QStringLiteral("fresh login"),
                    QStringLiteral("seat %1, told of %2").arg(m_fresh->ownSeat()).arg(tableText(m_freshTable)));
    if (m_freshTable != live)
        m_report.fail(QStringLiteral("the host told a fresh login of %1, but the live connections are %2")
                          .arg(tableText(m_freshTable), tableText(live)));
}

void Scenario::checkChat()
{
    QStringList sent;
    int heard = 0;
    for (const Chatter *speaker : m_chatters) {
        sent << QStringLiteral("%1 %2").arg(speaker->name()).arg(speaker->linesSent());
        for (const Chatter *listener : m_chatters) {
            const QString gaps = listener->gapsIn(*speaker);
            if (!gaps.isEmpty())
                m_report.fail(gaps);
            heard += speaker->linesSent();
        }
    }
    m_report.figure(QStringLiteral("chat lines sent"), sent.join(QStringLiteral(", ")));
    m_report.figure(QStringLiteral("chat lines checked"),
                    QStringLiteral("%1 (each chat client's lines, at every chat client)").arg(heard));
}

void Scenario::sendEveryoneHome()
{
    m_ending = true;
    m_owner->leave();
    for (Chatter *chatter : m_chatters)
        chatter->leave();
    for (ChildProgram *bot : m_bots)
        bot->terminate();
    when([this] { return everyoneGone(); }, LeaveBoundMs,
         [this](bool held) {
             if (!held)
                 m_report.fail(QStringLiteral("the host still seats %1 after they left").arg(tableText(m_freshTable)));
             for (const ChildProgram *bot : m_bots)
                 if (bot->ending() != QStringLiteral("exit code 0"))
                     m_report.fail(QStringLiteral("%1 ended with %2 on SIGTERM").arg(bot->label(), bot->ending()));
             checkDescriptors();
         });
}

bool Scenario::everyoneGone() const
{
    return m_freshTable.empty()
           && std::none_of(m_bots.begin(), m_bots.end(), [](const ChildProgram *bot) { return bot->running(); });
}

void Scenario::checkDescriptors()
{
    // The listener and whatever the host had open then, and the fresh client.
    const int expected = m_baselineDescriptors.value_or(-1) + 1;
    when([this, expected] { return openDescriptors(m_host->pid()) == expected; }, DescriptorBoundMs,
         [this, expected](bool held) {
             const int now = openDescriptors(m_host->pid()).value_or(-1);
             m_report.figure(QStringLiteral("host descriptors"),
                             QStringLiteral("%1 listening, %2 with one client left").arg(expected - 1).arg(now));
             if (!held)
                 m_report.fail(QStringLiteral("the host holds %1 descriptors with one client left; %2 expected")
                                   .arg(now)
                                   .arg(expected));
             checkMemoryAndProcessor();
         });
}

void Scenario::checkMemoryAndProcessor()
{
    const long second = m_residentAfterSecond.value_or(0), last = m_residentAfterLast.value_or(0);
    m_report.figure(QStringLiteral("host resident memory"),
                    QStringLiteral("%1 KiB after game 2, %2 KiB after game %3: %4 KiB (bound +%5 KiB)")
                        .arg(second)
                        .arg(last)
                        .arg(m_options.games)
                        .arg(last - second, 0, 10, QLatin1Char(' '))
                        .arg(ResidentToleranceKiB));
    if (second == 0 || last == 0 || last - second > ResidentToleranceKiB)
        m_report.fail(QStringLiteral("the host's resident memory grew from %1 KiB to %2 KiB").arg(second).arg(last));

    const double wall = double(m_clock.elapsed()) / 1000;
    const double processor = processorSeconds(m_host->pid()).value_or(-1);
    m_report.figure(QStringLiteral("host processor time"), QStringLiteral("%1 s in %2 s: %3 % of one core (bound %4 %)")
                                                               .arg(processor, 0, 'f', 2)
                                                               .arg(wall, 0, 'f', 1)
                                                               .arg(100 * processor / wall, 0, 'f', 1)
                                                               .arg(100 * ProcessorBound, 0, 'f', 0));
    if (processor < 0 || processor / wall > ProcessorBound)
        m_report.fail(QStringLiteral("the host used %1 s of processor time in %2 s").arg(processor).arg(wall));
    stopHost();
}

void Scenario::stopHost()
{
    if (!m_host->running())
        return abort(QStringLiteral("the host is gone before the end: %1").arg(m_host->ending()));
    m_host->terminate();
    when([this] { return !m_host->running(); }, HostStopBoundMs,
         [this](bool held) {
             if (!held || m_host->ending() != QStringLiteral("exit code 0"))
                 m_report.fail(QStringLiteral("the host did not end in order on SIGTERM: %1").arg(m_host->ending()));
             end();
         });
}

void Scenario::printFigures()
{
    QStringList games;
    for (const double seconds : m_gameSeconds)
        games << QString::number(seconds, 'f', 1);
    m_report.figure(QStringLiteral("games to a winner (s)"), games.join(QStringLiteral(", ")));
    if (m_owner)
        m_report.figure(QStringLiteral("ties settled"),
                        QStringLiteral("%1 tied players seated out by the owner").arg(m_owner->tiesSettled()));
    QStringList events;
    for (const QString &event : hostEvents())
        events << QStringLiteral("%1 %2").arg(event.trimmed().remove(QLatin1Char(':'))).arg(m_hostEvents[event]);
    m_report.figure(QStringLiteral("host log"), events.join(QStringLiteral(", ")));
    if (m_host) {
        QStringList warnings;
        for (auto kind = m_host->errorKinds().begin(); kind != m_host->errorKinds().end(); ++kind)
            warnings << QStringLiteral("%1 x \"%2\"").arg(kind.value()).arg(kind.key());
        m_report.figure(QStringLiteral("host warnings"), warnings.join(QStringLiteral("; ")));
    }
    QStringList faults;
    for (int fault = 0; fault < FaultCount; ++fault)
        faults << QStringLiteral("%1 %2").arg(faultName(Fault(fault))).arg(m_tally.episodes[std::size_t(fault)]);
    m_report.figure(QStringLiteral("faults committed"), faults.join(QStringLiteral(", ")));
    m_report.figure(QStringLiteral("fault lanes"),
                    QStringLiteral("%1 told full, %2 seated in a freed seat, %3 dropped past a bound")
                        .arg(m_tally.refusals)
                        .arg(m_tally.seatReuses)
                        .arg(m_tally.dropsSeen));
    QList<double> stalls = m_tally.stallDrops;
    std::sort(stalls.begin(), stalls.end());
    if (!stalls.isEmpty())
        m_report.figure(QStringLiteral("non-readers dropped"), QStringLiteral("%1, after %2 to %3 s (median %4 s)")
                                                                   .arg(stalls.size())
                                                                   .arg(stalls.first(), 0, 'f', 1)
                                                                   .arg(stalls.last(), 0, 'f', 1)
                                                                   .arg(stalls[stalls.size() / 2], 0, 'f', 1));
}

void Scenario::end()
{
    if (m_over)
        return;
    m_over = true; // every wait still pending lapses
    m_ending = true;
    m_runBound.stop();
    m_gameBound.stop();
    for (FaultLane *lane : m_lanes)
        lane->pause();
    if (m_owner)
        m_owner->leave();
    for (Chatter *chatter : m_chatters)
        chatter->leave();
    printFigures();
    // After a failure the programs may still run: end them before leaving.
    std::vector<ChildProgram *> children = m_bots;
    if (m_host)
        children.push_back(m_host);
    for (ChildProgram *child : children)
        if (child->running())
            child->kill();
    auto *poll = new QTimer(this);
    QElapsedTimer waited;
    waited.start();
    connect(poll, &QTimer::timeout, this, [this, children, waited, poll] {
        const bool ended =
            std::none_of(children.begin(), children.end(), [](const ChildProgram *c) { return c->running(); });
        if (ended || waited.elapsed() > ChildKillBoundMs) {
            poll->stop();
            Q_EMIT finished();
        }
    });
    poll->start(100);
}

} // namespace zz::soak
