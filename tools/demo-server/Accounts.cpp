#include "Accounts.h"

#include <algorithm>
#include <cctype>

namespace orvdemo {

namespace {

struct TitlePair {
    std::string_view male;
    std::string_view female;
};

constexpr std::array<TitlePair, kRankCount> kTitles{{
    {"GroundHog", "GroundHog"},
    {"Commander", "Commander"},
    {"Captain", "Captain"},
    {"Adventurer", "Adventureuse"},
    {"Trader", "Trader"},
    {"Merchant", "Merchant"},
    {"Journeyman", "Journeywoman"},
    {"Master", "Maitreuse"},
    {"Explorer", "Explorer"},
    {"Squire", "Squire"},
    {"Thane", "Thane"},
    {"Industrialist", "Industrialist"},
    {"Technocrat", "Technocrat"},
    {"Baron", "Baroness"},
    {"Duke", "Duchess"},
}};

} // namespace

std::string_view rankTitle(int rank, Gender gender) {
    const auto& pair = kTitles[static_cast<std::size_t>(std::clamp(rank, 0, kRankCount - 1))];
    return gender == Gender::Female ? pair.female : pair.male;
}

std::string Character::titled() const {
    std::string text(title());
    text += ' ';
    text += name;
    return text;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

AccountBook::AccountBook() {
    for (const auto& seed : kSeedAccounts) {
        Account& a = accounts_.emplace_back();
        a.id = seed.account;
        a.password = seed.password;
        if (!seed.character.empty())
            a.characters.push_back({std::string(seed.character), seed.rank, seed.gender});
    }
}

Account* AccountBook::logOn(std::string_view account, std::string_view password) {
    for (auto& a : accounts_)
        if (equalsNoCase(a.id, account) && a.password == password) return &a;
    return nullptr;
}

Account* AccountBook::open(std::string_view id, std::string_view password, std::string_view email) {
    if (equalsNoCase(id, "new") || std::any_of(accounts_.begin(), accounts_.end(),
                                               [&](const Account& a) { return equalsNoCase(a.id, id); }))
        return nullptr;
    return &accounts_.emplace_back(Account{std::string(id), std::string(password), std::string(email), {}});
}

bool AccountBook::characterExists(std::string_view name) const {
    return std::any_of(accounts_.begin(), accounts_.end(), [&](const Account& a) {
        return std::any_of(a.characters.begin(), a.characters.end(),
                           [&](const Character& c) { return equalsNoCase(c.name, name); });
    });
}

} // namespace orvdemo
