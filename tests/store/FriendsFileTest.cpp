#include "store/FriendsFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace orv::test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

struct FriendsFile : ::testing::Test {
    FriendsFile() { fs::create_directories(folder); }
    ~FriendsFile() override { fs::remove_all(folder); }
    void Write(const std::string& bytes) const {
        std::ofstream(folder / "ff.dat", std::ios::binary) << bytes;
    }
    std::string Read(const char* name) const {
        std::ifstream in(folder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::size_t Entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
    }

    fs::path folder = fs::temp_directory_path() / ("store-friends-" + std::to_string(std::random_device{}()));
};

TEST_F(FriendsFile, SavedListReadsBackEntryForEntry) {
    const Names names = {std::string(31, 'L'), "Zed", "", "Zed"};
    ASSERT_TRUE(SaveFriends(folder, names));
    EXPECT_EQ(LoadFriends(folder, 31), names);
#ifndef _WIN32
    EXPECT_EQ(Read("ff.dat"), std::string(31, 'L') + "\nZed\n\nZed\n");
#endif
    Write("Zed\r\n\r\n" + std::string(40, 'x') + "\r\nlast");
    EXPECT_EQ(LoadFriends(folder, 31), (Names{"Zed", "", std::string(31, 'x'), "last"}));
    EXPECT_EQ(LoadFriends(folder / "missing", 31), Names{});
}

TEST_F(FriendsFile, SaveReplacesTheFileWholeOrNotAtAll) {
    // A second link to the old file keeps the old list only if the new one was renamed over it,
    // not written in place, where a failure halfway would lose the list.
    Write("Old\n");
    fs::create_hard_link(folder / "ff.dat", folder / "old-link");
    ASSERT_TRUE(SaveFriends(folder, {"New"}));
    EXPECT_EQ(LoadFriends(folder, 31), Names{"New"});
    EXPECT_EQ(Read("old-link"), "Old\n");
    EXPECT_EQ(Entries(), 2u); // no temporary file left

    EXPECT_FALSE(SaveFriends(folder / "missing", {"Zed"}));
    fs::remove(folder / "ff.dat");
    fs::create_directories(folder / "ff.dat" / "keep"); // cannot be replaced
    EXPECT_FALSE(SaveFriends(folder, {"Zed"}));
    EXPECT_TRUE(fs::exists(folder / "ff.dat" / "keep"));
    EXPECT_EQ(Entries(), 2u);
}

} // namespace
} // namespace orv::test
