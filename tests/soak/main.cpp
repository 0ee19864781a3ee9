// The soak: a headless host kept busy by computer players, chat clients and
// abusive connections over several games, then checked for what it kept.
//   zz_soak --program PATH/zigzop [--games N]
#include "report.h"
#include "scenario.h"

#include <QCoreApplication>

#include <cstdio>
#include <optional>

namespace {

std::optional<zz::soak::Options> readOptions(const QStringList &arguments)
{
    zz::soak::Options options;
    for (int i = 1; i + 1 < arguments.size(); i += 2) {
        const QString &name = arguments[i], &value = arguments[i + 1];
        bool number = true;
        if (name == QStringLiteral("--program"))
            options.program = value;
        else if (name == QStringLiteral("--games"))
            options.games = value.toInt(&number);
        else
            return std::nullopt;
        if (!number)
            return std::nullopt;
    }
    if (arguments.size() % 2 == 0 || options.program.isEmpty() || options.games < 3)
        return std::nullopt;
    return options;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const std::optional<zz::soak::Options> options = readOptions(QCoreApplication::arguments());
    if (!options) {
        std::fputs("usage: zz_soak --program PATH [--games N]   (N: 3 or more, default 3)\n", stderr);
        return 2;
    }
    zz::soak::Report report;
    zz::soak::Scenario scenario(*options, report);
    QObject::connect(&scenario, &zz::soak::Scenario::finished, &app, &QCoreApplication::quit);
    scenario.start();
    QCoreApplication::exec();
    return report.finish();
}
