#include "app/commandline.h"
#include "app/dailycommand.h"
#include "daily/schedule.h"

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
        {"daily", {"--daily", "2027-01-05"}, StartMode::Daily},
        {"daily wins over help", {"--help", "--daily"}, StartMode::Daily},
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

TEST(CommandLine, DailyPrintsTheDayOrOneClearError)
{
    const zz::DailySchedule schedule("1 2026-12-01 COLD WARM 4\n2 2026-12-02 HEAD TAIL 5\n");
    const zz::CivilDate today{2026, 12, 2};
    const struct
    {
        const char *name;
        std::vector<std::string> args;
        int code;
        std::string out, error;
    } cases[] = {
        {"today", {}, 0, "#2 2026-12-02 HEAD TAIL par 5\n", ""},
        {"a date", {"2026-12-01"}, 0, "#1 2026-12-01 COLD WARM par 4\n", ""},
        {"before puzzle 1", {"2026-11-30"}, 2, "",
         "zigzop: there is no daily puzzle on 2026-11-30; the schedule runs from 2026-12-01 to 2026-12-02\n"},
        {"past the schedule", {"2026-12-03"}, 2, "",
         "zigzop: there is no daily puzzle on 2026-12-03; the schedule runs from 2026-12-01 to 2026-12-02\n"},
        {"not a date", {"2026-02-30"}, 2, "", "zigzop: \"2026-02-30\" is not a date; write it as YYYY-MM-DD\n"},
        {"two dates", {"2026-12-01", "2026-12-02"}, 2, "", "zigzop: --daily takes at most one date, as YYYY-MM-DD\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const zz::DailyAnswer answer = zz::dailyAnswer(schedule, c.args, today);
        EXPECT_EQ(answer.exitCode, c.code);
        EXPECT_EQ(answer.out, c.out);
        EXPECT_EQ(answer.error, c.error);
    }
    // Today outside the schedule is the same clear error.
    EXPECT_EQ(zz::dailyAnswer(schedule, {}, {2030, 1, 1}).exitCode, 2);
}

TEST(CommandLine, ProgramPrintsTheShippedFirstDay)
{
    const ProgramRun first = runProgram({QStringLiteral("--daily"), QStringLiteral("2026-12-01")});
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_TRUE(first.out.startsWith(QStringLiteral("#1 2026-12-01 "))) << first.out.toStdString();
    EXPECT_EQ(runProgram({QStringLiteral("--daily"), QStringLiteral("soon")}).exitCode, 2);
}
