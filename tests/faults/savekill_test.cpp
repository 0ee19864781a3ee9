// A saver process is killed at moments spread over its saves, hundreds of
// times, and what it leaves is read with the loaders the game uses at start:
// the settings and the tally must each be exactly the old or the new content,
// and leftover temporaries must not pile up. Slow, so outside the quick suite.
#include "store/atomicfile.h"
#include "store/settings.h"
#include "store/tallyfile.h"
#include "support/files.h"

#include "core/names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include <csignal>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zz;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int DefaultRounds = 300;
constexpr auto TimeBound = std::chrono::seconds(60);

struct Contents
{
    SavedSettings settings;
    std::array<std::string, PhraseKeyCount> phrases{};
    TallyTable tally;
};

Contents makeContents(int players, int size, const char *phrase)
{
    Contents c;
    c.settings.textSize = size;
    c.settings.bounds = {10 + size, 20 + size, 700 + size, 500 + size};
    c.settings.playTo = 100 * size;
    c.settings.botSpeed = size % 2 ? BotSpeedFast : BotSpeedSlow;
    c.phrases.fill(phrase);
    // A well-used tally: a long-time player follows many others.
    for (int p = 0; p < players; ++p)
        c.tally.addPlayer("Player" + std::to_string(p));
    for (int game = 0; game < players; ++game)
        c.tally.addGame("Player" + std::to_string(game % 7), {"Player" + std::to_string(game)});
    return c;
}

// What the game's own loader shows of the settings file.
using SettingsView = std::tuple<int, WindowBounds, std::optional<int>, int, std::array<std::string, PhraseKeyCount>>;

SettingsView viewOf(const LoadedSettings &s)
{
    return {s.textSize, s.bounds, s.playTo, s.botSpeed, s.phrases};
}

SettingsView viewOf(const Contents &c)
{
    return {c.settings.textSize, c.settings.bounds, c.settings.playTo, c.settings.botSpeed, c.phrases};
}

std::string tallyViewOf(const Contents &c)
{
    TallyTable loaded = c.tally;
    loaded.startSession();   // as every load does
    return loaded.toText();
}

