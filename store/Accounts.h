#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orv {

// One saved log-on account as stored under "Ac0", "Ac1", ...: the avatar name ("+" when it is
// empty), the account ID and, when the player chose to save it, the password, joined by "~" and
// ended by a line feed. The password is the last field, so it may hold "~"; the other two may not.
struct AccountRecord {
    static constexpr std::size_t ReadLimit = 143; // longest record a reader accepts
    // The longest fields the log-on dialog takes, and with them the corrections the log-on error
    // box copies back into it.
    static constexpr int AvatarLimit = 16, AccountLimit = 32, PasswordLimit = 80;

    // The fields found, in the manner of a tokenizer that takes every run of separators as one
    // and never yields an empty field: a missing field is absent, not empty.
    std::optional<std::string> avatar;
    std::optional<std::string> account;
    std::optional<std::string> password;

    static AccountRecord Parse(std::string_view text);
    static std::string Format(std::string_view avatar, std::string_view account, std::string_view password,
                              bool savePassword);
};

// The value name of the record at an account index.
std::string AccountValueName(int index);

} // namespace orv
