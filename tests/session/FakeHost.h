#pragma once

#include "session/Host.h"
#include "session/Output.h"
#include "session/Textproc.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace orv::test {

using Lines = std::vector<std::string>;

// Records what the core sends and shows, and holds the switches a window would.
class FakeHost : public SessionHost {
  public:
    void SendText(std::string_view bytes) override { sent.append(bytes); }
    bool DiagnosticsOn() const override { return diagnostics; }
    void ShowLine(std::string_view line) override { shown.emplace_back(line); }
    LinkState GetLinkState() const override { return state; }
    void SetLinkState(LinkState s) override { state = s; }
    bool SupressBlanks() const override { return supressBlanks; }
    std::string TakeSent() { return std::exchange(sent, {}); }
    Lines TakeShown() { return std::exchange(shown, {}); }

    std::string sent;
    Lines shown;
    bool diagnostics = false;
    bool supressBlanks = false;
    LinkState state = LinkState::Normal;
};

struct FakeLog : LineSink {
    void WriteLine(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

// A new-account form that passes every check; each stat differs, so the order they go out in shows.
inline NewAccountDetails AcceptableForm() {
    return {.Host = "localhost",
            .Port = "30003",
            .AccountId = "pilot",
            .Password = "Secret12",
            .Confirmation = "Secret12",
            .EMail = "pilot@example.org",
            .Name = "Zed",
            .Race = "Elf",
            .Gender = 1,
            .Strength = 30,
            .Dexterity = 50,
            .Stamina = 40,
            .Unused = 0};
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
    bool AskCorrectedLogon() override {
        const bool ok = answers.at(boxes++);
        if (ok) std::tie(account, password) = corrected;
        return ok;
    }
    void AbandonLogon() override {
        ++abandons;
        LogoffClick();
    }
    void BeginSetup(std::string_view waitText) override { inputText = waitText; }
    NewAccountDetails NewAccountForm() const override { return form; }
    void ShowError(std::string_view text) override { errors.emplace_back(text); }
    void LogoffClick() override {
        host_.state = LinkState::Normal;
        for (const auto& line : ClosedLines)
            host_.ShowLine(line);
    }
    void UntickNewAccount() override { form.NewAccount = false; }

    std::string account = "kx1234", password = "secret";
    std::pair<std::string, std::string> corrected{"kx9999", "fixed"};
    std::vector<bool> answers; // the log-on error box's OK (true) or Cancel, in turn
    std::size_t boxes = 0, abandons = 0;
    std::string inputText;
    NewAccountDetails form = AcceptableForm();
    std::vector<std::string> errors;

  private:
    FakeHost& host_;
};

// A text processor between the two fakes, as the window holds one.
struct Session {
    FakeHost host;
    FakeDialogue dialogue{host};
    TextProcessor tp{host, &dialogue};
    void Receive(const std::string& chunk) { tp.ProcessChunk(chunk); }
};

// Bytes from a list of numbers, for telnet sequences.
inline std::string Bytes(std::initializer_list<int> values) {
    return {values.begin(), values.end()};
}

} // namespace orv::test
