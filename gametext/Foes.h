#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// The players and ranks whose comings and goings raise an alert, as the rest of the client
// consults them. The friends-and-foes dialog edits a copy in its controls and applies it here only
// on "OK" (names, mask, then the roster's RebuildList and SaveFriends), so alerts keep to the old
// list until then.
class FriendsAndFoes {
  public:
    // Longest name an entry holds.
    static constexpr std::size_t NameLimit = 31;
    // "Ranks Alert": bit n (n = 0..14) watches rank n; this bit makes the alerts audible.
    static constexpr int AudibleBit = 1 << 15;

    FriendsAndFoes();

    // Exact, case-sensitive, whole-name match against the names list.
    bool IsFriendOrFoe(std::string_view name) const;
    // True for a rank title's word class whose rank is watched.
    bool RankAlert(int wordClass) const;
    bool AudibleAlert() const { return (mask_ & AudibleBit) != 0; }

    // The names list: file order after loading, the dialog's order after "OK". Duplicates and
    // empty entries are kept as they are.
    const std::vector<std::string>& Names() const { return names_; }
    // Each name is cut to NameLimit.
    void SetNames(std::vector<std::string> names);

    // Only bits 0..15 mean anything; the others are dropped, so the mask written back is the sum
    // of the flags that are set.
    int RanksAlertMask() const { return mask_; }
    void SetRanksAlertMask(int mask) { mask_ = mask & 0xFFFF; }

  private:
    std::vector<std::string> names_;
    int mask_ = 0;
};

// A name as the dialog adds it: all lower case, then the first character upper case, by the
// Windows-1252 (Western European) single-byte case rules. Only the first character is raised, so a
// name typed with a leading space stays lower case.
std::string CapitaliseName(std::string_view typed);

} // namespace orv
