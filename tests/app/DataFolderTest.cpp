#include "app/DataFolder.h"

#include "../store/Fakes.h"

#include <gtest/gtest.h>

namespace orv::app {
namespace {

namespace fs = std::filesystem;
using test::Mode, test::ScopedEnv, test::Slurp, test::Spit, test::TempDir;

TEST(DataFolder, IsTheDesktopDataFoldersOwnFolder) {
    const ScopedEnv data("XDG_DATA_HOME", "/srv/data/");
    EXPECT_EQ(DesktopDataFolder(), "/srv/data/talmaro");
}

TEST(DataFolder, MadeForTheOwnerAloneWithTheDefaultSoundThatNeverReplacesThePlayers) {
    TempDir dir;
    Spit(dir / "default.wav", "RIFF default");
    const std::string folder = dir / "home/.local/share/talmaro";
    ASSERT_FALSE(PrepareDataFolder(folder, dir / "default.wav"));
    EXPECT_EQ(Mode(folder), 0700u);
    EXPECT_EQ(Mode(dir / "home/.local"), 0700u);
    EXPECT_EQ(Slurp(folder + "/alert.wav"), "RIFF default");

    // Once there, the folder and the player's own sound are the player's: a second start changes
    // neither, and neither does a missing default.
    ::chmod(folder.c_str(), 0750);
    Spit(folder + "/alert.wav", "RIFF mine");
    ASSERT_FALSE(PrepareDataFolder(folder, dir / "default.wav"));
    ASSERT_FALSE(PrepareDataFolder(folder, dir / "missing.wav"));
    EXPECT_EQ(Mode(folder), 0750u);
    EXPECT_EQ(Slurp(folder + "/alert.wav"), "RIFF mine");

    fs::remove(folder + "/alert.wav");
    fs::create_symlink(dir / "elsewhere.wav", folder + "/alert.wav");
    ASSERT_FALSE(PrepareDataFolder(folder, dir / "default.wav"));
    EXPECT_TRUE(fs::is_symlink(folder + "/alert.wav"));

    // No default sound is no error, but a file in the way is.
    ASSERT_FALSE(PrepareDataFolder(dir / "talmaro", dir / "missing.wav"));
    EXPECT_FALSE(fs::exists(dir / "talmaro/alert.wav"));

    fs::remove_all(dir / "talmaro");
    Spit(dir / "talmaro", "not a folder");
    EXPECT_TRUE(PrepareDataFolder(dir / "talmaro", dir / "missing.wav"));
    Spit(dir / "blocked", "not a folder");
    EXPECT_TRUE(PrepareDataFolder(dir / "blocked/talmaro", dir / "missing.wav"));
}

} // namespace
} // namespace orv::app
