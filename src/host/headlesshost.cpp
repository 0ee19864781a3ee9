#include "host/headlesshost.h"

#include "core/names.h"
#include "dict/dictionary.h"
#include "host/logfailures.h"
#include "host/hostserver.h"
#include "host/hostservice.h"
#include "host/tableannouncer.h"
#include "net/signalwatcher.h"
#include "net/streamsocket.h"

#include <QCoreApplication>

#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zz {

namespace {

struct ServeOptions
{
    std::string port{GamePortName};
    std::optional<std::string> announceTo;   // where to announce the table, when asked
    std::string tableName;                   // empty: the owner's name
    int emptyShutdownSeconds = 60;
};

std::optional<unsigned> numberOf(std::string_view value, unsigned largest)
{
    unsigned number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (value.empty() || error != std::errc() || end != value.data() + value.size() || number > largest)
        return std::nullopt;
    return number;
}

// What the command line asks of the table, or nullopt when the arguments are bad.
std::optional<ServeOptions> serveOptions(int argc, char **argv)
{
    ServeOptions options;
    bool serve = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--serve") {
            serve = true;
        } else if (arg == "--port" && hasValue) {
            const std::optional<unsigned> number = numberOf(argv[++i], 65535);
            if (!number)
                return std::nullopt;
            options.port = std::to_string(*number);
        } else if (arg == "--empty-shutdown" && hasValue) {
            // A day at most: longer is as good as never, which 0 says.
            const std::optional<unsigned> seconds = numberOf(argv[++i], 86400);
            if (!seconds)
                return std::nullopt;
            options.emptyShutdownSeconds = static_cast<int>(*seconds);
        } else if (arg == "--announce" && hasValue && *argv[i + 1] != '\0') {
            options.announceTo = argv[++i];
        } else if (arg == "--name" && hasValue) {
            options.tableName = argv[++i];
        } else {
            return std::nullopt;
        }
    }
    if (!serve)
        return std::nullopt;
    return options;
}

// Wire bytes are Windows-1252; a control byte must not reach the terminal.
std::string printable(const std::string &bytes)
{
    QString text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    for (QChar &c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    return text.toStdString();
}

void logLine(const std::string &line)
{
    std::fputs((line + '\n').c_str(), stdout);
    std::fflush(stdout);
}

void logServer(const HostServer &server)
{
    QObject::connect(&server, &HostServer::seatTaken, &server,
                     [](int seat) { logLine("connection: seat " + std::to_string(seat)); });
    QObject::connect(&server, &HostServer::connectionRefused, &server,
                     [] { logLine("connection refused: the table is full"); });
    QObject::connect(&server, &HostServer::connectionDropped, &server,
                     [](int seat) { logLine("dropped: seat " + std::to_string(seat) + " sent too much"); });
    QObject::connect(&server, &HostServer::seatReleased, &server, [](int seat, const std::string &name) {
        logLine("left: seat " + std::to_string(seat) + " " + printable(name));
    });
    QObject::connect(&server, &HostServer::loggedIn, &server, [](int seat, const std::string &name) {
        logLine("login: seat " + std::to_string(seat) + " " + printable(name));
    });
    QObject::connect(&server, &HostServer::gameStarted, &server, [](const std::string &name, int playTo, int time) {
        logLine("game started by " + printable(name) + ": play to " + std::to_string(playTo) + ", "
                + std::to_string(time) + " s per turn");
    });
    QObject::connect(&server, &HostServer::roundStarted, &server,
                     [](int round, const std::string &start, const std::string &end) {
                         logLine("round " + std::to_string(round) + ": " + start + " to " + end);
                     });
    QObject::connect(&server, &HostServer::winnerDeclared, &server,
                     [](const std::string &name) { logLine("winner: " + printable(name)); });
}

} // namespace

int runHeadlessHost(int argc, char **argv, const CompanionFactory &makeCompanion)
{
    const std::optional<ServeOptions> options = serveOptions(argc, argv);
    if (!options) {
        std::fputs("usage: zigzop --serve [--port N] [--announce ADDRESS] [--name TEXT] [--empty-shutdown SECONDS]\n"
                   "  N: 0..65535, default 7772; ADDRESS: an IPv4 address, such as a network's broadcast address\n"
                   "  SECONDS: 0..86400, default 60; 0 never (only under a fleet's sidecar)\n",
                   stderr);
        return 2;
    }
    QCoreApplication app(argc, argv);
    HostService service;
    std::unique_ptr<TableCompanion> companion;
    try {
        if (makeCompanion)
            companion = makeCompanion(ServedTable{service, options->emptyShutdownSeconds,
                                                  [](int code) { QCoreApplication::exit(code); }});
    } catch (const std::runtime_error &e) {
        std::fprintf(stderr, "Zig Zop host: %s\n", e.what());
        return 1;
    }
    SignalWatcher watcher;
    QObject::connect(&watcher, &SignalWatcher::signalled, &app, [&service, &companion](int) {
        if (companion)
            companion->tableClosing();
        service.closeAll();
        QCoreApplication::quit();
    });

    if (service.dictionaryFailed())
        std::fprintf(stderr, "%s\n", std::string(Dictionary::FailureMessage).c_str());
    logServer(service.server());
    try {
        service.listen(options->port);
    } catch (const SocketError &e) {
        std::fprintf(stderr, "Zig Zop host: %s\n", e.what());
        return 1;
    }
    if (companion)
        companion->tableListening();
    logLine("serving on port " + std::to_string(service.localPort()));
    std::string joinAt;
    for (const std::string &address : TableAnnouncer::joinAddresses(service.localPort()))
        joinAt += (joinAt.empty() ? "" : ", ") + address;
    logLine("players join at: " + joinAt);

    TableAnnouncer announcer(service.server(), service.localPort());
    announcer.setTableName(options->tableName);
    if (options->announceTo) {
        const std::vector<net::IpAddress> targets = TableAnnouncer::targets(*options->announceTo);
        if (targets.empty())
            return 2;
        announcer.start(targets);
        logLine("announcing the table to " + *options->announceTo + " port " + std::to_string(net::AnnouncePort));
    }
    return QCoreApplication::exec();
}

} // namespace zz
