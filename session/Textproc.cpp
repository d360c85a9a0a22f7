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
    if (dialogue_ != nullptr) {
        DialogueSession& session = *this;
        logon_.emplace(host_, *dialogue_, session);
        newAccount_.emplace(host_, *dialogue_, session);
    }
}

void TextProcessor::Reset() {
    if (logon_) logon_->Reset();
    if (newAccount_) newAccount_->Reset();
    pending_.clear();
    pendingStart_ = 0;
    afterCut_ = false;
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
    if (afterCut_) {
        // The line end that follows a line cut at the limit ends that line, not an empty one.
        const std::string_view rest = PendingText();
        if (rest == "\r") return {}; // its line feed may be in the next chunk
        if (rest.starts_with("\r\n"))
            pendingStart_ += 2;
        else if (rest.starts_with('\n'))
            pendingStart_ += 1;
        afterCut_ = rest.empty();
    }
    const std::size_t available = pending_.size() - pendingStart_;
    if (available == 0) return {};

    const char* const start = pending_.data() + pendingStart_;
    const std::size_t scan = std::min(available, PendingLimit);
    const char* cut;
    if (terminator == '\n') {
        cut = static_cast<const char*>(std::memchr(start, '\n', scan));
    } else {
        cut =
            std::find_if(start, start + scan, [terminator](char c) { return c == '\n' || c == terminator; });
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
        // No line end within the pending text's capacity: hand on what fits as one line, keeping
        // a carriage return at the cut with the line feed that may follow it.
        lineLength = start[PendingLimit - 1] == '\r' ? PendingLimit - 1 : PendingLimit;
        consumed = lineLength;
        afterCut_ = true;
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

void TextProcessor::ProcessChunk(std::string_view chunk) {
    switch (host_.GetLinkState()) {
    case LinkState::Logon:
        if (logon_)
            logon_->ProcessChunk(chunk);
        else
            ShowChunkLines(chunk);
        return;
    case LinkState::NewAccount:
        if (newAccount_)
            newAccount_->ProcessChunk(chunk);
        else
            ShowChunkLines(chunk);
        return;
    default:
        break;
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
    if (newAccount_ && host_.GetLinkState() == LinkState::Setup && newAccount_->ReadSetupLine(line)) return;
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

void TextProcessor::EnterSetup() {
    dialogue_->BeginSetup(SetupWaitText);
    host_.SendText(SpyNetToggleCommand);
    host_.SetLinkState(LinkState::Setup);
}

void TextProcessor::ShowChunkLines(std::string_view chunk) {
    for (std::string_view line = NextLine(chunk, ':'); !line.empty(); line = NextLine({}, ':'))
        host_.ShowLine(line);
}

bool TextProcessor::CheckCommand(std::string& text) {
    const std::size_t lead = text.find_first_not_of(' ');
    text.erase(0, lead == std::string::npos ? text.size() : lead);
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    text.push_back('\n');

    // The toggle without its line end: any text that starts with it, in any case, is refused.
    static constexpr std::string_view Toggle = SpyNetToggleCommand.substr(0, SpyNetToggleCommand.size() - 1);
    if (text.size() < Toggle.size()) return true;
    for (std::size_t i = 0; i < Toggle.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != Toggle[i]) return true;
    }
    return false;
}

} // namespace orv
