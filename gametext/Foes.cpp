#include "gametext/Foes.h"

#include "gametext/Cp1252.h"
#include "gametext/Lexer.h"

#include <algorithm>

namespace orv {

FriendsAndFoes::FriendsAndFoes() {
    names_.reserve(24);
}

bool FriendsAndFoes::IsFriendOrFoe(std::string_view name) const {
    return std::find(names_.begin(), names_.end(), name) != names_.end();
}

bool FriendsAndFoes::RankAlert(int wordClass) const {
    const auto rank = Lexer::RankOfClass(wordClass);
    return rank && (mask_ & (1 << *rank)) != 0;
}

void FriendsAndFoes::SetNames(std::vector<std::string> names) {
    for (auto& name : names)
        if (name.size() > NameLimit) name.resize(NameLimit);
    names_ = std::move(names);
}

std::string CapitaliseName(std::string_view typed) {
    std::string name(typed);
    for (char& c : name)
        c = ToLower1252(c);
    if (!name.empty()) name[0] = ToUpper1252(name[0]);
    return name;
}

} // namespace orv
