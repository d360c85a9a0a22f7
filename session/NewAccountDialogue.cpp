#include "session/NewAccountDialogue.h"

#include <string>

namespace orv {

void NewAccountDialogue::ProcessChunk(std::string_view chunk) {
    const NewAccountDetails form = dialogue_.NewAccountForm();
    ReadLines(chunk, [this, &form](std::string_view line) { return AnswerLine(line, form); });
}

bool NewAccountDialogue::AnswerLine(std::string_view line, const NewAccountDetails& form) {
    const auto contains = [line](std::string_view what) { return line.find(what) != std::string_view::npos; };
    switch (step_) {
    case Step::LoginPrompt:
        if (!contains("ogin:")) return true;
        if (form.NewAccount) {
            host_.ShowLine("Setting up new account");
            host_.SendText("new\n");
            step_ = Step::AccountQuestion;
        } else {
            host_.SendText(form.AccountId + "\n" + form.Password + "\n");
            step_ = Step::NameQuestion;
        }
        return true;
    case Step::AccountQuestion:
        // Whatever the first question says, the account's details answer it.
        host_.SendText(form.AccountId + "\n" + form.Password + "\n" + form.Password + "\n");
        host_.SendText(form.EMail + "\n");
        step_ = Step::NameQuestion;
        return true;
    case Step::NameQuestion:
        if (contains("I'm sorry,")) {
            Refuse("The account name you chose is\nunavailable. Please try again.");
            return false;
        }
        if (contains("Please provide a name")) {
            static constexpr char GenderLetters[] = "mfn";
            host_.ShowLine("New account set up.");
            const char gender = GenderLetters[form.Gender >= 0 && form.Gender < 3 ? form.Gender : 0];
            host_.SendText(form.Name + "\n" + form.Race + "\n" + gender + "\nn\n");
            step_ = Step::PlayOffer;
            host_.SendText(std::to_string(form.Strength) + "\n" + std::to_string(form.Stamina) + "\n" +
                           std::to_string(form.Dexterity) + "\nyes\n");
        }
        return true;
    case Step::PlayOffer:
        break;
    }

    if (!contains("Do you want to play")) return true;
    host_.ShowLine("New character being set up.");
    host_.ShowLine(" ");
    host_.ShowLine(" ");
    step_ = Step::LoginPrompt;
    session_.EnterSetup();
    return false; // the rest waits for the next chunk and the ordinary line path
}

bool NewAccountDialogue::ReadSetupLine(std::string_view line) {
    if (line.find("I'm sorry that name is not available.") == std::string_view::npos) return false;
    Refuse("The character name you chose is\nunavailable. Please try again.");
    // The account exists now: the next attempt only adds a character to it.
    dialogue_.UntickNewAccount();
    return true;
}

void NewAccountDialogue::Refuse(std::string_view message) {
    dialogue_.ShowError(message);
    dialogue_.LogoffClick();
    host_.SetLinkState(LinkState::Normal);
    session_.Reset();
}

} // namespace orv
