// Measures the host in-process on loopback with nine raw clients: the round
// trip of a word to its verdict on a quiet table and under a chat flood, and
// the host's CPU time while idle. `zz_bench --serve [--port N]` runs the
// headless host instead, for trying it by hand.
#include "core/wire.h"
#include "host/headlesshost.h"
#include "host/hostserver.h"
#include "host/hostservice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int Clients = 9;
constexpr int Words = 1000;
constexpr int LinesInFlight = 10;
constexpr int WordPaceMs = 15; // a new word arrives after the host has been idle a tick
constexpr int IdleMs = 10000;

double processCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Runs the event loop until done() holds; false after timeoutMs.
bool runUntil(const std::function<bool()> &done, int timeoutMs = 600000)
{
    bool expired = false;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &limit, [&expired] { expired = true; });
    limit.start(timeoutMs);
    while (!done() && !expired)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return !expired;
}

struct Client
{
    explicit Client(int seatNumber, std::uint16_t port) : seat(seatNumber)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, &socket, [this] {
            framer.feed(socket.readAll().toStdString());
            while (auto message = framer.next()) {
                ++received;
                if (onMessage)
                    onMessage(*message);
            }
        });
        socket.connectToHost(QHostAddress::LocalHost, port);
    }
    void send(const std::string &bytes) { socket.write(bytes.data(), qint64(bytes.size())); }

    int seat;
    QTcpSocket socket;
    zz::wire::FrameSplitter framer;
    long received = 0;
    std::function<void(const std::string &)> onMessage;
};

struct Percentiles
{
    double p50, p99, max;
};

Percentiles percentiles(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    auto at = [&v](double q) { return v[std::min(v.size() - 1, std::size_t(q * double(v.size())))]; };
    return {at(0.50), at(0.99), v.back()};
}

// Sends Words words from seat 1, one after each verdict, and returns the round trips in ms.
std::vector<double> timeWords(Client &player, const std::string &word)
{
    std::vector<double> trips;
    QElapsedTimer sentAt;
    auto sendOne = [&] {
        sentAt.start();
        player.send(zz::wire::sendWord(player.seat, word));
    };
    player.onMessage = [&](const std::string &m) {
        if (m.rfind("CMD_invalidword+", 0) != 0 && m.rfind("CMD_goodword+", 0) != 0)
            return;
        trips.push_back(double(sentAt.nsecsElapsed()) / 1e6);
        if (trips.size() < std::size_t(Words))
            QTimer::singleShot(WordPaceMs, &player.socket, sendOne);
    };
    sendOne();
    runUntil([&] { return trips.size() >= std::size_t(Words); });
    player.onMessage = {};
    return trips;
}

double idleCpuMs()
{
    const double before = processCpuMs();
    bool done = false;
    QTimer::singleShot(IdleMs, [&done] { done = true; });
    runUntil([&] { return done; });
    return processCpuMs() - before;
}

int runBench(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    zz::HostService host;
    host.listen("0");
    std::vector<std::unique_ptr<Client>> clients;
    for (int seat = 1; seat <= Clients; ++seat) {
        clients.push_back(std::make_unique<Client>(seat, host.localPort()));
        runUntil([&] { return host.server().inUse(seat); }, 5000);
        clients.back()->send(zz::wire::loginInfo(seat, "1.0.2", "Bench" + std::to_string(seat)));
    }
    runUntil([&] { return host.server().name(Clients) == "Bench9" && host.server().queuedEntries() == 0; });

    const double idleBeforeGame = idleCpuMs();

    std::string start;
    clients[0]->onMessage = [&start](const std::string &m) {
        if (m.rfind("CMD_roundstart+", 0) == 0) {
            std::string_view rest(m);
            zz::wire::takeField(rest);
            zz::wire::takeField(rest);
            start = std::string(zz::wire::takeField(rest));
        }
    };
    clients[0]->send(zz::wire::startGameRequest("Bench1", "1000000", "1000000", true, true, true));
    runUntil([&] { return !start.empty(); });
    // The start word again changes no letter: a verdict (code 3) after the
    // length check and the dictionary look-up, as often as we like.
    const Percentiles quiet = percentiles(timeWords(*clients[0], start));

    long chatted = 0;
    bool flooding = true;
    for (int i = 1; i < Clients; ++i) {
        Client &c = *clients[i];
        const std::string own = "CMD_chat+" + std::to_string(c.seat) + "+";
        c.onMessage = [&, own, i](const std::string &m) {
            if (m.rfind(own, 0) != 0)
                return;
            ++chatted;
            if (flooding)
                clients[i]->send(zz::wire::chatRequest(clients[i]->seat, "flood line", "clBlack"));
        };
        for (int line = 0; line < LinesInFlight; ++line)
            c.send(zz::wire::chatRequest(c.seat, "flood line", "clBlack"));
    }
    QElapsedTimer floodClock;
    floodClock.start();
    const Percentiles flood = percentiles(timeWords(*clients[0], start));
    const double floodSeconds = double(floodClock.elapsed()) / 1e3;
    flooding = false;
    runUntil([&] { return host.server().queuedEntries() == 0; });

    const double idleInGame = idleCpuMs();

    std::printf("word round trip over %d words (sent %d ms after the previous verdict)\n", Words, WordPaceMs);
    std::printf("  quiet table:  p50 %7.3f ms  p99 %7.3f ms  max %7.3f ms\n", quiet.p50, quiet.p99, quiet.max);
    std::printf("  chat flood:   p50 %7.3f ms  p99 %7.3f ms  max %7.3f ms  (p50 x%.1f, p99 x%.1f of quiet)\n",
                flood.p50, flood.p99, flood.max, flood.p50 / quiet.p50, flood.p99 / quiet.p99);
    std::printf("  chat lines relayed during the flood: %ld in %.1f s (%.0f per s)\n", chatted, floodSeconds,
                double(chatted) / floodSeconds);
    std::printf("process CPU over %d idle seconds: %.2f ms before the game, %.2f ms during a game\n", IdleMs / 1000,
                idleBeforeGame, idleInGame);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--serve") == 0)
            return zz::runHeadlessHost(argc, argv);
    return runBench(argc, argv);
}
