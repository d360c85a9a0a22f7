#include "store/Files.h"
#include "Fakes.h"

#include <gtest/gtest.h>

#include <iterator>

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

} // namespace
} // namespace orv::test
