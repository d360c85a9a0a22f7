#pragma once

#include "session/Dialogue.h"

#include <string_view>

namespace orv {

// Logs the player on by itself: answers the account and password prompts with the connection
// dialog's details, lets the player correct details the server refuses, and hands over to the
// set-up when the game welcomes the player.
class LogonDialogue : private Dialogue {
  public:
    using Dialogue::Dialogue;

    // One chunk read in the Logon state.
    void ProcessChunk(std::string_view chunk);
    void Reset() { step_ = Step::AccountPrompt; }

  private:
    enum class Step {
        AccountPrompt,  // waiting for the account prompt
        PasswordPrompt, // the account sent, waiting for the password prompt
        Verdict,        // the password sent, waiting for the welcome or a refusal
    };

    // The answer to one line; false when the rest of the chunk must wait.
    bool AnswerLine(std::string_view line);

    Step step_ = Step::AccountPrompt;
};

} // namespace orv
