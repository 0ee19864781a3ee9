#include "commandline.h"

#include "core/names.h"

#include <QDir>
#include <QtGlobal>

#include <string_view>

namespace zz {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

bool hasArgument(int argc, const char *const *argv, std::string_view wanted)
{
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == wanted)
            return true;
    }
    return false;
}

} // namespace

StartMode startMode(int argc, const char *const *argv)
{
    if (hasArgument(argc, argv, "--serve"))
        return StartMode::Serve;
    if (hasArgument(argc, argv, "--bot"))
        return StartMode::Bot;
    if (hasArgument(argc, argv, "--matchmaker"))
        return StartMode::Matchmaker;
    if (hasArgument(argc, argv, "--daily"))
        return StartMode::Daily;
    if (hasArgument(argc, argv, "--help"))
        return StartMode::Help;
    if (hasArgument(argc, argv, "--version"))
        return StartMode::Version;
    return StartMode::Play;
}

QString helpText()
{
    return QStringLiteral("Usage:\n"
                          "  zigzop                        host a solo table on port %1 and play as \"%2\"\n"
                          "  zigzop NAME ADDRESS true      host a table and play as NAME\n"
                          "  zigzop NAME ADDRESS false     join the table at ADDRESS as NAME\n"
                          "  zigzop --serve [--port N] [--announce ADDRESS] [--name TEXT]\n"
                          "                                run the host alone, without a window; --announce\n"
                          "                                tells ADDRESS (UDP port 7773) of the table every 2 s\n"
                          "         [--empty-shutdown SECONDS]\n"
                          "                                under a fleet (AGONES_SDK_HTTP_PORT set), ask to end\n"
                          "                                the table once empty this long (60; 0 never)\n"
                          "  zigzop --bot HOST[:PORT] [--name NAME] [--speed slow|normal|fast]\n"
                          "                                join a table as a computer player (PORT %1 unless given)\n"
                          "  zigzop --matchmaker --listen [ADDRESS:]PORT --allocator https://HOST[:PORT]\n"
                          "         --client-cert FILE --client-key FILE --ca FILE [--namespace NAME]\n"
                          "         [--fleet NAME] [--tls-cert FILE --tls-key FILE]\n"
                          "                                hand out tables of a fleet to games (Quick Match)\n"
                          "  zigzop --daily [YYYY-MM-DD]   print the day's daily ladder (today's unless given)\n"
                          "  zigzop --help                 show this text\n"
                          "  zigzop --version              show the version\n"
                          "\n"
                          "Only one game runs per user; starting another brings the first to the front.\n"
                          "Set ZIGZOP_ALLOW_SECOND_INSTANCE=1 to run several clients on one machine.\n")
        .arg(text(GamePortName), text(SoloPlayerName));
}

QString versionText()
{
    return text(ApplicationTitle) + QLatin1Char(' ') + text(VersionText) + QLatin1Char('\n');
}

QString singleInstanceName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    if (user.isEmpty())
        user = QDir::home().dirName();   // still one name per user
    return text(SingleInstanceName) + user;
}

bool secondInstanceAllowed()
{
    return qEnvironmentVariable("ZIGZOP_ALLOW_SECOND_INSTANCE") == QStringLiteral("1");
}

} // namespace zz
