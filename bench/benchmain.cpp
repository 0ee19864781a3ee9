// zz_bench: the host's pace and the game's start, each beside its yardstick in
// one run. The host is measured under the seed's pacing (one entry per 10 ms
// for the whole table) and under each connection's own pace; the game's
// window beside a bare Qt window; `zz_bench --tables N [MINUTES]` what a
// table in a fleet costs. `zz_bench --serve [--port N]` runs the
// headless host instead, for trying it by hand.
#include "floodbench.h"
#include "host/headlesshost.h"
#include "hostbench.h"
#include "tablesbench.h"
#include "windowbench.h"

#include <QCoreApplication>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int WindowRuns = 7;

void printHost(const bench::HostFigures &seed, const bench::HostFigures &paced)
{
    auto row = [](const char *name, const bench::Percentiles &a, const bench::Percentiles &b) {
        std::printf("  %-38s p50 %7.3f  p99 %7.3f  max %7.3f | p50 %7.3f  p99 %7.3f  max %7.3f\n", name, a.p50, a.p99,
                    a.max, b.p50, b.p99, b.max);
    };
    std::printf("host (ms)                              seed: one entry per 10 ms, whole table  "
                "| each connection: %d/s, burst %d\n",
                100, 20);
    row("verdict, quiet, words 15 ms apart", seed.quiet, paced.quiet);
    row("verdict, back to back, runs of 20", seed.burstsBackToBack, paced.burstsBackToBack);
    row("verdict, back to back, no rest", seed.backToBack, paced.backToBack);
    row("verdict, 7-client flood, 15 ms apart", seed.flood, paced.flood);
    auto flood = [](const bench::HostFigures &f) {
        return std::to_string(f.floodSent) + " lines in " + std::to_string(int(f.floodSeconds)) + " s, "
               + std::to_string(f.floodMissing) + " missing, " + std::to_string(f.floodDisordered) + " out of order";
    };
    std::printf("  %-38s %-42s | %s\n", "flood lines relayed to all 8", flood(seed).c_str(), flood(paced).c_str());
    std::printf("  %-38s %6.1f ms CPU, %3ld wake-ups (main %3ld)     | %6.1f ms CPU, %3ld wake-ups (main %3ld)\n",
                "host idle 10 s, 9 seated, no game", seed.idle.cpuMs, seed.idle.wakeUps, seed.idle.mainWakeUps,
                paced.idle.cpuMs, paced.idle.wakeUps, paced.idle.mainWakeUps);
}

void printWindows(const std::vector<bench::WindowFigures> &w)
{
    if (w.size() != 3) {
        std::printf("windows: not measured (needs the X client library and DISPLAY, with a window manager)\n");
        return;
    }
    std::printf("\nwindow (exec to the window mapped, X polled every 2 ms)"
                "   bare Qt window | bare + a label | solo game\n");
    using F = bench::WindowFigures;
    auto row = [&w](const char *name, const char *format, auto value) {
        std::printf("  %-38s", name);
        for (const auto &f : w)
            std::printf(format, value(f));
        if (value(w[0]) > 0)
            std::printf("   game = %.2f x bare", value(w[2]) / value(w[0]));
        std::printf("\n");
    };
    row("start to window, median", "  %7.1f ms     ", [](const F &f) { return f.startMs; });
    row("main thread's CPU until then", "  %7.1f ms     ", [](const F &f) { return f.startCpuMs; });
    row("resident 1 s after the window", "  %7.1f MiB    ", [](const F &f) { return f.residentMiB; });
    row("  of it private (no mapped file)", "  %7.1f MiB    ", [](const F &f) { return f.privateMiB; });
    row("idle 10 s from 12 s after: CPU", "  %7.1f ms     ", [](const F &f) { return f.idle.cpuMs; });
    std::printf("  %-38s", "idle 10 s: wake-ups (main thread)");
    for (const auto &f : w)
        std::printf("  %4ld (%4ld)    ", f.idle.wakeUps, f.idle.mainWakeUps);
    std::printf("\n  start to window, fastest..slowest     ");
    for (const auto &f : w)
        std::printf("  %5.1f..%5.1f  ", f.startMinMs, f.startMaxMs);
    std::printf("\n  (%d runs each after one to warm the file cache, interleaved)\n", w[2].runs);
}

int runAll(int argc, char **argv)
{
    const bool isolated = bench::ownLoopbackOnly();
    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    std::printf("network: %s\n", isolated ? "a namespace of its own, loopback only" : "the machine's loopback");
    std::fflush(stdout);

    // --windows: only the windows, e.g. with ZZ_BENCH_GAME naming an older build of the game.
    const bool windowsOnly = argc > 1 && std::strcmp(argv[1], "--windows") == 0;
    bench::HostFigures seed, paced;
    if (!windowsOnly) {
        seed = bench::measureHost(self, true);
        paced = bench::measureHost(self, false);
        printHost(seed, paced);
        std::fflush(stdout);
    }

    std::vector<bench::WindowFigures> windows;
#ifdef ZZ_WITH_X
    if (std::getenv("DISPLAY")) {
        const std::string user = "USER=zz-bench-" + std::to_string(getpid()); // a single-instance lock of its own
        const char *game = std::getenv("ZZ_BENCH_GAME");
        windows = bench::measureWindows({ZZ_BARE_WINDOW, ZZ_BARE_WINDOW " --text", game ? game : ZZ_GAME},
                                        {"bare", "bare", "ZigZop"}, {user}, WindowRuns);
    }
#endif
    printWindows(windows);
    return windowsOnly || (seed.ok && paced.ok) ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--serve") == 0)
            return zz::runHeadlessHost(argc, argv);
    }
    // --tables N [MINUTES]: the cost of a table in a fleet.
    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "--tables") == 0) {
        QCoreApplication app(argc, argv);
        const char *game = std::getenv("ZZ_BENCH_GAME");
        return bench::runTables(game ? game : ZZ_GAME, std::atoi(argv[2]), argc == 4 ? std::atof(argv[3]) : 2.0);
    }
    if (argc == 3 && std::strcmp(argv[1], "--host") == 0)
        return bench::runHost(argc, argv, std::strcmp(argv[2], "seed") == 0);
    if (argc == 3 && std::strcmp(argv[1], "--flood") == 0) {
        QCoreApplication app(argc, argv);
        return bench::runFlood(std::uint16_t(std::atoi(argv[2])));
    }
    return runAll(argc, argv);
}
