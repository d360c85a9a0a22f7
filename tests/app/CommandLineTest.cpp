#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace orv::app {
namespace {

CommandLine Parse(std::initializer_list<const char*> args) {
    std::vector<const char*> argv{"orv2term"};
    argv.insert(argv.end(), args);
    return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

using Action = CommandLine::Action;

// Qt's options pass with their values, help and version answer whatever else is there, and anything
// else is an error of one line naming the culprit.
TEST(CommandLine, EachLineGivesItsActionFolderAndMessage) {
    const struct {
        std::initializer_list<const char*> Args;
        Action Do;
        const char* Culprit = "";                    // for Action::Error
        DataFolder Folder = DataFolder::StartFolder; // for Action::Run
    } cases[] = {{{}, Action::Run},
                 {{"-platform", "offscreen"}, Action::Run},
                 {{"--style", "fusion", "-reverse"}, Action::Run},
                 {{"-style=fusion", "-qmljsdebugger=port:1234"}, Action::Run},
                 {{"-session", "10d2e4f5a6"}, Action::Run},
                 {{"-platform", "xcb", "--desktop", "-reverse"}, Action::Run, "", DataFolder::Desktop},
                 {{"--desktop", "--help"}, Action::Help},
                 {{"-h"}, Action::Help},
                 {{"--version", "--bogus"}, Action::Version},
                 {{"-d"}, Action::Error, "'-d'"},
                 {{"--desktop=yes"}, Action::Error, "'--desktop=yes'"},
                 {{"-platform"}, Action::Error, "'-platform' needs a value"},
                 {{"-"}, Action::Error, "'-'"},
                 {{"-platform", "xcb", "extra"}, Action::Error, "'extra'"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::vector<std::string>(c.Args.begin(), c.Args.end())));
        const auto line = Parse(c.Args);
        EXPECT_EQ(line.Do, c.Do) << line.Error;
        EXPECT_TRUE(c.Do != Action::Run || line.Folder == c.Folder) << "the folder";
        if (c.Do != Action::Error) continue;
        EXPECT_NE(line.Error.find(c.Culprit), std::string::npos) << line.Error;
        EXPECT_EQ(line.Error.find('\n'), std::string::npos) << line.Error;
    }
}

} // namespace
} // namespace orv::app
