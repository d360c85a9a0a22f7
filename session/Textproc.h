#pragma once

#include "gametext/Lexer.h"
#include "gametext/Recognisers.h"
#include "session/Dialogue.h"
#include "session/Host.h"
#include "session/LinkState.h"
#include "session/LogonDialogue.h"
#include "session/NewAccountDialogue.h"
#include "session/Telnet.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

// Every chunk read from the game server passes through here: telnet is answered and removed,
// the stream is cut into lines and each line (or chunk) goes to whoever the host's LinkState
// says it belongs to. Buffers are reused for the life of the object: no allocation per chunk or
// line. The dialogues hold on to it, so it stays where it was made.
class TextProcessor final : private DialogueSession {
  public:
    // The pending text holds at most this many bytes; a longer line is cut here and handed on.
    static constexpr std::size_t PendingLimit = 32767;
    // Longest typed command taken from the input pane.
    static constexpr std::size_t CommandLimit = 255;

    // Shown in the input pane while the client sets up after log-on.
    static constexpr std::string_view SetupWaitText =
        " ----- Please wait while OrvTerm builds its player list -----";

    // Without a dialogue host the log-on and new-account text is only shown, and without
    // recognisers every game line is, as a plain terminal would.
    explicit TextProcessor(SessionHost& host, DialogueHost* dialogue = nullptr,
                           LineRecognisers* lines = nullptr);
    TextProcessor(const TextProcessor&) = delete;
    TextProcessor& operator=(const TextProcessor&) = delete;

    // One chunk as read from the socket (at most 4,095 bytes).
    void ProcessChunk(std::string_view chunk);

    // The next complete line, ended by a line feed (a CR right before it is dropped) or by the
    // terminator byte (which stays in the line), followed by one space. Empty when no complete
    // line is pending. A non-empty text is a new chunk: its telnet is answered first and it is
    // appended to the pending text. The result stays valid until the next call.
    std::string_view NextLine(std::string_view text, char terminator) override;

    // Empties the pending text, forgets a held telnet sequence, starts both dialogues from their
    // first prompt and starts a fresh lexer.
    void Reset() override;

    // Cleans a typed command in place (leading spaces and every CR and LF removed, one LF
    // appended) and says whether it may be sent: a typed SpyNet notice toggle may not.
    static bool CheckCommand(std::string& text);

    // The text not yet cut into lines (for tests and diagnostics).
    std::string_view PendingText() const { return std::string_view(pending_).substr(pendingStart_); }

  private:
    void HandleGameLine(std::string_view line);
    // The game-line recognisers' entry: a line in Normal or Setup that is not blank.
    void ClassifyLine(std::string_view line);
    // The who-list reader's entry: a line in WhoList.
    void ReadWhoLine(std::string_view line);
    // Without a dialogue host, a dialogue's text is shown as it arrives.
    void ShowChunkLines(std::string_view chunk);
    // Both dialogues enter the set-up the same way.
    void EnterSetup() override;

    SessionHost& host_;
    DialogueHost* dialogue_;
    LineRecognisers* lines_;
    Lexer lexer_; // the recognisers tokenise with it
    Telnet telnet_;
    std::string pending_;          // received text not yet handed on, from pendingStart_
    std::size_t pendingStart_ = 0; // consumed bytes at the front, dropped when the next chunk comes
    bool afterCut_ = false;        // the last line was cut at PendingLimit
    std::string line_;             // NextLine's result
    std::string chunk_;            // the chunk copy that telnet is stripped from
    // Present when there is a dialogue host.
    std::optional<LogonDialogue> logon_;
    std::optional<NewAccountDialogue> newAccount_;
};

} // namespace orv
