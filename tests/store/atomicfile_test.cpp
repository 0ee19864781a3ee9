#include "store/atomicfile.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

using namespace zz;
namespace fs = std::filesystem;

namespace {

class AtomicFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = test::freshTestFolder("zz_atomicfile_");
        fs::create_directories(dir / "real");
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir;
};

TEST_F(AtomicFile, ReplacedFileKeepsItsPermissions)
{
    using P = fs::perms;
    const struct { const char *name; P perms; } cases[] = {
        {"private", P::owner_read | P::owner_write},
        {"group may read", P::owner_read | P::owner_write | P::group_read},
        {"read-only for its owner too", P::owner_read},
        {"everyone", P::owner_all | P::group_all | P::others_all},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir / "real" / "quibplazo.ini";
        fs::remove(file);
        std::ofstream(file) << "old";
        fs::permissions(file, c.perms, fs::perm_options::replace);
        ASSERT_TRUE(writeFileAtomically(file, "new"));
        EXPECT_EQ(fs::status(file).permissions(), c.perms);
        EXPECT_EQ(test::fileBytes(file), "new");
        EXPECT_EQ(test::entriesIn(dir / "real"), 1);
    }
}

TEST_F(AtomicFile, WritesThroughSymbolicLinksAndKeepsThem)
{
    const fs::path target = dir / "real" / "Zigzoptally.tld";
    const struct { const char *name; fs::path link; fs::path pointsTo; bool targetExists; } cases[] = {
        {"absolute link", dir / "absolute", target, true},
        {"relative link into another folder", dir / "relative", fs::path("real") / "Zigzoptally.tld", true},
        {"link to a link", dir / "second", dir / "absolute", true},
        {"link whose file is not made yet", dir / "dangling", target, false},
    };
    fs::create_symlink(target, dir / "absolute");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(target);
        if (c.targetExists)
            std::ofstream(target) << "old";
        if (!fs::is_symlink(fs::symlink_status(c.link)))
            fs::create_symlink(c.pointsTo, c.link);
        EXPECT_EQ(writeTarget(c.link).lexically_normal(), target);
        ASSERT_TRUE(writeFileAtomically(c.link, c.name));
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(c.link)));
        EXPECT_EQ(fs::read_symlink(c.link), c.pointsTo);
        EXPECT_EQ(test::fileBytes(target), c.name);
        EXPECT_EQ(test::entriesIn(dir / "real"), 1);
    }
}

TEST_F(AtomicFile, LinkThatLoopsIsNeitherFollowedNorReplaced)
{
    fs::create_symlink(dir / "b", dir / "a");
    fs::create_symlink(dir / "a", dir / "b");
    EXPECT_EQ(writeTarget(dir / "a"), fs::path());
    EXPECT_FALSE(writeFileAtomically(dir / "a", "new"));
    EXPECT_EQ(fs::read_symlink(dir / "a"), dir / "b");
    EXPECT_EQ(test::entriesIn(dir), 3);
}

TEST_F(AtomicFile, SaveRemovesOnlyItsOwnStaleTemporaries)
{
    const fs::path folder = dir / "real";
    const fs::path file = folder / "quibplazo.ini";
    const auto now = fs::file_time_type::clock::now();
    const auto stale = now - StaleTemporaryAge - std::chrono::minutes(1);
    const auto young = now - StaleTemporaryAge / 2;
    const struct { const char *name; const char *file; bool old; bool removed; } cases[] = {
        {"own, killed long ago", "quibplazo.ini.saving-004211", true, true},
        {"own, short number", "quibplazo.ini.saving-7", true, true},
        {"own, maybe still being written", "quibplazo.ini.saving-381990", false, false},
        {"another file's", "Zigzoptally.tld.saving-381990", true, false},
        {"a name that only starts like ours", "quibplazo.ini.saving-12.bak", true, false},
        {"seven digits", "quibplazo.ini.saving-1234567", true, false},
        {"no digits", "quibplazo.ini.saving-", true, false},
        {"the target's name inside another", "xquibplazo.ini.saving-12", true, false},
    };
    for (const auto &c : cases) {
        std::ofstream(folder / c.file) << "debris";
        fs::last_write_time(folder / c.file, c.old ? stale : young);
    }
    // Neither a folder nor a link is ever taken for a temporary, nor followed.
    fs::create_directory(folder / "quibplazo.ini.saving-55");
    fs::last_write_time(folder / "quibplazo.ini.saving-55", stale);
    std::ofstream(dir / "elsewhere") << "keep";
    fs::create_symlink(dir / "elsewhere", folder / "quibplazo.ini.saving-66");

    ASSERT_TRUE(writeFileAtomically(file, "new"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NE(fs::exists(folder / c.file), c.removed);
    }
    EXPECT_TRUE(fs::is_directory(folder / "quibplazo.ini.saving-55"));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder / "quibplazo.ini.saving-66")));
    EXPECT_EQ(test::fileBytes(dir / "elsewhere"), "keep");
    EXPECT_EQ(test::fileBytes(file), "new");
}

} // namespace
