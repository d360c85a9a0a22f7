#include "FakeHost.h"
#include "session/Textproc.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

using Lines = std::vector<std::string>;

class LoginDialogueTest : public ::testing::Test {
protected:
    void Receive(const std::string& chunk) { tp.ProcessChunk(chunk, host.state); }
    std::string TakeSent() { return std::exchange(host.sent, {}); }
    Lines TakeShown() { return std::exchange(host.shown, {}); }
    // Both prompts answered; what they sent and showed is forgotten.
    void PastThePrompts() {
        Receive("login: ");
        Receive("Password: ");
        host.sent.clear();
        host.shown.clear();
    }

    FakeHost host;
    FakeDialogue logon{host};
    TextProcessor tp{host, &logon};
    void SetUp() override { host.state = LinkState::Logon; }
};

TEST_F(LoginDialogueTest, AnswersPromptsAsSoonAsTheirColonArrivesAndHidesThem) {
    Receive("Welcome to the demo\r\n\r\nlogin: ");
    EXPECT_EQ(TakeSent(), "kx1234\n");
    EXPECT_EQ(TakeShown(), (Lines{"Welcome to the demo ", " ", "Logging kx1234 into Orvanta..."}));

    Receive("\r\nPass");
    EXPECT_EQ(TakeSent(), "");
    Receive("word: ");
    EXPECT_EQ(TakeSent(), "secret\n");
    // The space after the first prompt's colon came back as a line of its own.
    EXPECT_EQ(TakeShown(), (Lines{"  ", "Sending password..."}));
    EXPECT_EQ(tp.DialogueStep, 2);
}

TEST_F(LoginDialogueTest, PromptWordsOutOfTurnAreShownCutAfterTheColon) {
    // Any line holding "ogin:" is the account prompt, whatever stands before it.
    Receive("Last login: today\r\nlogin:");
    // Once answered, a second prompt is only text, cut after its colon.
    EXPECT_EQ(TakeShown(), (Lines{"Logging kx1234 into Orvanta...", " today ", "login: "}));
    Receive("\r\nyour login: here\r\n");
    EXPECT_EQ(TakeShown(), (Lines{" ", "your login: ", " here "}));
    EXPECT_EQ(TakeSent(), "kx1234\n");
}

TEST_F(LoginDialogueTest, WelcomeIsShownThenSetupBeginsAndTheRestOfTheChunkWaits) {
    PastThePrompts();
    Receive("\r\n\r\nWelcome to Orvanta DataSpace.\r\nYou are in the concourse.\r\n");
    EXPECT_EQ(TakeShown(), (Lines{"  ", " ", "Welcome to Orvanta DataSpace. "})); // "  ": the space after "Password:"
    EXPECT_EQ(TakeSent(), "spynet notice\n");
    EXPECT_EQ(host.state, LinkState::Setup);
    EXPECT_EQ(tp.DialogueStep, 0);
    EXPECT_EQ(logon.inputText, " ----- Please wait while OrvTerm builds its player list -----");
    EXPECT_EQ(tp.PendingText(), "You are in the concourse.\r\n");
    // The next chunk takes the ordinary line path, in Setup.
    Receive("More.\r\n");
    EXPECT_EQ(TakeShown(), (Lines{"You are in the concourse. ", "More. "}));
}

TEST_F(LoginDialogueTest, RefusalCorrectedWithOkAnswersTheNextPromptAtOnce) {
    logon.answers = {true, true};
    PastThePrompts();
    // The refusal and the next prompt in one chunk: the corrected account goes out at once.
    Receive("\r\nLogin incorrect\r\nlogin: ");
    EXPECT_EQ(logon.boxes, 1);
    EXPECT_EQ(logon.saves, 1);
    EXPECT_EQ(TakeSent(), "kx9999\n");
    EXPECT_EQ(TakeShown(), (Lines{"  ", "Logging kx9999 into Orvanta..."}));
    // A second refusal in the same run is handled like the first.
    Receive("Password: ");
    logon.corrected = {"third", "try"};
    Receive("\r\nSystem error, try again\r\nlogin: ");
    EXPECT_EQ(logon.boxes, 2);
    EXPECT_EQ(TakeSent(), "fixed\nthird\n");
    EXPECT_EQ(host.state, LinkState::Logon);
}

TEST_F(LoginDialogueTest, RefusalCancelledClosesAndDropsEverythingAfter) {
    logon.answers = {false};
    PastThePrompts();
    Receive("\r\nLogin incorrect\r\nlogin: \r\nmore text\r\n");
    EXPECT_EQ(logon.abandons, 1);
    EXPECT_EQ(TakeShown(), (Lines{"  ", " ", " --- No longer connected to talmaro' servers ---",
                                  "Connection to Orvanta Closed"}));
    EXPECT_EQ(TakeSent(), "");
    EXPECT_EQ(host.state, LinkState::LogonAbandoned);
    EXPECT_EQ(tp.DialogueStep, 0);
    EXPECT_TRUE(tp.PendingText().empty());
    // Text still arriving is not shown.
    Receive("login: \r\nanything\r\n");
    EXPECT_TRUE(TakeShown().empty());
    EXPECT_EQ(TakeSent(), "");
}

TEST_F(LoginDialogueTest, AStepLeftByTheNewAccountDialogueReadsNothing) {
    tp.DialogueStep = 101;
    Receive("login: \r\ntext\r\n");
    EXPECT_TRUE(TakeShown().empty());
    EXPECT_EQ(TakeSent(), "");
}

} // namespace
} // namespace orv::test
