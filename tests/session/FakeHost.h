#pragma once

#include "Host.h"
#include "Output.h"

#include <string>
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

// Bytes from a list of numbers, for telnet sequences.
inline std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

} // namespace orv::test
