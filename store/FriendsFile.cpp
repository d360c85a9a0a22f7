#include "store/FriendsFile.h"

#include "store/Files.h"

#include <algorithm>
#include <fstream>

namespace orv {

std::vector<std::string> LoadFriends(const std::filesystem::path& folder, std::size_t entryLimit) {
    std::vector<std::string> names;
    std::ifstream file(folder / FriendsFileName, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // A zero byte ends an entry, as it would have in the fixed buffers the file was made for.
        line.resize(std::min({line.size(), entryLimit, line.find('\0')}));
        names.push_back(line);
    }
    return names;
}

bool SaveFriends(const std::filesystem::path& folder, const std::vector<std::string>& names) {
    std::string content;
    for (const auto& name : names)
        content.append(name).append(LineEnd);
    return !ReplaceWholeFile(folder / FriendsFileName, content);
}

} // namespace orv
