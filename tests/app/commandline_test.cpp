#include "app/commandline.h"

#include "support/waitfor.h"

#include <QProcess>
#include <gtest/gtest.h>

#include <vector>

using namespace zz;

namespace {

StartMode modeOf(std::vector<const char *> args)
{
    args.insert(args.begin(), "zigzop");
    return startMode(static_cast<int>(args.size()), args.data());
}

struct ProgramRun
{
    int exitCode = -1;
    QString out;
};

ProgramRun runProgram(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(ZIGZOP_BINARY), args);
    const bool ended = zz::test::waitFor([&] { return process.state() == QProcess::NotRunning; }, 10000);
    EXPECT_TRUE(ended);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput())};
}

} // namespace

TEST(CommandLine, ModeFromArguments)
{
    const struct { const char *name; std::vector<const char *> args; StartMode mode; } cases[] = {
        {"no arguments", {}, StartMode::Play},
        {"launch parameters", {"Ann", "10.0.0.5", "true"}, StartMode::Play},
        {"serve anywhere", {"--port", "9000", "--serve"}, StartMode::Serve},
        {"serve wins over help", {"--help", "--serve"}, StartMode::Serve},
        {"bot", {"--bot", "127.0.0.1"}, StartMode::Bot},
        {"serve wins over bot", {"--bot", "127.0.0.1", "--serve"}, StartMode::Serve},
        {"matchmaker", {"--listen", "80", "--matchmaker"}, StartMode::Matchmaker},
        {"matchmaker wins over help", {"--help", "--matchmaker"}, StartMode::Matchmaker},
        {"bot wins over help", {"--help", "--bot", "127.0.0.1"}, StartMode::Bot},
        {"help after parameters", {"Ann", "--help"}, StartMode::Help},
        {"version", {"--version"}, StartMode::Version},
        {"a name is not an option", {"--helper", "x", "false"}, StartMode::Play},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(modeOf(c.args), c.mode);
    }
}

TEST(CommandLine, InstanceNameIsPerUser)
{
    qputenv("USER", "ann");
    EXPECT_EQ(singleInstanceName(), QStringLiteral("77biuqann"));
    qputenv("USER", "bo");
    EXPECT_EQ(singleInstanceName(), QStringLiteral("77biuqbo"));
}

TEST(CommandLine, ProgramPrintsVersionAndHelpAndEnds)
{
    const ProgramRun version = runProgram({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("Zig Zop 1.0.2\n"));

    const ProgramRun help = runProgram({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("zigzop NAME ADDRESS true")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("zigzop --bot HOST[:PORT]")));
}
