#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orv {

// What the new-account form holds, as bytes in the game's code page. The form checks it before it
// lets the player send; the new-account dialogue answers the server's questions from it.
struct NewAccountDetails {
    std::string Host;
    std::string Port;
    std::string AccountId;
    std::string Password;
    std::string Confirmation;
    std::string EMail;
    std::string Name;
    std::string Race;
    bool NewAccount = true; // false: a new character for an account that exists
    int Gender = 2;         // 0 male, 1 female, 2 neuter
    int Strength = 20;
    int Dexterity = 20;
    int Stamina = 20;
    int Intelligence = 20;
    int Unused = 60;
};

// The first check of the form that fails, with the message the player is shown. A question is
// the stats check: the player may answer Yes and send anyway.
struct FailedCheck {
    int Order = 0; // 1 to 11
    std::string_view Message;
    bool Question = false;
};

// The form's checks in their fixed order. Nothing when every field is acceptable.
std::optional<FailedCheck> FirstFailedCheck(const NewAccountDetails& details);

// The stat points: four stats of 20 to 70 and the unused points always add up to 140.
inline constexpr int StatMin = 20;
inline constexpr int StatMax = 70;
inline constexpr int UnusedAtStart = 60;
inline constexpr std::string_view NoSpareStats = "You have no spare stats to allocate";

enum class StatStepOutcome {
    Taken,         // the stat moved and the unused points with it
    NoSparePoints, // a step up with no unused point: refused, the player is told
    AtLimit,       // the stat is at 20 or 70 already: not a step, nothing changes
};

struct StatStep {
    StatStepOutcome Outcome = StatStepOutcome::AtLimit;
    int Stat = StatMin;
    int Unused = UnusedAtStart;
};

// One step of a stat's up-down button, direction +1 (up) or -1 (down).
StatStep StepStat(int stat, int unused, int direction);

} // namespace orv
