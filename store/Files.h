#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace orv {

// The text-file line end of the platform; every '\n' the client's files hold is written as it.
#ifdef _WIN32
inline constexpr std::string_view LineEnd = "\r\n";
inline constexpr char PathSeparator = '\\';
#else
inline constexpr std::string_view LineEnd = "\n";
inline constexpr char PathSeparator = '/';
#endif

// Replaces target whole with content, byte for byte: the bytes go to a new file in the same folder
// (readable by the user alone), reach the disk, and the new file is renamed over target. A failed
// or interrupted write leaves the old file as it was and no new file behind; the error says why.
std::error_code ReplaceWholeFile(const std::filesystem::path& target, std::string_view content);

#ifndef _WIN32
// Creates folder and any missing parents readable by the user alone (0700): saved passwords and the
// player's logs live in them. An existing folder is left as it is.
std::error_code MakePrivateFolders(const std::string& folder);

// Removes the temporary files that replacements of target killed midway left beside it: regular
// files named as ReplaceWholeFile names them, target's name and six letters or digits. They may
// hold a whole copy of target, saved passwords included. Call it only while no other writer can be
// replacing target, or its temporary file goes too.
void RemoveLeftoverTemporaries(const std::filesystem::path& target);

// A per-user base folder as the desktop's conventions name it: the absolute path in the environment
// variable without its trailing slashes, else homeFallback (".config", ".local/share") below the home
// folder.
std::string UserBaseFolder(const char* variable, std::string_view homeFallback);
#endif

} // namespace orv
