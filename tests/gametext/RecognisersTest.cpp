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

TEST_F(Recognisers, SetupSwitchesNoticesOnAndReadsTheWhoListWhenThePlayerListIsTicked) {
    host.phase = Phase::SettingUp;
    Receive("OK - SpyNet Notice"); // too short: swallowed, still waiting
    Receive(NoticesOn);
    EXPECT_EQ(host.sent, "qw\n");
    Receive(">qw");
    EXPECT_EQ(host.phase, Phase::WhoList);
    EXPECT_EQ(view.caption, "Quick Who");
    Receive("OK >qw Zed"); // every word is a name until a line opens with a digit
    EXPECT_EQ(view.changes, 0);
    Receive("3 players in Orvanta");
    EXPECT_EQ(host.phase, Phase::Playing);
    EXPECT_EQ(host.captionUpdates, 2);
    EXPECT_EQ(view.caption, "All Players");
    EXPECT_EQ(view.Sorted(), (Lines{">qw", "OK", "Zed"}));
    EXPECT_TRUE(host.shown.empty());

    Receive(">qw"); // typed by the player: ordinary text
    Receive(NoticesOn);
    EXPECT_EQ(host.shown, (Lines{">qw ", NoticesOn + " "}));
    EXPECT_EQ(host.setupsFinished, 1);

    // Without the player list the notice reply ends the set-up.
    host.playerList = false;
    host.phase = Phase::SettingUp;
    Receive(NoticesOn);
    EXPECT_EQ(host.phase, Phase::Playing);
    EXPECT_EQ(host.setupsFinished, 2);
    EXPECT_EQ(host.sent, "qw\n");
}

TEST_F(Recognisers, ReportsKeepTheRosterCurrentAndAlertWhileLinesOfOtherShapesChangeNothing) {
    roster.RebuildList();
    foes.SetNames({"Zed"});
    foes.SetRanksAlertMask(0xFFFF);
    // Lines of other shapes are shown unchanged and change nothing.
    const Lines others = {"SPYNET REPORT: Zed has entered Orvanta DataSpace",
                          "SPYNET REPORT: Baron Zed entered DataSpace.", "Tolb says, \"Hello.\""};
    for (const auto& line : others)
        Receive(line);
    Receive("   ");
    EXPECT_EQ(host.shown, (Lines{others[0] + " ", others[1] + " ", others[2] + " "}));
    EXPECT_EQ(roster.PlayerCount(), 0u);
    EXPECT_EQ(host.alerts, 0);

    host.shown.clear();
    foes.SetRanksAlertMask(0x4000 | FriendsAndFoes::AudibleBit); // rank 14, Duke or Duchess, aloud
    roster.AddPlayer("Kesh");
    const Lines alerting = {Report("Captain Zed"), Report("Zed", "left"), Report("Duchess Avalon", "left")};
    for (const auto& line : alerting)
        Receive(line);
    Receive(Report("Captain zed"));
    // No title: the word two before "has" is "REPORT:" or "SPYNET", neither a rank.
    foes.SetRanksAlertMask(0x7FFF | FriendsAndFoes::AudibleBit);
    Receive(Report("Nova"));
    Receive("SPYNET Kesh has left Orvanta DataSpace.");
    EXPECT_EQ(host.alerts, 3);
    EXPECT_EQ(host.shown, (Lines{alerting[0] + " ", alerting[1] + " ", alerting[2] + " "}));
    EXPECT_EQ(view.Sorted(), (Lines{"Nova", "zed"}));

    host.playerList = false;   // the roster is left alone
    foes.SetRanksAlertMask(0); // silent, still shown
    Receive(Report("Zed"));
    Receive(Report("Nova", "left"));
    EXPECT_EQ(view.Sorted(), (Lines{"Nova", "zed"}));
    EXPECT_EQ(host.alerts, 3);
    EXPECT_EQ(host.shown.size(), 4u);
    host.spyNet = true; // every report shown
    Receive(Report("Nova", "left"));
    EXPECT_EQ(host.shown.back(), Report("Nova", "left") + " ");
}

} // namespace
} // namespace orv::test
