#include "session/CommandHistory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv {
namespace {

// Steps back n times from typing, then forward until the history gives nothing; what each step shows.
std::vector<std::string> Walk(CommandHistory& history, int back, const std::string& typing) {
    std::vector<std::string> shown;
    for (int i = 0; i < back; ++i)
        if (auto text = history.Older(shown.empty() ? typing : shown.back())) shown.push_back(*text);
    while (auto text = history.Newer())
        shown.push_back(*text);
    return shown;
}

TEST(CommandHistory, RecallsNewestFirstAndGivesBackTheLineBeingTyped) {
    CommandHistory history;
    EXPECT_TRUE(Walk(history, 3, "half").empty()) << "nothing sent, nothing recalled";
    for (const char* command : {"look", "n", "n", "say hi", "n"})
        history.Add(command);
    // A repeat of the newest is kept once; an older repeat is kept again.
    EXPECT_EQ(Walk(history, 9, "half typed"),
              (std::vector<std::string>{"n", "say hi", "n", "look", "n", "say hi", "n", "half typed"}));
    // A command sent during a recall starts the next recall from the newest again.
    (void)history.Older("");
    history.Add("quit");
    EXPECT_EQ(history.Older(""), "quit");
}

TEST(CommandHistory, KeepsTheNewest200) {
    CommandHistory history;
    for (int i = 0; i < 250; ++i)
        history.Add("c" + std::to_string(i));
    std::string oldest;
    while (auto text = history.Older(""))
        oldest = *text;
    EXPECT_EQ(oldest, "c50");
}

} // namespace
} // namespace orv