std::string bytesOf(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

struct Files
{
    fs::path settings;
    fs::path tally;
};

// The game's own save paths, as the window's close and the end of a game use them.
bool saveBoth(const Files &files, const Contents &c)
{
    const bool settingsSaved = updateIniFile(files.settings, [&](IniFile &ini) {
        writeSettings(ini, c.settings);
        writePhrases(ini, c.phrases);
    });
    return saveTally(files.tally, c.tally) && settingsSaved;
}

// The child: says it is starting, then saves new and old by turns, reporting
// each finished pair, until it is killed. Never returns into the test.
[[noreturn]] void saveUntilKilled(int report, const Files &files, const Contents &first, const Contents &second)
{
    const char ready = 'r';
    const char pair = 'p';
    if (::write(report, &ready, 1) != 1)
        ::_exit(3);
    for (int n = 0;; ++n) {
        if (!saveBoth(files, n % 2 == 0 ? first : second))
            ::_exit(2);
        if (::write(report, &pair, 1) != 1)
            ::_exit(3);
    }
}

// Where the saver was when the kill went out, as the system saw it a moment
// before: a sample, since the saver runs on meanwhile.
std::string phaseOf(pid_t pid)
{
    const std::string proc = "/proc/" + std::to_string(pid);
    std::ifstream in(proc + "/syscall");
    std::string number, firstArgument;
    if (!(in >> number))
        return "not known";
    if (number == "running")
        return "running (its own code or a quick system call)";
    in >> firstArgument;
    const long call = std::strtol(number.c_str(), nullptr, 10);
    std::error_code error;
    const fs::path open = fs::read_symlink(
        proc + "/fd/" + std::to_string(std::strtol(firstArgument.c_str(), nullptr, 16)), error);
    if (call == SYS_fsync || call == SYS_fdatasync)
        return fs::is_directory(open, error) ? "flushing the folder" : "flushing the file";
    if (call == SYS_write)
        return open.string().starts_with("pipe:") ? "reporting a saved pair" : "writing";
    if (call == SYS_renameat || call == SYS_renameat2)
        return "renaming";
#ifdef SYS_rename
    if (call == SYS_rename)
        return "renaming";
#endif
    return "in another system call";
}

class SaveUnderKill : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = test::freshTestFolder("zz_savekill_");
        files = {dir / std::string(setting::FileName), tallyFileIn(dir)};
    }
    void TearDown() override { fs::remove_all(dir); }

    // Temporaries beside the files, noting how far the ones this round's kill
    // left had come; anything else there but the two files fails the test.
    int temporaries()
    {
        const auto aged = fs::file_time_type::clock::now() - StaleTemporaryAge;
        int count = 0;
        for (const auto &entry : fs::directory_iterator(dir)) {
            const std::string name = entry.path().filename().string();
            if (entry.path() == files.settings || entry.path() == files.tally)
                continue;
            const bool temporary = name.starts_with(files.settings.filename().string() + ".saving-")
                || name.starts_with(files.tally.filename().string() + ".saving-");
            EXPECT_TRUE(temporary) << "stray file " << name;
            if (!temporary)
                continue;
            ++count;
            if (entry.last_write_time() > aged) {
                const auto size = entry.file_size();
                ++figures.leftBehind[size == 0 ? "empty" : wholeSizes.contains(size) ? "whole" : "partly written"];
            }
        }
        return count;
    }

    // Stands for the time that passes before the next start, so that the next
    // save may take what the killed one left as abandoned.
    void ageTemporaries() const
    {
        const auto past = fs::file_time_type::clock::now() - StaleTemporaryAge - std::chrono::minutes(1);
        for (const auto &entry : fs::directory_iterator(dir)) {
            if (entry.path() != files.settings && entry.path() != files.tally)
                fs::last_write_time(entry.path(), past);
        }
    }

    // Saves old and new by turns, timing them, and leaves the old content in
    // place; returns how long one pair of saves takes.
    Clock::duration putOldInPlace()
    {
        EXPECT_NE(viewOf(oldOne), viewOf(newOne));
        EXPECT_NE(tallyViewOf(oldOne), tallyViewOf(newOne));
        constexpr int TimedPairs = 10;
        const auto started = Clock::now();
        for (int n = 0; n <= TimedPairs; ++n)
            EXPECT_TRUE(saveBoth(files, n % 2 ? newOne : oldOne));
        const auto pairTime = (Clock::now() - started) / (TimedPairs + 1);
        oldBytes = {bytesOf(files.settings), bytesOf(files.tally)};
        EXPECT_TRUE(saveBoth(files, newOne));
        newBytes = {bytesOf(files.settings), bytesOf(files.tally)};
        EXPECT_TRUE(saveBoth(files, oldOne));
        // Saving the same settings again must give the same bytes, or "old" would mean two texts.
        EXPECT_EQ(bytesOf(files.settings), oldBytes[0]);
        for (const auto &bytes : {oldBytes, newBytes})
            wholeSizes.insert({bytes[0].size(), bytes[1].size()});
        return pairTime;
    }

    // Both files, through the loaders, hold exactly the old or the new content.
    void expectOldOrNew()
    {
        const std::optional<IniFile> ini = readIniFile(files.settings);
        ASSERT_TRUE(ini);
        const SettingsView settings = viewOf(readSettings(*ini));
        ASSERT_TRUE(settings == viewOf(oldOne) || settings == viewOf(newOne));
        const bool settingsNew = settings == viewOf(newOne);
        EXPECT_EQ(bytesOf(files.settings), (settingsNew ? newBytes : oldBytes)[0]);
        figures.newSettings += settingsNew ? 1 : 0;

        const TallyLoad tally = loadTally(files.tally);
        ASSERT_EQ(tally.error, "");
        const std::string text = tally.table.toText();
        ASSERT_TRUE(text == tallyViewOf(oldOne) || text == tallyViewOf(newOne));
        const bool tallyNew = text == tallyViewOf(newOne);
        EXPECT_EQ(bytesOf(files.tally), (tallyNew ? newBytes : oldBytes)[1]);
        figures.newTally += tallyNew ? 1 : 0;
    }

    struct Figures
    {
        int newSettings = 0;
        int newTally = 0;
        int withPair = 0;
        int mostAtOnce = 0;
        std::map<std::string, int> leftBehind;
        std::map<std::string, int> phases;

        void print(int rounds) const
        {
            std::printf("settings afterwards: old %d, new %d\n", rounds - newSettings, newSettings);
            std::printf("tally afterwards:    old %d, new %d\n", rounds - newTally, newTally);
            std::printf("rounds with a whole pair saved before the kill: %d\n", withPair);
            std::printf("most temporaries beside the files at once: %d\n", mostAtOnce);
            for (const auto &[state, count] : leftBehind)
                std::printf("temporaries left %s: %d\n", state.c_str(), count);
            for (const auto &[phase, count] : phases)
                std::printf("killed while %s: %d\n", phase.c_str(), count);
        }
    };

    fs::path dir;
    Files files;
    const Contents oldOne = makeContents(150, 9, "old phrase");
    const Contents newOne = makeContents(180, 12, "the new phrase");
    std::array<std::string, 2> oldBytes;   // settings, tally
    std::array<std::string, 2> newBytes;
    std::set<std::uintmax_t> wholeSizes;
    Figures figures;
};

