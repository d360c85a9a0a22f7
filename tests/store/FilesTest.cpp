#include "store/Files.h"
#include "Fakes.h"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#ifndef _WIN32
#include <cstdlib>
#include <unistd.h>
#endif

namespace orv::test {
namespace {

namespace fs = std::filesystem;

TEST(ReplaceWholeFile, ReplacesTheFileWholeOrNotAtAllAndLeavesNoTemporaryFile) {
    TempDir dir;
    const fs::path target = dir.Path() / "ff.dat";
    const auto entries = [&] { return std::distance(fs::directory_iterator(dir.Path()), {}); };
    // A second link to the old file keeps the old bytes only if the new file was renamed over it,
    // not written in place, where a crash halfway would lose them.
    Spit(target.string(), "Old\n");
    fs::create_hard_link(target, dir.Path() / "old-link");
    const std::string bytes("new\0\r\n\xff", 7);
    ASSERT_FALSE(ReplaceWholeFile(target, bytes));
    EXPECT_EQ(Slurp(target.string()), bytes);
    EXPECT_EQ(Slurp(dir / "old-link"), "Old\n");
    EXPECT_EQ(entries(), 2);

    fs::remove(target);
    fs::create_directories(target / "keep"); // a folder is never replaced
    EXPECT_TRUE(ReplaceWholeFile(target, "x"));
    EXPECT_TRUE(fs::exists(target / "keep"));
    EXPECT_EQ(entries(), 2);
}

#ifndef _WIN32
TEST(RemoveLeftoverTemporaries, RemovesTheTargetsTemporaryFilesAndNothingElse) {
    TempDir dir;
    const fs::path target = dir.Path() / "ot32.reg";
    std::string made = target.string() + ".XXXXXX"; // as a write killed midway leaves it
    ::close(::mkstemp(made.data()));
    const std::vector<std::string> kept = {"ot32.reg",         "ot32.reg.lock",   "ot32.reg.abc12",
                                           "ot32.reg.abc1234", "ot32.reg.ab-12c", "ot32.reg.abcd\xc3\xa9",
                                           "xot32.reg.abc123", "ff.dat.abc123"};
    for (const auto& name : kept)
        Spit(dir / name, "x");
    fs::create_directory(dir / "ot32.reg.Dir123");
    fs::create_symlink("ot32.reg", dir / "ot32.reg.Lnk123");
    RemoveLeftoverTemporaries(target);
    EXPECT_FALSE(fs::exists(made));
    for (const auto& name : kept)
        EXPECT_TRUE(fs::exists(dir / name)) << name;
    EXPECT_TRUE(fs::is_directory(dir / "ot32.reg.Dir123") && fs::is_symlink(dir / "ot32.reg.Lnk123"));
}

TEST(UserBaseFolder, FollowsTheVariableOnlyWhenItIsAnAbsolutePath) {
    const ScopedEnv home("HOME", "/home/zed");
    const std::pair<const char*, const char*> cases[] = {{"/srv/data//", "/srv/data"},
                                                         {"/", "/"},
                                                         {nullptr, "/home/zed/.local/share"},
                                                         {"", "/home/zed/.local/share"},
                                                         {"relative/data", "/home/zed/.local/share"}};
    for (const auto& [data, expected] : cases) {
        const ScopedEnv env("XDG_DATA_HOME", data);
        EXPECT_EQ(UserBaseFolder("XDG_DATA_HOME", ".local/share"), expected) << (data ? data : "(unset)");
    }
}
#endif

} // namespace
} // namespace orv::test
