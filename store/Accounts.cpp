#include "store/Accounts.h"

namespace orv {

namespace {

// The next field ended by any of the separators, after skipping a run of them; text moves past
// the separator that ended it.
std::optional<std::string> NextField(std::string_view& text, std::string_view separators) {
    const std::size_t start = text.find_first_not_of(separators);
    if (start == std::string_view::npos) {
        text = {};
        return std::nullopt;
    }
    text.remove_prefix(start);
    const std::size_t end = text.find_first_of(separators);
    std::string field(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    return field;
}

} // namespace

AccountRecord AccountRecord::Parse(std::string_view text) {
    text = text.substr(0, ReadLimit);
    AccountRecord record;
    record.avatar = NextField(text, "~\n");
    record.account = NextField(text, "~\n");
    record.password = NextField(text, "\n");
    return record;
}

std::string AccountRecord::Format(std::string_view avatar, std::string_view account,
                                  std::string_view password, bool savePassword) {
    std::string record(avatar);
    record += '~';
    record += account;
    if (savePassword) {
        record += '~';
        record += password;
    }
    record += '\n';
    return record;
}

std::string AccountValueName(int index) {
    return "Ac" + std::to_string(index);
}

} // namespace orv
