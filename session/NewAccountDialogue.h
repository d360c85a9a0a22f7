#pragma once

#include "session/Dialogue.h"
#include "session/NewAccount.h"

#include <string_view>

namespace orv {

// Creates an account and a character from the new-account form (or only a character for an
// account that exists) by answering the server's questions, then hands over to the set-up. The
// server's own lines are never shown while it runs; only the client's messages are.
class NewAccountDialogue : private Dialogue {
  public:
    using Dialogue::Dialogue;

    // One chunk read in the NewAccount state.
    void ProcessChunk(std::string_view chunk);
    // One game line read in Setup. The server refuses a taken character name only after its offer
    // to play, when the set-up has begun; true when the line was that refusal.
    bool ReadSetupLine(std::string_view line);
    void Reset() { step_ = Step::LoginPrompt; }

  private:
    enum class Step {
        LoginPrompt,     // waiting for the account prompt
        AccountQuestion, // "new" sent: the first question gets all the account's details
        NameQuestion,    // the account given, waiting for the character's name question
        PlayOffer,       // the character sent, waiting for the offer to play
    };

    // The answer to one line; false when the rest of the chunk must wait.
    bool AnswerLine(std::string_view line, const NewAccountDetails& form);
    // The server refused a name: the player is told, the connection closes and the next attempt
    // starts clean.
    void Refuse(std::string_view message);

    Step step_ = Step::LoginPrompt;
};

} // namespace orv
