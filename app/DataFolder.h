#pragma once

#include <string>
#include <system_error>

// The folder that holds the player's own files when the client is started from the desktop menu,
// following the XDG base directory rules.
namespace orv::app {

// $XDG_DATA_HOME/talmaro, or ~/.local/share/talmaro when XDG_DATA_HOME is unset, empty or not an
// absolute path.
std::string DesktopDataFolder();

// Makes the folder, and any missing folder above it, readable by the owner alone (an existing one
// keeps its mode), and gives it a copy of defaultAlert as alert.wav when it has no alert.wav yet.
// A missing defaultAlert is no error: the client then sounds the system beep.
std::error_code PrepareDataFolder(const std::string& folder, const std::string& defaultAlert);

} // namespace orv::app
