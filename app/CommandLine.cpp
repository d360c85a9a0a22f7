#include "app/CommandLine.h"

#include "session/Connection.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace orv::app {

static_assert(VersionLabel == "Version " ORV_VERSION,
              "the window's version label and the build's version differ");

namespace {

// QGuiApplication's and QApplication's own options, which QApplication removes from the
// arguments itself. Each may be written with one dash or two.
constexpr std::string_view QtOptionsWithValue[] = {
    "platform",     "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowtitle", "qwindowicon",        "session",       "style",  "stylesheet",
    "display",      "geometry",           "title",         "icon",   "name",
    "visual"};
constexpr std::string_view QtFlags[] = {"reverse", "widgetcount", "sync", "nograb", "dograb"};
// Options Qt also reads in the form -name=value.
constexpr std::string_view QtOptionsWithEquals[] = {"style=", "stylesheet=", "qmljsdebugger="};

CommandLine Fail(std::string message) {
    CommandLine line;
    line.Do = CommandLine::Action::Error;
    line.Error = "orv2term: " + std::move(message) + " (see orv2term --help)";
    return line;
}

} // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            line.Do = CommandLine::Action::Help;
            return line;
        }
        if (arg == "--version") {
            line.Do = CommandLine::Action::Version;
            return line;
        }
        if (arg == "--desktop") {
            line.Folder = DataFolder::Desktop;
            continue;
        }
        if (arg.size() < 2 || arg[0] != '-') return Fail("unexpected argument '" + std::string(arg) + "'");
        std::string_view name = arg.substr(arg.starts_with("--") ? 2 : 1);
        const auto listed = [&](const auto& list) { return std::ranges::find(list, name) != std::end(list); };
        const auto opens = [&](std::string_view form) { return name.starts_with(form); };
        if (listed(QtFlags) || std::ranges::any_of(QtOptionsWithEquals, opens)) continue;
        if (listed(QtOptionsWithValue)) {
            if (++i == argc) return Fail("option '" + std::string(arg) + "' needs a value");
            continue;
        }
        return Fail("unknown option '" + std::string(arg) + "'");
    }
    return line;
}

std::string HelpText() {
    return "Usage: orv2term [--desktop]\n"
           "The desktop client for Orvanta, the online multi-player text game of space trading.\n"
           "\n"
           "Options:\n"
           "  --desktop   keep the player's files (the day logs in logs/, the friends and foes list\n"
           "              ff.dat and the alert sound alert.wav) in $XDG_DATA_HOME/talmaro, or in\n"
           "              ~/.local/share/talmaro when XDG_DATA_HOME is not set; the folder is made\n"
           "              on first use, readable by the player alone, and given the installed\n"
           "              alert.wav when it has none. The desktop menu starts the client this way.\n"
           "              Without --desktop these files live in the folder the client is started in.\n"
           "  -h, --help  show this help and exit\n"
           "  --version   show the version and exit\n"
           "\n"
           "Qt's standard options (-platform, -style, -reverse, ...) are accepted too.\n"
           "Settings are kept in $XDG_CONFIG_HOME/talmaro/ot32.reg (~/.config/talmaro/ot32.reg).\n";
}

std::string VersionText() {
    return "Orv2Term " ORV_VERSION "\n";
}

} // namespace orv::app
