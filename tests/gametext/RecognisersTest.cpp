#include "Fakes.h"
#include "gametext/Foes.h"
#include "gametext/Lexer.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

using Lines = std::vector<std::string>;
using Phase = FakeGameHost::Phase;

const std::string NoticesOn = "OK - SpyNet Notice is now ON.";
std::string Report(const std::string& who, const char* what = "entered") {
    return "SPYNET REPORT: " + who + " has " + what + " Orvanta DataSpace.";
}

struct Recognisers : ::testing::Test {
    // As the text processor hands lines on: line end replaced by one space, routed by the phase.
    void Receive(const std::string& text) {
        if (host.phase == Phase::WhoList)
            recognisers.ReadWhoLine(lexer, text + " ");
        else
            recognisers.ClassifyLine(lexer, text + " ");
    }
    FakeListView view;
    FakeGameHost host{view};
    FriendsAndFoes foes;
    PlayerRoster roster{view, foes};
    Lexer lexer;
    LineRecognisers recognisers{host, roster, foes};
};

TEST_F(Recognisers, SetupSwitchesNoticesOnAndReadsTheWhoList) {
    host.phase = Phase::SettingUp;
    Receive("OK - SpyNet Notice is now OFF.");
    Receive("OK - SpyNet Notice"); // too short: swallowed, still waiting
    Receive(NoticesOn);
    EXPECT_EQ(host.sent, "spynet notice\nqw\n");
    Receive(">qw");
    EXPECT_EQ(host.phase, Phase::WhoList);
    EXPECT_EQ(view.caption, "Quick Who");

    Receive("Zed  Avalon");
    Receive("OK >qw Abcdefghijklmnopqrst"); // every word is a name until a line opens with a digit
    EXPECT_EQ(view.changes, 0);
    Receive("5 players in Orvanta");
    EXPECT_EQ(host.phase, Phase::Playing);
    EXPECT_EQ(host.captionUpdates, 2);
    EXPECT_EQ(host.setupsFinished, 1);
    EXPECT_EQ(view.caption, "All Players");
    EXPECT_EQ(view.Sorted(), (Lines{">qw", "Abcdefghijklmno", "Avalon", "OK", "Zed"}));
    EXPECT_EQ(view.countText, "5 players on-line");
    EXPECT_TRUE(host.shown.empty());

    Receive(">qw"); // typed by the player: ordinary text
    Receive(NoticesOn);
    EXPECT_EQ(host.shown, (Lines{">qw ", NoticesOn + " "}));
    EXPECT_EQ(host.sent, "spynet notice\nqw\n");
}

TEST_F(Recognisers, WithoutThePlayerListTheNoticeReplyEndsTheSetup) {
    host.playerList = false;
    host.phase = Phase::SettingUp;
    Receive(NoticesOn);
    EXPECT_EQ(host.phase, Phase::Playing);
    EXPECT_EQ(host.setupsFinished, 1);
    EXPECT_TRUE(host.sent.empty() && host.shown.empty());
}

TEST_F(Recognisers, ReportsKeepTheRosterCurrentOnlyWithThePlayerListTicked) {
    roster.AddPlayer("Zed");
    roster.RebuildList();
    Receive(Report("Captain Nova"));
    Receive(Report("Captain Zed", "left"));
    Receive(Report("Abcdefghijklmnopqrst"));
    Receive(Report("Abcdefghijklmnopqrst", "left"));
    EXPECT_EQ(view.rows, (Lines{"Nova"}));
    host.playerList = false;
    Receive(Report("Kesh"));
    Receive(Report("Nova", "left"));
    EXPECT_EQ(view.rows, (Lines{"Nova"}));
    EXPECT_TRUE(host.shown.empty());
    host.spyNet = true;
    Receive(Report("Kesh"));
    EXPECT_EQ(host.shown, (Lines{Report("Kesh") + " "}));
}

TEST_F(Recognisers, FriendsAndWatchedRanksAlertAndShowWithNoticesOff) {
    foes.SetNames({"Zed"});
    foes.SetRanksAlertMask(16384 | FriendsAndFoes::AudibleBit);
    host.playerList = false;
    const Lines alerting = {Report("Captain Zed"), Report("Zed", "left"), Report("Duchess Avalon", "left")};
    for (const auto& line : alerting)
        Receive(line);
    Receive(Report("Captain zed"));
    // No title: the word two before "has" is "REPORT:" or "SPYNET", neither a rank.
    foes.SetRanksAlertMask(0x7FFF | FriendsAndFoes::AudibleBit);
    Receive(Report("Nova"));
    Receive("SPYNET Nova has left Orvanta DataSpace.");
    EXPECT_EQ(host.alerts, 3);
    Lines expected;
    for (const auto& line : alerting)
        expected.push_back(line + " ");
    EXPECT_EQ(host.shown, expected);

    foes.SetRanksAlertMask(0); // silent, still shown
    Receive(Report("Zed"));
    EXPECT_EQ(host.alerts, 3);
    EXPECT_EQ(host.shown.size(), 4u);
}

TEST_F(Recognisers, LinesOfOtherShapesAreShownUnchangedAndChangeNothing) {
    roster.RebuildList();
    foes.SetNames({"Zed"});
    foes.SetRanksAlertMask(0xFFFF);
    const Lines lines = {"SPYNET REPORT: Zed has entered Orvanta DataSpace",
                         "SPYNET REPORT: Baron Zed entered DataSpace.",
                         "SPYNET REPORT: Zed has left. DataSpace. Later",
                         "Captain Zed has entered Orvanta DataSpace.", "Tolb says, \"Hello.\""};
    Lines expected;
    for (const auto& line : lines)
        Receive(line), expected.push_back(line + " ");
    Receive("   ");
    EXPECT_EQ(host.shown, expected);
    EXPECT_EQ(roster.PlayerCount(), 0u);
    EXPECT_EQ(host.alerts, 0);
}

} // namespace
} // namespace orv::test
