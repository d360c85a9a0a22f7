#include "store/FriendsFile.h"

#include "store/Files.h"

#include <algorithm>
#include <fstream>
#include <string_view>

namespace orv {

std::vector<std::string> LoadFriends(const std::filesystem::path& folder, std::size_t entryLimit) {
    std::vector<std::string> names;
    std::ifstream file(folder / FriendsFileName, std::ios::binary);
    // Read in blocks, keeping no more of a line than its entry and one byte more, so that a file
    // without line breaks is never held whole. A line that fits holds its line end's CR as its
    // last byte; the cut drops it from any longer one.
    std::string line;
    bool lineOpen = false;
    const auto endLine = [&] {
        if (line.size() <= entryLimit && !line.empty() && line.back() == '\r') line.pop_back();
        // A zero byte ends an entry, as it would have in the fixed buffers the file was made for.
        line.resize(std::min({line.size(), entryLimit, line.find('\0')}));
        names.push_back(line);
        line.clear();
        lineOpen = false;
    };
    char block[4096];
    while (file.read(block, sizeof block) || file.gcount() > 0) {
        std::string_view rest(block, static_cast<std::size_t>(file.gcount()));
        while (!rest.empty()) {
            const auto end = rest.find('\n');
            const std::string_view part = rest.substr(0, end);
            line.append(part.substr(0, entryLimit + 1 - line.size()));
            lineOpen = lineOpen || !part.empty();
            if (end == std::string_view::npos) break;
            endLine();
            rest.remove_prefix(end + 1);
        }
    }
    if (lineOpen) endLine();
    return names;
}

bool SaveFriends(const std::filesystem::path& folder, const std::vector<std::string>& names) {
    std::string content;
    for (const auto& name : names)
        content.append(name).append(LineEnd);
    return !ReplaceWholeFile(folder / FriendsFileName, content);
}

} // namespace orv
