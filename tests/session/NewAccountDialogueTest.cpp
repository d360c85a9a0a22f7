#include "FakeHost.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

struct NewAccountDialogueTest : ::testing::Test, Session {};

TEST_F(NewAccountDialogueTest, CreatesTheAccountAndCharacterAndEntersTheSetup) {
    Receive(LinkState::NewAccount, "Banner\r\nlogin: ");
    EXPECT_EQ(host.TakeSent(), "new\n");
    Receive("Choose an account name: ");
    EXPECT_EQ(host.TakeSent(), "pilot\nSecret12\nSecret12\npilot@example.org\n");
    Receive("Password: Again: E-mail: "); // questions already answered are not answered again
    EXPECT_EQ(host.TakeSent(), "");
    Receive("\r\nPlease provide a name for your character: ");
    EXPECT_EQ(host.TakeSent(), "Zed\nElf\nf\nn\n30\n40\n50\nyes\n");
    Receive("Race? Gender? \r\nYour character is ready. Do you want to play now?\r\nWelcome\r\n");
    EXPECT_EQ(host.TakeSent(), "spynet notice\n");
    // Only the client's own messages were shown, never the server's lines.
    EXPECT_EQ(host.TakeShown(), (Lines{"Setting up new account", "New account set up.",
                                       "New character being set up.", " ", " "}));
    EXPECT_EQ(host.state, LinkState::Setup);
    EXPECT_EQ(dialogue.inputText, " ----- Please wait while OrvTerm builds its player list -----");
    EXPECT_EQ(tp.PendingText(), "Welcome\r\n"); // waits for the next chunk's ordinary path
}

TEST_F(NewAccountDialogueTest,
       ATakenAccountOrCharacterNameLogsOffAndTheNextAttemptStartsCleanFromTheAccountMade) {
    Receive(LinkState::NewAccount, "login: Account name: ");
    Receive("\r\nI'm sorry, that account name is taken.\r\nmore: ");
    EXPECT_EQ(host.TakeShown(),
              (Lines{"Setting up new account", ClosedLines[0], ClosedLines[1], ClosedLines[2]}));
    EXPECT_EQ(host.state, LinkState::Normal);
    EXPECT_TRUE(tp.PendingText().empty());
    Receive(LinkState::NewAccount, "login:");
    EXPECT_EQ(host.TakeSent(), "new\npilot\nSecret12\nSecret12\npilot@example.org\nnew\n");

    // The character name is refused only after the offer to play, in Setup. The line before the
    // refusal is an ordinary game line; the refusal itself is never shown.
    Receive(LinkState::Setup, "OK - SpyNet\r\nI'm sorry that name is not available.\r\nafter\r\n");
    EXPECT_EQ(host.TakeShown(), (Lines{"Setting up new account", "OK - SpyNet ", ClosedLines[0],
                                       ClosedLines[1], ClosedLines[2]}));
    EXPECT_EQ(host.state, LinkState::Normal);
    EXPECT_TRUE(tp.PendingText().empty());
    EXPECT_EQ(dialogue.errors, (Lines{"The account name you chose is\nunavailable. Please try again.",
                                      "The character name you chose is\nunavailable. Please try again."}));
    // The account exists now: the next attempt logs on to it before making the character.
    EXPECT_FALSE(dialogue.form.NewAccount);
    dialogue.form.Gender = 2;
    Receive(LinkState::NewAccount, "login: Please provide a name for your character: ");
    EXPECT_EQ(host.TakeSent(), "pilot\nSecret12\nZed\nElf\nn\nn\n30\n40\n50\nyes\n");
    EXPECT_EQ(host.TakeShown(), (Lines{"New account set up."}));
}

} // namespace
} // namespace orv::test