struct Round
{
    std::string phase;
    int pairsSaved = 0;
};

// Forks a saver, lets it run for delay after it reports, and kills it.
Round killDuringSaves(const Files &files, const Contents &first, const Contents &second, Clock::duration delay)
{
    int report[2];
    if (::pipe(report) != 0)
        return {"no pipe", -1};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(report[0]);
        saveUntilKilled(report[1], files, first, second);
    }
    ::close(report[1]);
    if (pid < 0) {
        ::close(report[0]);
        return {"no process", -1};
    }
    Round round;
    pollfd ready{report[0], POLLIN, 0};
    char byte = 0;
    const bool started = ::poll(&ready, 1, 10000) == 1 && ::read(report[0], &byte, 1) == 1 && byte == 'r';
    if (started) {
        // A spin, not a sleep: the moment must be finer than the scheduler's.
        const auto until = Clock::now() + delay;
        while (Clock::now() < until) {
        }
        round.phase = phaseOf(pid);
    }
    int status = 0;
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    if (!started || !WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL)
        round.pairsSaved = -1;   // it never got going, or ended on its own: a save failed
    while (round.pairsSaved >= 0 && ::read(report[0], &byte, 1) == 1)
        ++round.pairsSaved;
    ::close(report[0]);
    return round;
}

int roundsToRun()
{
    const char *text = std::getenv("ZIGZOP_SAVEKILL_ROUNDS");
    const int rounds = text ? std::atoi(text) : DefaultRounds;
    return rounds > 0 ? rounds : DefaultRounds;
}

TEST_F(SaveUnderKill, SettingsAndTallyAreAlwaysOldOrNew)
{
    const auto started = Clock::now();
    const auto pairTime = putOldInPlace();
    ASSERT_FALSE(HasFatalFailure());

    const int rounds = roundsToRun();
    int done = 0;
    for (; done < rounds && Clock::now() - started < TimeBound; ++done) {
        SCOPED_TRACE("round " + std::to_string(done));
        // Spread over three pairs of saves in an order that jumps about, denser
        // at the start so the first save's short writing steps get their share.
        const double share = static_cast<double>((done * 7919) % rounds) / rounds;
        const auto delay = std::chrono::duration_cast<Clock::duration>(pairTime * 3 * share * share * share);
        const Round round = killDuringSaves(files, newOne, oldOne, delay);
        ASSERT_GE(round.pairsSaved, 0) << "the saver did not start or a save failed";
        ++figures.phases[round.phase];
        expectOldOrNew();
        ASSERT_FALSE(HasFatalFailure());

        const int left = temporaries();
        figures.mostAtOnce = std::max(figures.mostAtOnce, left);
        // Once a whole pair was saved, everything left before this round is gone:
        // at most the save in progress remains.
        if (round.pairsSaved > 0) {
            ++figures.withPair;
            EXPECT_LE(left, 1);
        }
        ageTemporaries();
    }

    // A later ordinary save clears whatever the kills left.
    ASSERT_TRUE(saveBoth(files, oldOne));
    EXPECT_EQ(temporaries(), 0);

    std::printf("rounds: %d of %d (%.1f s in all; one save pair %.2f ms)\n", done, rounds,
                std::chrono::duration<double>(Clock::now() - started).count(),
                std::chrono::duration<double, std::milli>(pairTime).count());
    figures.print(done);
    EXPECT_GE(done, std::min(rounds, 50)) << "too few rounds inside the time bound to mean anything";
}

} // namespace
