// Measures the host in a process of its own on loopback: a word's round trip
// to its verdict, sent one at a time, and the host's use while idle.
#include "hostbench.h"

#include "benchclient.h"
#include "host/hostserver.h"
#include "host/hostservice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace bench {

namespace {

// How a player sends words: the next one pauseMs after the previous verdict
// (0: the moment it arrives), and after every run words a rest of restMs.
struct WordPace
{
    int pauseMs = 0;
    int run = 0; // 0: no rests
    int restMs = 0;
};

constexpr int Words = 400;
// A word of the wrong length: judged at once, as often as we like.
std::string wrongLength(const std::string &start) { return start + "s"; }
// A player who types fast still stays inside the connection's pace.
constexpr WordPace Typing{15};
// One word in flight at a time, the next the moment the verdict arrives:
// in runs of one burst with a rest that refills it, and without rests.
constexpr WordPace BurstsBackToBack{0, 20, 250};
constexpr WordPace BackToBack{0};

// Reads lines from a child until one starts with prefix; "" after timeoutMs.
QByteArray lineFrom(QProcess &child, const char *prefix, int timeoutMs = 30000)
{
    QByteArray line;
    runUntil(
        [&] {
            while (child.canReadLine()) {
                line = child.readLine().trimmed();
                if (line.startsWith(prefix))
                    return true;
            }
            return child.state() == QProcess::NotRunning;
        },
        timeoutMs);
    return line.startsWith(prefix) ? line : QByteArray();
}

// Sends count words from the owner at pace and returns the round trips in ms.
std::vector<double> timeWords(Client &owner, const std::string &word, int count, WordPace pace)
{
    std::vector<double> trips;
    QElapsedTimer sentAt;
    QObject pending; // ends the timers of a run that timed out with it
    auto sendOne = [&] {
        sentAt.start();
        owner.send(zz::wire::sendWord(owner.seat, word));
    };
    owner.onMessage = [&](const std::string &m) {
        if (!startsWith(m, "CMD_invalidword+") && !startsWith(m, "CMD_goodword+"))
            return;
        trips.push_back(double(sentAt.nsecsElapsed()) / 1e6);
        if (trips.size() >= std::size_t(count))
            return;
        const bool rest = pace.run > 0 && trips.size() % std::size_t(pace.run) == 0;
        const int wait = rest ? pace.restMs : pace.pauseMs;
        if (wait == 0)
            sendOne();
        else
            QTimer::singleShot(wait, Qt::PreciseTimer, &pending, sendOne);
    };
    sendOne();
    runUntil([&] { return trips.size() >= std::size_t(count); }, 120000);
    owner.onMessage = {};
    return trips;
}

// Logs the owner in with the flood's clients at the table; the start word of a new game, "" on failure.
std::string startGame(Client &owner)
{
    std::string start;
    owner.onMessage = [&start](const std::string &m) {
        if (startsWith(m, "CMD_roundstart+")) {
            std::string_view rest(m);
            zz::wire::takeField(rest);
            zz::wire::takeField(rest);
            start = std::string(zz::wire::takeField(rest));
        }
    };
    owner.send(zz::wire::startGameRequest("Bench1", "1000000", "1000000", true, true, true));
    runUntil([&] { return !start.empty(); }, 10000);
    return start;
}

} // namespace

int runHost(int argc, char **argv, bool seedPacing)
{
    QCoreApplication app(argc, argv);
    zz::HostService service;
    if (seedPacing)
        service.server().setPacing(zz::HostServer::Pacing::TableTick);
    service.listen("0");
    std::printf("port %u\n", unsigned(service.localPort()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}

HostFigures measureHost(const QString &self, bool seedPacing)
{
    HostFigures figures;
    QProcess host;
    host.start(self, {QStringLiteral("--host"), seedPacing ? QStringLiteral("seed") : QStringLiteral("paced")});
    const QByteArray portLine = lineFrom(host, "port ");
    const auto port = std::uint16_t(portLine.mid(5).toUInt());
    if (port == 0)
        return figures;

    Client owner(port);
    runUntil([&] { return owner.seat != 0; }, 5000);
    owner.send(zz::wire::loginInfo(owner.seat, "1.0.2", "Bench1"));
    QProcess flood;
    flood.start(self, {QStringLiteral("--flood"), QString::number(port)});
    if (lineFrom(flood, "ready").isEmpty())
        return figures;

    runFor(1000); // the logins' last sends settle
    const ProcessUse before = processUse(pid_t(host.processId()));
    runFor(IdleMs);
    const ProcessUse after = processUse(pid_t(host.processId()));
    figures.idle = {after.cpuMs - before.cpuMs, after.wakeUps - before.wakeUps, after.mainWakeUps - before.mainWakeUps};

    const std::string start = startGame(owner);
    if (start.empty())
        return figures;
    const std::string word = wrongLength(start);
    figures.quiet = percentiles(timeWords(owner, word, Words, Typing));
    figures.burstsBackToBack = percentiles(timeWords(owner, word, Words / 2, BurstsBackToBack));
    figures.backToBack = percentiles(timeWords(owner, word, Words / 2, BackToBack));

    // The words back to back have emptied the owner's bucket; a player who
    // rests a quarter of a second has a full one again, and the flood is running.
    flood.write("start\n");
    runFor(250);
    QElapsedTimer floodClock;
    floodClock.start();
    figures.flood = percentiles(timeWords(owner, word, Words, Typing));
    figures.floodSeconds = double(floodClock.elapsed()) / 1e3;
    flood.write("stop\n");
    const QList<QByteArray> result = lineFrom(flood, "flood ", 40000).split(' ');
    figures.floodSent = result.value(1).toLong();
    figures.floodMissing = result.value(2, "-1").toLong();
    figures.floodDisordered = result.value(3, "-1").toLong();
    flood.waitForFinished(5000);
    host.terminate();
    host.waitForFinished(5000);
    figures.ok = true;
    return figures;
}

} // namespace bench
