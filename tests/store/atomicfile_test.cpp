#include "store/atomicfile.h"
#include "support/files.h"

#include <gtest/gtest.h>

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

} // namespace
