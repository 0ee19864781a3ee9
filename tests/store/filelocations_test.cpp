#include "store/filelocations.h"

#include <gtest/gtest.h>

using namespace zz;
namespace fs = std::filesystem;

namespace {

FileLocationInputs inputs(const fs::path &program, bool writable)
{
    FileLocationInputs in;
    in.programFolder = program;
    in.programFolderWritable = writable;
    in.installedFolders = {"/usr/games"};
    in.userConfigFolder = "/home/ann/.config";
    in.userDataFolder = "/home/ann/.local/share";
    return in;
}

TEST(FileLocations, ChoiceFollowsHowTheProgramRuns)
{
    const struct {
        const char *name;
        fs::path program;
        bool writable;
        fs::path settings, tally;
    } cases[] = {
        {"a build", "/src/zigzop/build/src/app", true, "/src/zigzop/build/src/app", "/src/zigzop/build/src/app"},
        {"an unpacked folder nobody may write", "/opt/zigzop", false, "/home/ann/.config/zigzop",
         "/home/ann/.local/share/zigzop"},
        {"installed, run by a user", "/usr/games", false, "/home/ann/.config/zigzop", "/home/ann/.local/share/zigzop"},
        {"installed, run by root who could write there", "/usr/games", true, "/home/ann/.config/zigzop",
         "/home/ann/.local/share/zigzop"},
        {"installed, named with a trailing separator", "/usr/games/", true, "/home/ann/.config/zigzop",
         "/home/ann/.local/share/zigzop"},
        {"installed, named through a dot", "/usr/./games", true, "/home/ann/.config/zigzop",
         "/home/ann/.local/share/zigzop"},
        {"another prefix's binary folder", "/usr/local/games", true, "/usr/local/games", "/usr/local/games"},
        {"a folder below the installed one", "/usr/games/old", true, "/usr/games/old", "/usr/games/old"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const FileLocationInputs in = inputs(c.program, c.writable);
        EXPECT_EQ(settingsFolder(in), c.settings);
        EXPECT_EQ(tallyFolder(in), c.tally);
    }
}

TEST(FileLocations, OverridesWinWhereverTheProgramRuns)
{
    for (const fs::path program : {"/usr/games", "/src/zigzop/build/src/app"}) {
        SCOPED_TRACE(program.string());
        FileLocationInputs in = inputs(program, true);
        in.settingsOverride = "/srv/settings";
        EXPECT_EQ(settingsFolder(in), "/srv/settings");
        EXPECT_EQ(tallyFolder(in), runsInstalled(in) ? fs::path("/home/ann/.local/share/zigzop") : program);

        in.tallyOverride = "/srv/tally";
        EXPECT_EQ(settingsFolder(in), "/srv/settings");
        EXPECT_EQ(tallyFolder(in), "/srv/tally");

        // An empty variable counts as unset.
        in.settingsOverride = fs::path();
        EXPECT_EQ(settingsFolder(in), runsInstalled(in) ? fs::path("/home/ann/.config/zigzop") : program);
    }
}

} // namespace
