#pragma once

#include "session/Host.h"
#include "session/Output.h"
#include "session/Textproc.h"

#include <string>
#include <utility>
#include <vector>

namespace orv::test {

using Lines = std::vector<std::string>;

// Records what the core sends and shows, and holds the switches a window would.
class FakeHost : public SessionHost {
  public:
    void SendText(std::string_view bytes) override { sent.append(bytes); }
    void SendTelnet(std::string_view bytes) override { sent.append(bytes); }
    bool DiagnosticsOn() const override { return diagnostics; }
    void ShowLine(std::string_view line) override { shown.emplace_back(line); }
    LinkState GetLinkState() const override { return state; }
    void SetLinkState(LinkState s) override { state = s; }
    bool SupressBlanks() const override { return supressBlanks; }
    std::string TakeSent() { return std::exchange(sent, {}); }
    Lines TakeShown() { return std::exchange(shown, {}); }

    std::string sent;
    Lines shown;
    bool diagnostics = false, supressBlanks = false;
    LinkState state = LinkState::Normal;
};

// A new-account form that passes every check; each stat differs, so the order they go out in shows.
// In order: host, port, account, password, confirmation, e-mail, name, race, new account, gender
// (female), strength, dexterity, stamina, intelligence, unused points.
inline NewAccountDetails AcceptableForm() {
    return {"localhost", "30003", "pilot", "Secret12", "Secret12", "pilot@example.org", "Zed", "Elf", true, 1,
            30,          50,      40,      20,         0};
}

// What the window shows when the connection closes.
inline const Lines ClosedLines{" ", " --- No longer connected to talmaro' servers ---",
                               "Connection to Orvanta Closed"};

// The window's side of the dialogues: the connection dialog's details, the new-account form and
// the boxes, whose answers the test queues. Closing the connection shows what the window would.
class FakeDialogue : public DialogueHost {
  public:
    explicit FakeDialogue(FakeHost& host) : host_(host) {}
    std::string LogonAccount() const override { return account; }
    std::string LogonPassword() const override { return password; }
    bool AskCorrectedLogon() override { // the box shows the corrected details whatever the answer
        account = "kx9999", password = "fixed";
        return answers.at(boxes++);
    }
    void AbandonLogon() override { ++abandons, LogoffClick(); }
    void BeginSetup(std::string_view waitText) override { inputText = waitText; }
    NewAccountDetails NewAccountForm() const override { return form; }
    void ShowError(std::string_view text) override { errors.emplace_back(text); }
    void LogoffClick() override {
        host_.state = LinkState::Normal;
        host_.shown.insert(host_.shown.end(), ClosedLines.begin(), ClosedLines.end());
    }
    void UntickNewAccount() override { form.NewAccount = false; }

    std::string account = "kx1234", password = "secret";
    std::vector<bool> answers; // the log-on error box's OK (true) or Cancel, in turn
    std::size_t boxes = 0, abandons = 0;
    std::string inputText;
    NewAccountDetails form = AcceptableForm();
    Lines errors;

  private:
    FakeHost& host_;
};

// A text processor between the two fakes, as the window holds one; Receive may set the state first.
struct Session {
    FakeHost host;
    FakeDialogue dialogue{host};
    TextProcessor tp{host, &dialogue};
    void Receive(const std::string& chunk) { tp.ProcessChunk(chunk); }
    void Receive(LinkState state, const std::string& chunk) { host.state = state, Receive(chunk); }
};

// Bytes from a list of numbers, for telnet sequences.
inline std::string Bytes(std::initializer_list<int> values) {
    return {values.begin(), values.end()};
}

} // namespace orv::test
