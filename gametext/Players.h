#pragma once

#include <cstddef>
#include <functional>
#include <memory_resource>
#include <set>
#include <string>
#include <string_view>

namespace orv {

class FriendsAndFoes;

// TotalPanel captions of the two display modes. Captions use the toolkit's escape: "&&" shows as
// one "&".
inline constexpr std::string_view AllPlayersCaption = "All Players";
inline constexpr std::string_view FriendsAndFoesCaption = "Friends && Foes";

// The window's player list as the roster drives it: a list box that sorts its rows itself
// (ignoring case), the caption above it, the count in the status bar and the panel holding them.
class PlayerListView {
  public:
    virtual void AddRow(std::string_view name) = 0;
    // The first row equal to name when letter case is ignored, or -1: the list box's own search.
    virtual int FindRow(std::string_view name) const = 0;
    virtual void DeleteRow(int row) = 0;
    virtual void ClearRows() = 0;
    // Bracket one incremental change: redrawing suspended and the top visible row kept.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    // The TotalPanel caption; the connection commands write their conditions there too.
    virtual void SetTotalCaption(std::string_view caption) = 0;
    // The status bar's third panel: "<n> players on-line".
    virtual void SetCountText(std::string_view text) = 0;
    // The Player List option shows or hides the panel holding the list and its caption.
    virtual void ShowPlayerPanel(bool shown) = 0;

  protected:
    ~PlayerListView() = default;
};

// Who is in the game right now, and the player list that shows it. The list mirrors the roster
// only once it is built (at the end of the who-list); above 1024 players it shows only the
// friends and foes on line, and everybody again below 1000.
class PlayerRoster {
  public:
    // Game character names have at most this many characters; longer reports are cut.
    static constexpr std::size_t NameLimit = 15;
    // The list shows friends and foes only above this many players...
    static constexpr std::size_t FriendsAndFoesAbove = 1024;
    // ...and everybody again below this many. The gap keeps the list from flipping to and fro.
    static constexpr std::size_t ShowAllBelow = 1000;

    // Sets the caption to "All Players"; create it once the view's widgets exist.
    PlayerRoster(PlayerListView& view, const FriendsAndFoes& foes);
    PlayerRoster(const PlayerRoster&) = delete;
    PlayerRoster& operator=(const PlayerRoster&) = delete;

    void AddPlayer(std::string_view name);
    // An absent name changes nothing, not even the count text.
    void RemovePlayer(std::string_view name);
    // Before a new connection: the list is no longer built and shows everybody; the caption and
    // count text stay until the who-list has been read.
    void ClearRoster();
    bool IsOnline(std::string_view name) const;
    std::size_t PlayerCount() const { return names_.size(); }

    // Switches the display mode when the count crossed a threshold; true when it did (and the
    // list was redrawn).
    bool CheckListMode();
    // Refills the list from scratch and marks it built.
    void RebuildList();
    // The Player List option was ticked or unticked. Off only hides the panel; on redraws the list
    // from the roster as it stands.
    void PlayerListToggled(bool ticked);

  private:
    enum class Change { Addition, Removal };
    void UpdateList(Change kind, std::string_view name);
    void ShowCount();

    PlayerListView& view_;
    const FriendsAndFoes& foes_;
    // Names are at most 15 characters, so they live in the strings themselves; the pool reuses
    // the set's nodes, so arrivals and departures do not go to the heap once it is warm.
    std::pmr::unsynchronized_pool_resource pool_;
    std::pmr::set<std::pmr::string, std::less<>> names_{&pool_};
    bool listBuilt_ = false;
    bool showAll_ = true;
};

} // namespace orv
