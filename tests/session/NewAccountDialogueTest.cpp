#include "FakeHost.h"
#include "session/Textproc.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

using Lines = std::vector<std::string>;

class NewAccountDialogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.state = LinkState::NewAccount;
        auto& f = dialogue.form;
        f.NewAccount = true;
        f.AccountId = "acct";
        f.Password = f.Confirmation = "pw";
        f.EMail = "me@example.org";
        f.Name = "Nyx";
        f.Race = "Human";
        f.Gender = 1;
        f.Strength = 30;
        f.Stamina = 40;
        f.Dexterity = 50;
    }
    void Receive(const std::string& chunk) { tp.ProcessChunk(chunk, host.state); }
    std::string TakeSent() { return std::exchange(host.sent, {}); }
    Lines TakeShown() { return std::exchange(host.shown, {}); }

    FakeHost host;
    FakeDialogue dialogue{host};
    TextProcessor tp{host, &dialogue};
};

TEST_F(NewAccountDialogueTest, CreatesTheAccountAndCharacterAndEntersTheSetup) {
    Receive("Banner\r\nlogin: ");
    EXPECT_EQ(TakeSent(), "new\n");
    Receive("Choose an account name: ");
    EXPECT_EQ(TakeSent(), "acct\npw\npw\nme@example.org\n");
    Receive("Password: Again: E-mail: "); // questions already answered are not answered again
    EXPECT_EQ(TakeSent(), "");
    Receive("\r\nPlease provide a name for your character: ");
    EXPECT_EQ(TakeSent(), "Nyx\nHuman\nf\nn\n30\n40\n50\nyes\n");
    Receive("Race? Gender? \r\nYour character is ready. Do you want to play now?\r\nWelcome\r\n");
    EXPECT_EQ(TakeSent(), "spynet notice\n");
    // Only the client's own messages were shown, never the server's lines.
    EXPECT_EQ(TakeShown(), (Lines{"Setting up new account", "New account set up.", "New character being set up.",
                                  " ", " "}));
    EXPECT_EQ(host.state, LinkState::Setup);
    EXPECT_EQ(tp.DialogueStep, 0);
    EXPECT_EQ(dialogue.inputText, " ----- Please wait while OrvTerm builds its player list -----");
    EXPECT_EQ(tp.PendingText(), "Welcome\r\n"); // waits for the next chunk's ordinary path
}

TEST_F(NewAccountDialogueTest, ACharacterForAnExistingAccountLogsOnFirst) {
    dialogue.form.NewAccount = false;
    dialogue.form.Gender = 2;
    Receive("login: ");
    EXPECT_EQ(TakeSent(), "acct\npw\n");
    EXPECT_EQ(tp.DialogueStep, 101);
    Receive("Please provide a name for your character: ");
    EXPECT_EQ(TakeSent(), "Nyx\nHuman\nn\nn\n30\n40\n50\nyes\n");
    EXPECT_EQ(TakeShown(), (Lines{"New account set up."}));
}

TEST_F(NewAccountDialogueTest, ATakenAccountNameLogsOffAndStartsClean) {
    Receive("login: ");
    Receive("Account name: ");
    TakeSent();
    Receive("\r\nI'm sorry, that account name is taken.\r\nmore: ");
    EXPECT_EQ(dialogue.errors, (Lines{"The account name you chose is\nunavailable. Please try again."}));
    EXPECT_EQ(TakeShown(), (Lines{"Setting up new account", " ", " --- No longer connected to talmaro' servers ---",
                                  "Connection to Orvanta Closed"}));
    EXPECT_EQ(host.state, LinkState::Normal);
    EXPECT_EQ(tp.DialogueStep, 0);
    EXPECT_TRUE(tp.PendingText().empty());
    EXPECT_EQ(TakeSent(), "");
}

TEST_F(NewAccountDialogueTest, ATakenCharacterNameInSetupLogsOffAndUnticksNewAccount) {
    host.state = LinkState::Setup;
    tp.ProcessChunk("OK - SpyNet\r\nI'm sorry that name is not available.\r\nafter\r\n", LinkState::Setup);
    EXPECT_EQ(dialogue.errors, (Lines{"The character name you chose is\nunavailable. Please try again."}));
    EXPECT_FALSE(dialogue.form.NewAccount);
    EXPECT_EQ(host.state, LinkState::Normal);
    EXPECT_TRUE(tp.PendingText().empty());
    // The refusal line itself is never shown; the line before it is, as an ordinary game line.
    EXPECT_EQ(TakeShown(), (Lines{"OK - SpyNet ", " ", " --- No longer connected to talmaro' servers ---",
                                  "Connection to Orvanta Closed"}));
}

TEST_F(NewAccountDialogueTest, AStepLeftByAnInterruptedLogOnAnswersNothing) {
    tp.DialogueStep = 2;
    Receive("login: \r\nPlease provide a name: ");
    EXPECT_EQ(TakeSent(), "");
    EXPECT_TRUE(TakeShown().empty());
}

} // namespace
} // namespace orv::test
