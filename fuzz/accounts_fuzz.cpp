// An account record as the log-on dialog forms it reads back as its fields. The first byte says
// whether the password is saved; the rest is the avatar name, the account ID and the password,
// separated by tildes (which only the password may hold) and within the dialog's lengths.
#include "store/Accounts.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::string_view fields(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string_view avatar = fields.substr(0, fields.find('~'));
    fields.remove_prefix(std::min(fields.size(), avatar.size() + 1));
    const std::string_view account = fields.substr(0, fields.find('~'));
    const std::string_view password = fields.substr(std::min(fields.size(), account.size() + 1));
    // An empty account would take a saved password's place: the tokenizer yields no empty field.
    using Limits = orv::AccountRecord;
    if (avatar.empty() || avatar.size() > Limits::AvatarLimit || std::memchr(data + 1, '\n', size - 1) ||
        account.empty() || account.size() > Limits::AccountLimit || password.size() > Limits::PasswordLimit)
        return 0;

    const bool save = data[0] & 1;
    const auto record =
        orv::AccountRecord::Parse(orv::AccountRecord::Format(avatar, account, password, save));
    const auto saved = save && !password.empty() ? std::optional<std::string>(password) : std::nullopt;
    if (record.avatar != avatar || record.account != account || record.password != saved) std::abort();
    return 0;
}
