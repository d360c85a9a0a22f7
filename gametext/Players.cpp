#include "gametext/Players.h"

#include "gametext/Foes.h"

#include <algorithm>
#include <charconv>

namespace orv {

namespace {
std::string_view StoredForm(std::string_view name) {
    return name.substr(0, PlayerRoster::NameLimit);
}
} // namespace

PlayerRoster::PlayerRoster(PlayerListView& view, const FriendsAndFoes& foes) : view_(view), foes_(foes) {
    view_.SetTotalCaption(AllPlayersCaption);
}

void PlayerRoster::AddPlayer(std::string_view name) {
    name = StoredForm(name);
    const auto at = names_.lower_bound(name);
    if (at == names_.end() || *at != name) names_.emplace_hint(at, name);
    UpdateList(Change::Addition, name);
}

void PlayerRoster::RemovePlayer(std::string_view name) {
    // Cut as AddPlayer cuts, or a player reported with a longer name would never leave.
    name = StoredForm(name);
    const auto at = names_.find(name);
    if (at == names_.end()) return;
    names_.erase(at);
    UpdateList(Change::Removal, name);
}

void PlayerRoster::ClearRoster() {
    names_.clear();
    listBuilt_ = false;
    showAll_ = true;
    view_.ClearRows();
}

bool PlayerRoster::IsOnline(std::string_view name) const {
    return names_.find(name) != names_.end();
}

bool PlayerRoster::CheckListMode() {
    if (showAll_ && names_.size() > FriendsAndFoesAbove) {
        showAll_ = false;
        RebuildList();
        view_.SetTotalCaption(FriendsAndFoesCaption);
        return true;
    }
    if (!showAll_ && names_.size() < ShowAllBelow) {
        showAll_ = true;
        RebuildList();
        view_.SetTotalCaption(AllPlayersCaption);
        return true;
    }
    return false;
}

void PlayerRoster::UpdateList(Change kind, std::string_view name) {
    if (!listBuilt_) return;
    if (CheckListMode()) return;

    view_.BeginUpdate();
    const int row = view_.FindRow(name);
    if (kind == Change::Addition) {
        if (row < 0 && (showAll_ || foes_.IsFriendOrFoe(name))) view_.AddRow(name);
    } else if (row >= 0) {
        view_.DeleteRow(row);
    }
    view_.EndUpdate();
    ShowCount();
}

void PlayerRoster::RebuildList() {
    view_.ClearRows();
    if (showAll_) {
        for (const auto& name : names_)
            view_.AddRow(name);
    } else {
        // Friends and foes on line, in the list's order; an entry listed twice shows twice.
        for (const auto& name : foes_.Names())
            if (IsOnline(name)) view_.AddRow(name);
    }
    listBuilt_ = true;
    ShowCount();
}

void PlayerRoster::PlayerListToggled(bool ticked) {
    view_.ShowPlayerPanel(ticked);
    if (ticked) RebuildList();
}

void PlayerRoster::ShowCount() {
    static constexpr std::string_view Suffix = " players on-line";
    char text[48];
    char* end = std::to_chars(text, text + 24, names_.size()).ptr;
    end = std::copy(Suffix.begin(), Suffix.end(), end);
    view_.SetCountText(std::string_view(text, static_cast<std::size_t>(end - text)));
}

} // namespace orv
