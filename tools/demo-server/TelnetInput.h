#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace orvdemo {

// Turns the bytes a client sends into input lines. Telnet command sequences (the client's answers to our
// option requests) are consumed silently; any of them may be cut across reads, so every point where a read
// can end is a state of its own. Lines end at LF; a CR before it and NUL padding are dropped.
class TelnetInput {
  public:
    // A longer line keeps its first kMaxLine bytes; the rest, up to the LF, is dropped.
    static constexpr std::size_t kMaxLine = 4096;

    // Called for each complete line; returning false stops the feed and drops the bytes still unread
    // (the session has closed).
    using LineHandler = std::function<bool(std::string_view line)>;

    void feed(std::string_view bytes, const LineHandler& onLine);

    // What the client named itself in IAC SB TERMINAL-TYPE IS ... IAC SE, empty until then.
    const std::string& terminalType() const { return terminalType_; }

  private:
    enum class State { Data, Iac, Option, Sub, SubIac };

    void addData(char c);
    void endSubnegotiation();

    State state_ = State::Data;
    std::string line_;
    std::string sub_; // the current sub-negotiation's bytes, capped
    std::string terminalType_;
};

} // namespace orvdemo
