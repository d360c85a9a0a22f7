#include "gametext/Players.h"
#include "Fakes.h"
#include "gametext/Foes.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

using Rows = std::vector<std::string>;

struct Roster : ::testing::Test {
    void Numbered(int from, int to, bool add) {
        for (int i = from; i < to; ++i)
            add ? roster.AddPlayer("P" + std::to_string(i)) : roster.RemovePlayer("P" + std::to_string(i));
    }
    FakeListView view;
    FriendsAndFoes foes;
    PlayerRoster roster{view, foes};
};

TEST_F(Roster, ListIsUntouchedUntilBuiltThenFollowsEachChangeUntilHiddenOrCleared) {
    roster.AddPlayer("Zed"); // as while the who-list is read
    roster.AddPlayer("Nova");
    roster.RemovePlayer("Zed");
    EXPECT_EQ(view.changes, 0);

    roster.RebuildList();
    roster.AddPlayer("Zed");
    roster.AddPlayer("Zed");
    roster.AddPlayer("zed"); // another player, but the list box's search finds Zed's row
    EXPECT_EQ(view.Sorted(), (Rows{"Nova", "Zed"}));
    EXPECT_EQ(view.countText, "3 players on-line");
    EXPECT_EQ(view.openUpdates, 0);

    const int changes = view.changes; // rows and count text alike
    roster.RemovePlayer("ZED");
    EXPECT_EQ(view.changes, changes);

    // Names are cut to 15 characters on the way in and, for the departure of the same long
    // name, on the way out.
    roster.AddPlayer("Abcdefghijklmnopqrst");
    EXPECT_EQ(view.Sorted(), (Rows{"Abcdefghijklmno", "Nova", "Zed"}));
    roster.RemovePlayer("Abcdefghijklmnopqrst");
    EXPECT_EQ(view.Sorted(), (Rows{"Nova", "Zed"}));

    view.rows.push_back("Stale");
    roster.PlayerListToggled(false); // hides only
    EXPECT_FALSE(view.panelShown);
    EXPECT_EQ(view.Sorted(), (Rows{"Nova", "Stale", "Zed"}));
    roster.PlayerListToggled(true); // redraws from the roster, which holds both Zed and zed
    EXPECT_TRUE(view.panelShown);
    EXPECT_EQ(view.Sorted(), (Rows{"Nova", "Zed", "zed"}));

    view.caption = "Disconnected";
    roster.ClearRoster(); // the list is no longer built; caption and count wait for the next who-list
    roster.AddPlayer("Nova");
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(view.caption, "Disconnected");
    EXPECT_EQ(view.countText, "3 players on-line");
}

TEST_F(Roster, SwitchesToFriendsAndFoesAbove1024AndBackBelow1000) {
    foes.SetNames({"P5", "P1030", "Ghost", "P5"});
    Numbered(0, 1000, true);
    roster.RebuildList();
    Numbered(1000, 1024, true);
    EXPECT_EQ(view.rows.size(), 1024u);

    Numbered(1024, 1025, true);
    EXPECT_EQ(view.caption, "Friends && Foes");
    EXPECT_EQ(view.rows, (Rows{"P5", "P5"}));          // in the list's order: a name listed twice shows twice
    EXPECT_EQ(view.countText, "1025 players on-line"); // every player, not the rows
    roster.AddPlayer("Stranger");
    roster.AddPlayer("P1030");
    roster.AddPlayer("P1030"); // an arrival never adds a second row
    EXPECT_EQ(view.Sorted(), (Rows{"P1030", "P5", "P5"}));
    EXPECT_EQ(view.countText, "1027 players on-line");

    roster.RemovePlayer("Stranger");
    roster.RemovePlayer("P1030");
    Numbered(1000, 1025, false);
    EXPECT_EQ(view.rows, (Rows{"P5", "P5"})); // 1000 players: still friends and foes
    Numbered(999, 1000, false);
    EXPECT_EQ(view.caption, "All Players");
    EXPECT_EQ(view.rows.size(), 999u);
}

} // namespace
} // namespace orv::test
