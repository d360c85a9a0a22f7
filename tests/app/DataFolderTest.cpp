#include "app/DataFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>

#include <cstdlib>
#include <sys/stat.h>

namespace orv::app {
namespace {

namespace fs = std::filesystem;

class TempDir {
  public:
    TempDir() {
        do
            path_ = fs::temp_directory_path() / ("orv-app-" + std::to_string(std::random_device{}()));
        while (!fs::create_directory(path_));
    }
    ~TempDir() { fs::remove_all(path_, ignored_); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  private:
    fs::path path_;
    std::error_code ignored_;
};

class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

unsigned Mode(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(DataFolder, FollowsXdgDataHomeOnlyWhenItIsAnAbsolutePath) {
    const ScopedEnv home("HOME", "/home/zed");
    {
        const ScopedEnv data("XDG_DATA_HOME", "/srv/data/");
        EXPECT_EQ(DesktopDataFolder(), "/srv/data/talmaro");
    }
    for (const char* ignored : {static_cast<const char*>(nullptr), "", "relative/data"}) {
        const ScopedEnv data("XDG_DATA_HOME", ignored);
        EXPECT_EQ(DesktopDataFolder(), "/home/zed/.local/share/talmaro") << (ignored ? ignored : "unset");
    }
}

TEST(DataFolder, MadeForTheOwnerAloneWithTheDefaultSound) {
    TempDir dir;
    std::ofstream(dir / "default.wav") << "RIFF default";
    const std::string folder = dir / "home/.local/share/talmaro";
    ASSERT_FALSE(PrepareDataFolder(folder, dir / "default.wav"));
    EXPECT_EQ(Mode(folder), 0700u);
    EXPECT_EQ(Mode(dir / "home/.local"), 0700u);
    EXPECT_EQ(Slurp(folder + "/alert.wav"), "RIFF default");

    // Once there, the folder and the player's own sound are the player's: a second start changes
    // neither, and neither does a missing default.
    ::chmod(folder.c_str(), 0750);
    std::ofstream(folder + "/alert.wav", std::ios::trunc) << "RIFF mine";
    ASSERT_FALSE(PrepareDataFolder(folder, dir / "default.wav"));
    ASSERT_FALSE(PrepareDataFolder(folder, dir / "missing.wav"));
    EXPECT_EQ(Mode(folder), 0750u);
    EXPECT_EQ(Slurp(folder + "/alert.wav"), "RIFF mine");

    fs::remove(folder + "/alert.wav");
    fs::create_symlink(dir / "elsewhere.wav", folder + "/alert.wav");
    ASSERT_FALSE(PrepareDataFolder(folder, dir / "default.wav"));
    EXPECT_TRUE(fs::is_symlink(folder + "/alert.wav"));
}

TEST(DataFolder, NoDefaultSoundIsNoErrorButAFileInTheWayIs) {
    TempDir dir;
    ASSERT_FALSE(PrepareDataFolder(dir / "talmaro", dir / "missing.wav"));
    EXPECT_FALSE(fs::exists(dir / "talmaro/alert.wav"));

    fs::remove_all(dir / "talmaro");
    std::ofstream(dir / "talmaro") << "not a folder";
    EXPECT_TRUE(PrepareDataFolder(dir / "talmaro", dir / "missing.wav"));
    std::ofstream(dir / "blocked") << "not a folder";
    EXPECT_TRUE(PrepareDataFolder(dir / "blocked/talmaro", dir / "missing.wav"));
}

} // namespace
} // namespace orv::app
