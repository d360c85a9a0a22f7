#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace orv::app {
namespace {

CommandLine Parse(std::initializer_list<const char*> args) {
    std::vector<const char*> argv{"orv2term"};
    argv.insert(argv.end(), args);
    return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

using Action = CommandLine::Action;

TEST(CommandLine, QtOptionsPassWithTheirValuesAndLeaveTheStartFolder) {
    for (const auto& line :
         {Parse({}), Parse({"-platform", "offscreen"}), Parse({"--style", "fusion", "-reverse"}),
          Parse({"-style=fusion", "-qmljsdebugger=port:1234"}), Parse({"-session", "10d2e4f5a6"})}) {
        EXPECT_EQ(line.Do, Action::Run) << line.Error;
        EXPECT_EQ(line.Folder, DataFolder::StartFolder);
    }
    const auto desktop = Parse({"-platform", "xcb", "--desktop", "-reverse"});
    EXPECT_EQ(desktop.Do, Action::Run) << desktop.Error;
    EXPECT_EQ(desktop.Folder, DataFolder::Desktop);
}

TEST(CommandLine, HelpAndVersionAnswerWhateverElseIsThere) {
    EXPECT_EQ(Parse({"--desktop", "--help"}).Do, Action::Help);
    EXPECT_EQ(Parse({"-h"}).Do, Action::Help);
    EXPECT_EQ(Parse({"--version", "--bogus"}).Do, Action::Version);
}

TEST(CommandLine, AnythingElseIsOneLineNamingTheCulprit) {
    const struct {
        std::initializer_list<const char*> Args;
        const char* Culprit;
    } cases[] = {
        {{"--desktop", "--bogus"}, "'--bogus'"},
        {{"-d"}, "'-d'"},
        {{"--desktop=yes"}, "'--desktop=yes'"},
        {{"-platform"}, "'-platform' needs a value"},
        {{"somefile"}, "'somefile'"},
        {{"-"}, "'-'"},
        {{"-platform", "xcb", "extra"}, "'extra'"},
    };
    for (const auto& c : cases) {
        const auto line = Parse(c.Args);
        EXPECT_EQ(line.Do, Action::Error) << c.Culprit;
        EXPECT_NE(line.Error.find(c.Culprit), std::string::npos) << line.Error;
        EXPECT_EQ(line.Error.find('\n'), std::string::npos) << line.Error;
    }
}

} // namespace
} // namespace orv::app
