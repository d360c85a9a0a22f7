#include "Foes.h"
#include "Lexer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace orv::test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

TEST(FriendsAndFoes, NamesMatchExactlyAndTheMaskHoldsRanksAndSound) {
    FriendsAndFoes foes;
    foes.SetNames({"Zed", std::string(40, 'x')});
    EXPECT_TRUE(foes.IsFriendOrFoe("Zed"));
    for (const char* other : {"zed", "Ze", "Zed ", ""})
        EXPECT_FALSE(foes.IsFriendOrFoe(other)) << other;
    EXPECT_EQ(foes.Names()[1], std::string(31, 'x'));

    const auto watched = [&](const char* word) { return foes.RankAlert(Lexer::WordClass(word)); };
    foes.SetRanksAlertMask(8);
    EXPECT_TRUE(watched("Adventurer") && watched("Adventureuse"));
    EXPECT_FALSE(watched("Trader") || foes.AudibleAlert());
    foes.SetRanksAlertMask(32768);
    EXPECT_TRUE(foes.AudibleAlert());
    for (int c = -1; c < Lexer::VocabularySize; ++c)
        EXPECT_FALSE(foes.RankAlert(c)) << c;
    foes.SetRanksAlertMask(-1); // bits above 15 mean nothing and are not written back
    EXPECT_EQ(foes.RanksAlertMask(), 0xFFFF);
    EXPECT_TRUE(watched("Duchess") && watched("GroundHog"));
    EXPECT_FALSE(watched("REPORT:"));
}

TEST(FriendsAndFoes, TypedNameGetsOneCapitalLetter) {
    EXPECT_EQ(CapitaliseName("zED kESH"), "Zed kesh");
    EXPECT_EQ(CapitaliseName(" Nova"), " nova");
    EXPECT_EQ(CapitaliseName(""), "");
    // Windows-1252: É/é, Š/š and Ÿ/ÿ pair up; ß and × have no other case.
    EXPECT_EQ(CapitaliseName("\xe9LISE\x8a"), "\xc9lise\x9a");
    EXPECT_EQ(CapitaliseName("\xff\xdf\xd7"), "\x9f\xdf\xd7");
}

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

    fs::path folder = fs::temp_directory_path() / ("gametext-" + std::to_string(std::random_device{}()));
};

TEST_F(FriendsFile, SavedListReadsBackEntryForEntry) {
    const Names names = {std::string(31, 'L'), "Zed", "", "Zed"};
    ASSERT_TRUE(SaveFriends(folder, names));
    EXPECT_EQ(LoadFriends(folder), names);
#ifndef _WIN32
    EXPECT_EQ(Read("ff.dat"), std::string(31, 'L') + "\nZed\n\nZed\n");
#endif
    Write("Zed\r\n\r\n" + std::string(40, 'x') + "\r\nlast");
    EXPECT_EQ(LoadFriends(folder), (Names{"Zed", "", std::string(31, 'x'), "last"}));
    EXPECT_EQ(LoadFriends(folder / "missing"), Names{});
}

TEST_F(FriendsFile, SaveReplacesTheFileWholeOrNotAtAll) {
    // A second link to the old file keeps the old list only if the new one was renamed over it,
    // not written in place, where a failure halfway would lose the list.
    Write("Old\n");
    fs::create_hard_link(folder / "ff.dat", folder / "old-link");
    ASSERT_TRUE(SaveFriends(folder, {"New"}));
    EXPECT_EQ(LoadFriends(folder), Names{"New"});
    EXPECT_EQ(Read("old-link"), "Old\n");
    EXPECT_EQ(Entries(), 2u); // no temporary file left

    EXPECT_EQ(SaveFriendsFailed, "Unable to save friends and foes list!");
    EXPECT_FALSE(SaveFriends(folder / "missing", {"Zed"}));
    fs::remove(folder / "ff.dat");
    fs::create_directories(folder / "ff.dat" / "keep"); // cannot be replaced
    EXPECT_FALSE(SaveFriends(folder, {"Zed"}));
    EXPECT_TRUE(fs::exists(folder / "ff.dat" / "keep"));
    EXPECT_EQ(Entries(), 2u);
}

} // namespace
} // namespace orv::test
