#include "gametext/Foes.h"
#include "gametext/Lexer.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

TEST(FriendsAndFoes, NamesMatchExactlyAndTheMaskHoldsRanksAndSound) {
    FriendsAndFoes foes;
    foes.SetNames({"Zed", std::string(40, 'x')});
    EXPECT_TRUE(foes.IsFriendOrFoe("Zed"));
    for (const char* other : {"zed", "Ze", "Zed ", ""})
        EXPECT_FALSE(foes.IsFriendOrFoe(other)) << other;
    EXPECT_EQ(foes.Names()[1], std::string(31, 'x'));

    const auto watched = [&](const char* title) { return foes.RankAlert(Lexer::WordClass(title)); };
    foes.SetRanksAlertMask(8); // rank 3, whose titles are the fourth and fifth
    EXPECT_TRUE(watched("Adventurer") && watched("Adventureuse"));
    EXPECT_FALSE(watched("Captain") || watched("Trader") || foes.AudibleAlert());
    foes.SetRanksAlertMask(FriendsAndFoes::AudibleBit);
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
    EXPECT_EQ(CapitaliseName("\xe9LISE\x8a"), "\xc9lise\x9a"); // by the game's code page
}

} // namespace
} // namespace orv::test
