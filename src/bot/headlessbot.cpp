#include "bot/headlessbot.h"

#include "bot/bot.h"
#include "dict/builtindata.h"
#include "dict/dictionary.h"
#include "net/signalwatcher.h"
#include "net/streamsocket.h"
#include "session/clientsession.h"

#include <QCoreApplication>

#include <charconv>
#include <cstdio>

namespace zz {

namespace {

std::optional<std::uint16_t> portNumber(std::string_view text)
{
    unsigned number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || number == 0 || number > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(number);
}

std::optional<int> speedInterval(std::string_view speed)
{
    if (speed == "slow")
        return BotSpeedSlow;
    if (speed == "normal")
        return BotSpeedNormal;
    if (speed == "fast")
        return BotSpeedFast;
    return std::nullopt;
}

// HOST or HOST:PORT into the arguments; false when either part is bad.
bool readAddress(std::string_view address, BotArguments &arguments)
{
    const std::size_t colon = address.find(':');
    arguments.host = std::string(address.substr(0, colon));
    if (arguments.host.empty())
        return false;
    if (colon == std::string_view::npos)
        return true;
    const std::optional<std::uint16_t> port = portNumber(address.substr(colon + 1));
    if (!port)
        return false;
    arguments.port = *port;
    return true;
}

void logLine(const QString &line)
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

QString roundLine(const BotRound &round)
{
    const QString which =
        round.round > 0 ? QStringLiteral("round %1").arg(round.round) : QStringLiteral("round joined late");
    const QString words = round.start.toUpper() + QStringLiteral(" to ") + round.end.toUpper();
    const QString outcome = round.completed ? QStringLiteral("completed in %1 words, %2 s")
                                                  .arg(round.words)
                                                  .arg(double(round.elapsedMs) / 1000, 0, 'f', 1)
                                            : QStringLiteral("not completed (%1 words)").arg(round.words);
    return which + QStringLiteral(": ") + words + QStringLiteral(", ") + outcome
           + QStringLiteral("; score %1").arg(round.score);
}

} // namespace

std::optional<BotArguments> parseBotArguments(int argc, const char *const *argv)
{
    BotArguments arguments;
    bool address = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        // Every option takes a value, and no value looks like an option.
        if (i + 1 >= argc)
            return std::nullopt;
        const std::string_view value = argv[++i];
        if (value.empty() || value.starts_with("--"))
            return std::nullopt;
        if (option == "--bot" && !address) {
            if (!readAddress(value, arguments))
                return std::nullopt;
            address = true;
        } else if (option == "--name") {
            arguments.name = std::string(value);
        } else if (option == "--speed") {
            const std::optional<int> interval = speedInterval(value);
            if (!interval)
                return std::nullopt;
            arguments.intervalMs = *interval;
        } else {
            return std::nullopt;
        }
    }
    return address ? std::optional(arguments) : std::nullopt;
}

int runHeadlessBot(int argc, char **argv)
{
    const std::optional<BotArguments> arguments = parseBotArguments(argc, argv);
    if (!arguments) {
        std::fputs(BotUsage.data(), stderr);
        return 2;
    }
    QCoreApplication app(argc, argv);
    SignalWatcher watcher;
    QObject::connect(&watcher, &SignalWatcher::signalled, &app, [](int) { QCoreApplication::exit(0); });
    if (builtinDictionary().failed())
        std::fprintf(stderr, "%s\n", std::string(Dictionary::FailureMessage).c_str());

    Bot bot(builtinDictionary(), builtinLadderSolver());
    bot.setName(QString::fromLocal8Bit(arguments->name.c_str()));
    bot.setInterval(arguments->intervalMs);
    const QString table = QString::fromStdString(arguments->host) + QLatin1Char(':') + QString::number(arguments->port);
    bool full = false;
    bool watcherSeat = false;
    bool wouldOwn = false;
    QString unreachable;
    QObject::connect(&bot, &Bot::joined, &app, [&](int seat, const QString &name) {
        logLine(QStringLiteral("joined %1 as %2, seat %3").arg(table, name).arg(seat));
    });
    QObject::connect(&bot, &Bot::roundPlayed, &app, [](const BotRound &round) { logLine(roundLine(round)); });
    QObject::connect(&bot, &Bot::winnerAnnounced, &app,
                     [](const QString &name) { logLine(QStringLiteral("winner: ") + name); });
    QObject::connect(&bot, &Bot::tableFull, &app, [&full] { full = true; });
    QObject::connect(&bot, &Bot::noPlayerSeat, &app, [&watcherSeat] { watcherSeat = true; });
    QObject::connect(&bot, &Bot::wouldOwnTable, &app, [&wouldOwn] { wouldOwn = true; });
    QObject::connect(&bot, &Bot::unreachable, &app, [&unreachable](const QString &why) { unreachable = why; });
    QObject::connect(&bot, &Bot::left, &app, [&] {
        if (wouldOwn) {
            std::fprintf(stderr, "zigzop: left the table at %s: its lowest seat owns it, and a computer player "
                                 "never starts games; start it once a person has joined\n",
                         table.toLocal8Bit().constData());
            QCoreApplication::exit(1);
            return;
        }
        if (bot.loggedIn()) {
            logLine(QStringLiteral("the table closed the connection"));
            QCoreApplication::exit(0);
            return;
        }
        QString why = full          ? QStringLiteral("the table at %1 is full")
                      : watcherSeat ? QStringLiteral("the table at %1 has no free player seat")
                                    : QStringLiteral("no table answered at %1");
        why = why.arg(table);
        if (!unreachable.isEmpty())
            why += QStringLiteral(" (") + unreachable + QLatin1Char(')');
        std::fprintf(stderr, "zigzop: %s\n", why.toLocal8Bit().constData());
        QCoreApplication::exit(1);
    });
    try {
        bot.connectTo(arguments->host, arguments->port);
    } catch (const SocketError &e) {
        std::fprintf(stderr, "zigzop: %s: %s\n", table.toLocal8Bit().constData(), e.what());
        return 1;
    }
    return QCoreApplication::exec();
}

} // namespace zz
