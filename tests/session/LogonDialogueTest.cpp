#include "FakeHost.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

struct LogonDialogueTest : ::testing::Test, Session {};

TEST_F(LogonDialogueTest, AnswersPromptsAtTheirColonThenShowsTheWelcomeAndBeginsSetupWithTheRestWaiting) {
    Receive(LinkState::Logon, "Welcome to the demo\r\n\r\nlogin: ");
    EXPECT_EQ(host.TakeSent(), "kx1234\n");
    EXPECT_EQ(host.TakeShown(), (Lines{"Welcome to the demo ", " ", "Logging kx1234 into Orvanta..."}));
    Receive("\r\nPass");
    EXPECT_EQ(host.TakeSent(), "");
    Receive("word: ");
    EXPECT_EQ(host.TakeSent(), "secret\n");
    // The space after the first prompt's colon came back as a line of its own.
    EXPECT_EQ(host.TakeShown(), (Lines{"  ", "Sending password..."}));

    Receive("\r\n\r\nWelcome to Orvanta DataSpace.\r\nYou are in the concourse.\r\n");
    // "  ": the space after "Password:".
    EXPECT_EQ(host.TakeShown(), (Lines{"  ", " ", "Welcome to Orvanta DataSpace. "}));
    EXPECT_EQ(host.TakeSent(), "spynet notice\n");
    EXPECT_EQ(host.state, LinkState::Setup);
    EXPECT_EQ(dialogue.inputText, " ----- Please wait while OrvTerm builds its player list -----");
    EXPECT_EQ(tp.PendingText(), "You are in the concourse.\r\n");
    // The next chunk takes the ordinary line path, in Setup.
    Receive("More.\r\n");
    EXPECT_EQ(host.TakeShown(), (Lines{"You are in the concourse. ", "More. "}));
}

TEST_F(LogonDialogueTest, PromptWordsOutOfTurnAreShownCutAfterTheColon) {
    // Any line holding "ogin:" is the account prompt, whatever stands before it.
    Receive(LinkState::Logon, "Last login: today\r\nlogin:");
    // Once answered, a second prompt is only text, cut after its colon.
    Receive("\r\nyour login: here\r\n");
    EXPECT_EQ(host.TakeShown(),
              (Lines{"Logging kx1234 into Orvanta...", " today ", "login: ", " ", "your login: ", " here "}));
    EXPECT_EQ(host.TakeSent(), "kx1234\n");
}

TEST_F(LogonDialogueTest, RefusalsAreCorrectedFromTheBoxUntilThePlayerCancels) {
    dialogue.answers = {true, false};
    Receive(LinkState::Logon, "login: Password: ");
    // The refusal and the next prompt in one chunk: the corrected account goes out at once.
    Receive("\r\nLogin incorrect\r\nlogin: ");
    EXPECT_EQ(host.TakeSent(), "kx1234\nsecret\nkx9999\n");
    EXPECT_EQ(host.TakeShown(), (Lines{"Logging kx1234 into Orvanta...", "Sending password...", "  ",
                                       "Logging kx9999 into Orvanta..."}));
    // The second refusal is cancelled: the connection closes and everything after is dropped.
    Receive("Password: \r\nSystem error, try again\r\nlogin: \r\nmore text\r\n");
    EXPECT_EQ(dialogue.abandons, 1u);
    EXPECT_EQ(host.TakeShown(),
              (Lines{"Sending password...", "  ", ClosedLines[0], ClosedLines[1], ClosedLines[2]}));
    EXPECT_EQ(host.state, LinkState::LogonAbandoned);
    EXPECT_TRUE(tp.PendingText().empty());
    // Text still arriving is neither shown nor answered.
    Receive("login: \r\nanything\r\n");
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(host.TakeSent(), "fixed\n");
}

} // namespace
} // namespace orv::test
