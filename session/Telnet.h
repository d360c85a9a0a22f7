#pragma once

#include "session/Host.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace orv {

// The client's telnet subset: answers the server's option commands in one fixed way and removes
// every command sequence from the received text. A sequence cut by a read boundary is held back
// and completed with the next chunk; a NUL byte in the data is padding and is dropped.
class Telnet {
  public:
    explicit Telnet(TelnetHost& host) : host_(host) {}

    // Answers and removes every command sequence in text, in place. Bytes that may begin a
    // sequence at the very end are kept back for the next call.
    void StripTelnet(std::string& text);

    // Answers the sequence whose command byte is seq[0] (the IAC before it already consumed).
    // Returns how many bytes after the IAC the sequence occupies: 1, 2 or 5.
    std::size_t HandleTelnetCommand(std::string_view seq);

    // Forgets a held-back partial sequence (a new connection starts clean).
    void Reset() { held_.clear(); }

    static constexpr unsigned char IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250,
                                   SE = 240;
    static constexpr unsigned char OptSuppressGoAhead = 3, OptTerminalType = 24, OptNaws = 31;

    // The trace name of an option code ("ECHO", "UNKNOWN - 200", ...).
    static std::string OptionName(unsigned char code);

  private:
    // How many bytes from seq[0] a complete sequence needs, or 0 when seq may still grow into one.
    static std::size_t CompleteLength(std::string_view seq);

    TelnetHost& host_;
    std::string held_;    // an incomplete sequence from the end of the previous chunk
    std::string scratch_; // reused for the joined text when held_ is not empty
};

} // namespace orv
