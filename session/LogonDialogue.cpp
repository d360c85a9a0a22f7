#include "session/LogonDialogue.h"

#include <string>

namespace orv {

void LogonDialogue::ProcessChunk(std::string_view chunk) {
    ReadLines(chunk, [this](std::string_view line) { return AnswerLine(line); });
}

bool LogonDialogue::AnswerLine(std::string_view line) {
    // After the player gave up, what is left of the chunk is taken and dropped.
    if (host_.GetLinkState() == LinkState::LogonAbandoned) return true;
    const auto contains = [line](std::string_view what) { return line.find(what) != std::string_view::npos; };

    switch (step_) {
    case Step::AccountPrompt:
        if (!contains("ogin:")) {
            host_.ShowLine(line);
            return true;
        }
        {
            const std::string account = dialogue_.LogonAccount();
            host_.SendText(account + "\n");
            step_ = Step::PasswordPrompt;
            host_.ShowLine("Logging " + account + " into Orvanta...");
        }
        return true;
    case Step::PasswordPrompt:
        if (!contains("word:")) {
            host_.ShowLine(line);
            return true;
        }
        host_.SendText(dialogue_.LogonPassword() + "\n");
        step_ = Step::Verdict;
        host_.ShowLine("Sending password...");
        return true;
    case Step::Verdict:
        break;
    }

    if (line.size() <= 2) {
        host_.ShowLine(line);
        return true;
    }
    if (contains("ogin incorrect") || contains("ystem error")) {
        // The box runs a nested event loop; the read handler's flag keeps further chunks out.
        const bool corrected = dialogue_.AskCorrectedLogon();
        step_ = Step::AccountPrompt; // the server's next account prompt gets the corrected details
        if (!corrected) {
            dialogue_.AbandonLogon();
            host_.SetLinkState(LinkState::LogonAbandoned);
        }
        return true;
    }
    host_.ShowLine(line);
    if (!contains("Orvanta DataSpace.")) return true;
    // Welcomed. What else this chunk holds waits for the next chunk and then takes the ordinary
    // line path, in Setup.
    step_ = Step::AccountPrompt;
    session_.EnterSetup();
    return false;
}

} // namespace orv
