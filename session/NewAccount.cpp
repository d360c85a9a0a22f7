#include "session/NewAccount.h"

#include "gametext/Cp1252.h"

namespace orv {

namespace {

constexpr std::string_view MustBeginWithLetter = "Your name and race must begin with a letter.";
constexpr std::string_view OnlyLettersAndNumbers = "Only letters and numbers are\nallowed in name and race.";

// The name and the race share their messages; the race may also hold spaces ("Sand Walker").
std::optional<std::string_view> CheckLetters(std::string_view text, bool spaceAllowed) {
    if (!IsLetter1252(text.front())) return MustBeginWithLetter;
    for (char c : text.substr(1))
        if (!IsLetter1252(c) && !IsDigit1252(c) && !(spaceAllowed && c == ' ')) return OnlyLettersAndNumbers;
    return std::nullopt;
}

} // namespace

std::optional<FailedCheck> FirstFailedCheck(const NewAccountDetails& details) {
    auto failed = [](int order, std::string_view message) { return FailedCheck{order, message, false}; };
    if (details.Host.empty()) return failed(1, "No host server given");
    if (details.Port.empty()) return failed(2, "No host port number given");
    if (details.AccountId.size() < 5) return failed(3, "Account IDs must be\nat least 5 letters long.");
    if (details.Password.size() < 8) return failed(4, "Your password must be\nat least 8 letters long");
    // An existing account has its e-mail address and its confirmed password already.
    if (details.NewAccount) {
        if (details.Confirmation != details.Password)
            return failed(5, "Your password does not\nmatch the confirmation");
        if (details.EMail.find('@') == std::string::npos) return failed(6, "Invalid e-mail address");
    }
    if (details.Name.size() < 3) return failed(7, "Your name must be at\nleast 3 letters long");
    if (auto message = CheckLetters(details.Name, false)) return failed(8, *message);
    if (details.Race.size() < 3) return failed(9, "Your race must be at\nleast 3 letters long");
    if (auto message = CheckLetters(details.Race, true)) return failed(10, *message);
    if (details.Unused != 0)
        return FailedCheck{11, "Your have not allocated all\nyour stat points. Continue anyway?", true};
    return std::nullopt;
}

StatStep StepStat(int stat, int unused, int direction) {
    const int next = stat + (direction > 0 ? 1 : -1);
    if (next < StatMin || next > StatMax) return {StatStepOutcome::AtLimit, stat, unused};
    if (direction > 0) {
        if (unused < 1) return {StatStepOutcome::NoSparePoints, stat, unused};
        return {StatStepOutcome::Taken, next, unused - 1};
    }
    return {StatStepOutcome::Taken, next, unused + 1};
}

} // namespace orv
