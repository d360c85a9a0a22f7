#include "session/Textproc.h"

#include <algorithm>
#include <cstring>

namespace orv {

TextProcessor::TextProcessor(SessionHost& host, DialogueHost* dialogue, LineRecognisers* lines)
    : host_(host), dialogue_(dialogue), lines_(lines), telnet_(host) {
    // Sized once: a full pending text plus a chunk never reallocates.
    pending_.reserve(PendingLimit + 4096);
    line_.reserve(PendingLimit + 1);
    chunk_.reserve(4096);
}

void TextProcessor::Reset() {
    DialogueStep = 0;
    pending_.clear();
    pendingStart_ = 0;
    telnet_.Reset();
    lexer_ = Lexer();
}

std::string_view TextProcessor::NextLine(std::string_view text, char terminator) {
    line_.clear();
    chunk_.assign(text);
    if (!chunk_.empty()) telnet_.StripTelnet(chunk_);

    if (!chunk_.empty()) {
        if (pendingStart_ != 0) {
            pending_.erase(0, pendingStart_);
            pendingStart_ = 0;
        }
        pending_.append(chunk_);
    }
    const std::size_t available = pending_.size() - pendingStart_;
    if (available == 0) return {};

    const char* const start = pending_.data() + pendingStart_;
    const std::size_t scan = std::min(available, PendingLimit);
    const char* cut;
    if (terminator == '\n') {
        cut = static_cast<const char*>(std::memchr(start, '\n', scan));
    } else {
        cut = std::find_if(start, start + scan, [terminator](char c) { return c == '\n' || c == terminator; });
        if (cut == start + scan) cut = nullptr;
    }

    std::size_t lineLength;
    std::size_t consumed;
    if (cut != nullptr) {
        const auto at = static_cast<std::size_t>(cut - start);
        consumed = at + 1;
        if (*cut == '\n') {
            lineLength = (at > 0 && start[at - 1] == '\r') ? at - 1 : at;
        } else {
            lineLength = at + 1; // the terminator stays in the line
        }
    } else if (available >= PendingLimit) {
        // No line end within the pending text's capacity: hand on what fits as one line.
        lineLength = PendingLimit;
        consumed = PendingLimit;
    } else {
        return {};
    }

    line_.assign(start, lineLength);
    line_.push_back(' ');
    pendingStart_ += consumed;
    if (pendingStart_ == pending_.size()) {
        pending_.clear();
        pendingStart_ = 0;
    }
    return line_;
}

void TextProcessor::ProcessChunk(std::string_view chunk, LinkState state) {
    if (state == LinkState::Logon) {
        LoginDialogue(chunk);
        return;
    }
    if (state == LinkState::NewAccount) {
        NewAccountDialogue(chunk);
        return;
    }
    for (std::string_view line = NextLine(chunk, '\n'); !line.empty(); line = NextLine({}, '\n')) {
        // A line may move the LinkState on; the next one goes to the new state's reader.
        switch (host_.GetLinkState()) {
        case LinkState::Normal:
        case LinkState::Setup:
            HandleGameLine(line);
            break;
        case LinkState::WhoList:
            ReadWhoLine(line);
            break;
        default:
            break; // nobody reads text now (the log-on was abandoned)
        }
    }
}

void TextProcessor::HandleGameLine(std::string_view line) {
    if (dialogue_ != nullptr && host_.GetLinkState() == LinkState::Setup &&
        line.find("I'm sorry that name is not available.") != std::string_view::npos) {
        CharacterNameRefused();
        return;
    }
    if (line.size() < 2) {
        if (!host_.SupressBlanks()) host_.ShowLine(" ");
        return;
    }
    ClassifyLine(line);
}

void TextProcessor::ClassifyLine(std::string_view line) {
    if (lines_ != nullptr)
        lines_->ClassifyLine(lexer_, line);
    else
        host_.ShowLine(line);
}

void TextProcessor::ReadWhoLine(std::string_view line) {
    if (lines_ != nullptr)
        lines_->ReadWhoLine(lexer_, line);
    else
        host_.ShowLine(line);
}

void TextProcessor::LoginDialogue(std::string_view chunk) {
    if (dialogue_ == nullptr) {
        ShowChunkLines(chunk);
        return;
    }
    // Lines end at a line feed or just after a colon, so a prompt is answered as soon as its
    // colon arrives, without waiting for a line end that never comes.
    for (std::string_view line = NextLine(chunk, ':'); !line.empty(); line = NextLine({}, ':'))
        if (!LogonLine(line)) return;
}

bool TextProcessor::LogonLine(std::string_view line) {
    // After the player gave up, what is left of the chunk is taken and dropped.
    if (host_.GetLinkState() == LinkState::LogonAbandoned) return true;
    const auto contains = [line](std::string_view what) { return line.find(what) != std::string_view::npos; };

    switch (DialogueStep) {
    case 0:
        if (!contains("ogin:")) {
            host_.ShowLine(line);
            return true;
        }
        {
            const std::string account = dialogue_->LogonAccount();
            host_.SendText(account + "\n");
            DialogueStep = 1;
            host_.ShowLine("Logging " + account + " into Orvanta...");
        }
        return true;
    case 1:
        if (!contains("word:")) {
            host_.ShowLine(line);
            return true;
        }
        host_.SendText(dialogue_->LogonPassword() + "\n");
        DialogueStep = 2;
        host_.ShowLine("Sending password...");
        return true;
    case 2:
        if (line.size() <= 2) {
            host_.ShowLine(line);
            return true;
        }
        if (contains("ogin incorrect") || contains("ystem error")) {
            // The box runs a nested event loop; the read handler's flag keeps further chunks out.
            if (dialogue_->AskCorrectedLogon()) {
                DialogueStep = 0; // the server's next account prompt gets the corrected details
            } else {
                dialogue_->AbandonLogon();
                DialogueStep = 0;
                host_.SetLinkState(LinkState::LogonAbandoned);
            }
            return true;
        }
        host_.ShowLine(line);
        if (!contains("Orvanta DataSpace.")) return true;
        // Welcomed: switch SpyNet notices on and wait for the reply in Setup. What else this
        // chunk holds waits for the next chunk and then takes the ordinary line path.
        dialogue_->BeginSetup(SetupWaitText);
        host_.SendText("spynet notice\n");
        DialogueStep = 0;
        host_.SetLinkState(LinkState::Setup);
        return false;
    default:
        return true; // a step left over from an interrupted new-account dialogue reads nothing
    }
}

void TextProcessor::NewAccountDialogue(std::string_view chunk) {
    if (dialogue_ == nullptr) {
        ShowChunkLines(chunk);
        return;
    }
    const NewAccountDetails form = dialogue_->NewAccountForm();
    // The server's own lines are never shown here; only the client's messages are.
    for (std::string_view line = NextLine(chunk, ':'); !line.empty(); line = NextLine({}, ':'))
        if (!NewAccountLine(line, form)) return;
}

bool TextProcessor::NewAccountLine(std::string_view line, const NewAccountDetails& form) {
    const auto contains = [line](std::string_view what) { return line.find(what) != std::string_view::npos; };
    switch (DialogueStep) {
    case 0:
        if (!contains("ogin:")) return true;
        if (form.NewAccount) {
            host_.ShowLine("Setting up new account");
            host_.SendText("new\n");
            DialogueStep = 100;
        } else {
            host_.SendText(form.AccountId + "\n" + form.Password + "\n");
            DialogueStep = 101;
        }
        return true;
    case 100:
        // Whatever the first question says, the account's details answer it.
        host_.SendText(form.AccountId + "\n" + form.Password + "\n" + form.Password + "\n");
        host_.SendText(form.EMail + "\n");
        DialogueStep = 101;
        return true;
    case 101:
        if (contains("I'm sorry,")) {
            dialogue_->ShowError("The account name you chose is\nunavailable. Please try again.");
            dialogue_->LogoffClick();
            host_.SetLinkState(LinkState::Normal);
            Reset();
            return false;
        }
        if (contains("Please provide a name")) {
            static constexpr char GenderLetters[] = "mfn";
            host_.ShowLine("New account set up.");
            const char gender = GenderLetters[form.Gender >= 0 && form.Gender < 3 ? form.Gender : 0];
            host_.SendText(form.Name + "\n" + form.Race + "\n" + gender + "\nn\n");
            DialogueStep = 102;
            host_.SendText(std::to_string(form.Strength) + "\n" + std::to_string(form.Stamina) + "\n" +
                           std::to_string(form.Dexterity) + "\nyes\n");
        }
        return true;
    case 102:
        if (!contains("Do you want to play")) return true;
        host_.ShowLine("New character being set up.");
        host_.ShowLine(" ");
        host_.ShowLine(" ");
        DialogueStep = 0;
        host_.SetLinkState(LinkState::Setup);
        dialogue_->BeginSetup(SetupWaitText);
        host_.SendText("spynet notice\n");
        return false; // the rest waits for the next chunk and the ordinary line path
    default:
        return true; // a step left over from an interrupted log-on reads nothing
    }
}

void TextProcessor::CharacterNameRefused() {
    dialogue_->ShowError("The character name you chose is\nunavailable. Please try again.");
    dialogue_->LogoffClick();
    host_.SetLinkState(LinkState::Normal);
    Reset();
    dialogue_->UntickNewAccount();
}

void TextProcessor::ShowChunkLines(std::string_view chunk) {
    for (std::string_view line = NextLine(chunk, ':'); !line.empty(); line = NextLine({}, ':')) host_.ShowLine(line);
}

bool TextProcessor::CheckCommand(std::string& text) {
    const std::size_t lead = text.find_first_not_of(' ');
    text.erase(0, lead == std::string::npos ? text.size() : lead);
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    text.push_back('\n');

    static constexpr std::string_view Toggle = "spynet notice";
    if (text.size() < Toggle.size()) return true;
    for (std::size_t i = 0; i < Toggle.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != Toggle[i]) return true;
    }
    return false;
}

} // namespace orv
