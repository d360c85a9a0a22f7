#pragma once

#include "session/Host.h"
#include "session/Output.h"

#include <deque>
#include <string>
#include <utility>
#include <string_view>
#include <vector>

namespace orv::test {

// Records what the core sends and shows, and holds the switches a window would.
class FakeHost : public SessionHost {
public:
    void SendText(std::string_view bytes) override { sent.append(bytes); }
    bool DiagnosticsOn() const override { return diagnostics; }
    void ShowLine(std::string_view line) override { shown.emplace_back(line); }
    LinkState GetLinkState() const override { return state; }
    void SetLinkState(LinkState s) override { state = s; }
    bool SupressBlanks() const override { return supressBlanks; }

    std::string sent;
    std::vector<std::string> shown;
    bool diagnostics = false;
    bool supressBlanks = false;
    LinkState state = LinkState::Normal;
};

class FakeSound : public SoundPlayer {
public:
    void PlayAsync(const std::string& path) override { played.push_back(path); }
    std::vector<std::string> played;
};

class FakeLog : public LineSink {
public:
    void WriteLine(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

// The window's side of the dialogues: the connection dialog's details, the new-account form and
// the boxes, whose answers the test queues. Closing the connection shows what the window would.
class FakeDialogue : public DialogueHost {
public:
    explicit FakeDialogue(FakeHost& host) : host_(host) {}
    std::string LogonAccount() const override { return account; }
    std::string LogonPassword() const override { return password; }
    bool AskCorrectedLogon() override {
        ++boxes;
        const bool ok = answers.front();
        answers.pop_front();
        if (ok) {
            account = corrected.first;
            password = corrected.second;
            ++saves;
        }
        return ok;
    }
    void AbandonLogon() override {
        host_.ShowLine(" ");
        host_.ShowLine(" --- No longer connected to talmaro' servers ---");
        host_.state = LinkState::Normal;
        host_.ShowLine("Connection to Orvanta Closed");
        ++abandons;
    }
    void BeginSetup(std::string_view waitText) override { inputText = waitText; }
    NewAccountDetails NewAccountForm() const override { return form; }
    void ShowError(std::string_view text) override { errors.emplace_back(text); }
    void LogoffClick() override {
        host_.ShowLine(" ");
        host_.ShowLine(" --- No longer connected to talmaro' servers ---");
        host_.state = LinkState::Normal;
        host_.ShowLine("Connection to Orvanta Closed");
    }
    void UntickNewAccount() override { form.NewAccount = false; }

    std::string account = "kx1234";
    std::string password = "secret";
    std::pair<std::string, std::string> corrected{"kx9999", "fixed"};
    std::deque<bool> answers;
    int boxes = 0, saves = 0, abandons = 0;
    std::string inputText;
    NewAccountDetails form;
    std::vector<std::string> errors;

private:
    FakeHost& host_;
};

// Bytes from a list of numbers, for telnet sequences.
inline std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

} // namespace orv::test
