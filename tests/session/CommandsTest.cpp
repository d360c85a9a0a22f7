#include "session/Commands.h"

#include <gtest/gtest.h>

namespace orv {

TEST(Commands, AppendWordAddsOneSpaceAndCutsToTheLimit) {
    EXPECT_EQ(AppendWord("tell ", "Zed", 255), "tell Zed ");
    EXPECT_EQ(AppendWord(std::string(250, 'a'), "macro", 255), std::string(250, 'a') + "macro");
    EXPECT_EQ(AppendWord(std::string(254, 'a'), "x", 255), std::string(254, 'a') + "x");
}

} // namespace orv
