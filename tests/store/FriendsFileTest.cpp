#include "store/FriendsFile.h"
#include "Fakes.h"
#include "store/Files.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace orv::test {
namespace {

using Names = std::vector<std::string>;

TEST(FriendsFile, SavedListReadsBackEntryForEntryAndReadingCutsEachEntry) {
    TempDir dir;
    ASSERT_TRUE(SaveFriends(dir.Path(), {"Zed", "", "Zed"}));
    EXPECT_EQ(Slurp(dir / "ff.dat"),
              "Zed" + std::string(LineEnd) + std::string(LineEnd) + "Zed" + std::string(LineEnd));
    // Only the CR of a line end goes; one the cut leaves as an entry's last byte stays.
    Spit(dir / "ff.dat",
         std::string("Ze\0d\r\n\r\n", 8) + std::string(40, 'x') + "\n" + std::string(30, 'y') + "\r\r\nlast");
    EXPECT_EQ(LoadFriends(dir.Path(), 31),
              (Names{"Ze", "", std::string(31, 'x'), std::string(30, 'y') + "\r", "last"}));
    EXPECT_EQ(LoadFriends(dir.Path() / "missing", 31), Names{});
    EXPECT_FALSE(SaveFriends(dir.Path() / "missing", {"Zed"}));
}

#ifndef _WIN32
TEST(FriendsFile, AFileWithoutLineBreaksIsNeverHeldWhole) {
    TempDir dir;
    Spit(dir / "ff.dat", "");
    std::filesystem::resize_file(dir / "ff.dat", 64 << 20); // zero bytes: one empty entry
    rusage before{}, after{};
    ::getrusage(RUSAGE_SELF, &before);
    EXPECT_EQ(LoadFriends(dir.Path(), 31), Names{""});
    ::getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 16 << 10) << "peak kilobytes grew by";
}
#endif

} // namespace
} // namespace orv::test
