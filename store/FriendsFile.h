#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// The friends-and-foes list file, in StartDir.
inline constexpr std::string_view FriendsFileName = "ff.dat";
// Shown in the output pane when the list file cannot be written.
inline constexpr std::string_view SaveFriendsFailed = "Unable to save friends and foes list!";
// The names in folder's ff.dat, one per line (LF or CR LF), each cut to entryLimit bytes; an empty
// line is an empty entry. A missing or unreadable file gives an empty list, silently.
std::vector<std::string> LoadFriends(const std::filesystem::path& folder, std::size_t entryLimit);

// Writes the names, one per line with the platform's line end, to folder's ff.dat, replacing the
// file whole, so a failed write leaves the old list intact. False on failure; the caller shows
// SaveFriendsFailed.
[[nodiscard]] bool SaveFriends(const std::filesystem::path& folder, const std::vector<std::string>& names);

} // namespace orv
