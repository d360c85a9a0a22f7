#include "session/Connection.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(Caption, HasThreeFormsByAvatarAndConnection) {
    EXPECT_EQ(ComposeCaption("10.1.2.3", "Zed", true), "Orv2Term - Version 1.04 - 10.1.2.3 - Zed");
    EXPECT_EQ(ComposeCaption("10.1.2.3", "Zed", false), "Orv2Term - Version 1.04 - Zed");
    EXPECT_EQ(ComposeCaption("10.1.2.3", "", true), "Orv2Term - Version 1.04");
    EXPECT_EQ(ComposeCaption("", "", false), "Orv2Term - Version 1.04");
}

TEST(Port, OnlyADecimalPortNumberIsAccepted) {
    EXPECT_EQ(ParsePort("30003"), 30003);
    EXPECT_EQ(ParsePort(" 23 "), 23);
    EXPECT_EQ(ParsePort("0"), 0);
    EXPECT_EQ(ParsePort("65535"), 65535);
    for (const char* bad : {"abc", "", " ", "30003x", "-1", "65536", "99999999", "+5", "0x10"})
        EXPECT_FALSE(ParsePort(bad).has_value()) << bad;
}

TEST(Keys, TravelKeysAndTheStatesThatAcceptKeys) {
    const std::pair<int, const char*> travel[] = {{38, "n\n"},  {33, "ne\n"}, {39, "e\n"}, {34, "se\n"},
                                                  {40, "s\n"},  {35, "sw\n"}, {37, "w\n"}, {36, "nw\n"}};
    for (auto [key, sent] : travel) EXPECT_EQ(TravelCommand(key), sent);
    EXPECT_FALSE(TravelCommand(13));
    EXPECT_FALSE(TravelCommand(45)); // Insert is no direction

    EXPECT_TRUE(AcceptsKeys(LinkState::Normal));
    EXPECT_TRUE(AcceptsKeys(LinkState::Logon));
    for (auto s : {LinkState::WhoList, LinkState::Setup, LinkState::LogonAbandoned, LinkState::NewAccount})
        EXPECT_FALSE(AcceptsKeys(s));
}

TEST(Keys, AppendWordAddsOneSpaceAndCutsToTheLimit) {
    EXPECT_EQ(AppendWord("tell ", "Zed", 255), "tell Zed ");
    EXPECT_EQ(AppendWord(std::string(250, 'a'), "macro", 255), std::string(250, 'a') + "macro");
    EXPECT_EQ(AppendWord(std::string(254, 'a'), "x", 255), std::string(254, 'a') + "x");
}

TEST(PlayerActions, CommandsKeepTheGamesSpacing) {
    EXPECT_EQ(PlayerCommand(PlayerAction::BuyRound, ""), "buy round\n");
    EXPECT_EQ(PlayerCommand(PlayerAction::Examine, "Zed"), "ex Zed\n");
    EXPECT_EQ(PlayerCommand(PlayerAction::Hug, "Zed"), "Hug Zed \n");
    EXPECT_EQ(PlayerCommand(PlayerAction::Kiss, "Zed"), "Kiss Zed \n");
    EXPECT_EQ(PlayerCommand(PlayerAction::SpyNetReport, "Zed"), "Spynet Report Zed \n");
    EXPECT_EQ(TellText("Zed"), "Tell Zed ");
}

} // namespace
} // namespace orv
