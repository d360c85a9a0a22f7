#include "store/FriendsFile.h"
#include "Fakes.h"
#include "store/Files.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

using Names = std::vector<std::string>;

TEST(FriendsFile, SavedListReadsBackEntryForEntryAndReadingCutsEachEntry) {
    TempDir dir;
    ASSERT_TRUE(SaveFriends(dir.Path(), {"Zed", "", "Zed"}));
    EXPECT_EQ(Slurp(dir / "ff.dat"),
              "Zed" + std::string(LineEnd) + std::string(LineEnd) + "Zed" + std::string(LineEnd));
    Spit(dir / "ff.dat", std::string("Ze\0d\r\n\r\n", 8) + std::string(40, 'x') + "\nlast");
    EXPECT_EQ(LoadFriends(dir.Path(), 31), (Names{"Ze", "", std::string(31, 'x'), "last"}));
    EXPECT_EQ(LoadFriends(dir.Path() / "missing", 31), Names{});
    EXPECT_FALSE(SaveFriends(dir.Path() / "missing", {"Zed"}));
}

} // namespace
} // namespace orv::test
