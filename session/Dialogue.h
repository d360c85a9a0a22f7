#pragma once

#include "session/Host.h"

#include <string_view>

namespace orv {

// The text processor as the log-on and new-account dialogues see it. A dialogue cuts its lines
// from the processor's pending text, so a prompt split across reads is answered once it is whole.
class DialogueSession {
  public:
    // The text processor's NextLine.
    virtual std::string_view NextLine(std::string_view text, char terminator) = 0;
    // The text processor's Reset: pending text, both dialogues and the lexer start afresh.
    virtual void Reset() = 0;
    // Logged on: the window waits for the player list, SpyNet notices are switched on and the
    // game's lines go to the set-up.
    virtual void EnterSetup() = 0;

  protected:
    ~DialogueSession() = default;
};

// What both dialogues are built on: the window's two sides and the text processor.
class Dialogue {
  public:
    Dialogue(SessionHost& host, DialogueHost& dialogue, DialogueSession& session)
        : host_(host), dialogue_(dialogue), session_(session) {}

  protected:
    ~Dialogue() = default;

    // Hands the chunk's lines to answer until it says the rest of the chunk must wait. Lines end
    // at a line feed or just after a colon, so a prompt is answered as soon as its colon arrives,
    // without waiting for a line end that never comes.
    template <class Answer> void ReadLines(std::string_view chunk, Answer answer) {
        for (auto line = session_.NextLine(chunk, ':'); !line.empty(); line = session_.NextLine({}, ':'))
            if (!answer(line)) return;
    }

    SessionHost& host_;
    DialogueHost& dialogue_;
    DialogueSession& session_;
};

} // namespace orv
