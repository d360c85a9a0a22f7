#pragma once

#include <string>

// The client's command line, read before anything of Qt starts so that --help, --version and a
// wrong option answer without a display. Qt's own standard options (-platform, -style, ...) are let
// through for QApplication to take.
namespace orv::app {

// Where the player's own files (logs/, ff.dat, alert.wav) live.
enum class DataFolder {
    StartFolder, // the folder the client was started in, as from a terminal
    Desktop,     // the desktop's per-user data folder, as from the desktop menu
};

struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action Do = Action::Run;
    DataFolder Folder = DataFolder::StartFolder;
    std::string Error; // one line, for Action::Error
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

std::string HelpText();
std::string VersionText();

} // namespace orv::app
