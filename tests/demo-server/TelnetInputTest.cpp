#include "TelnetInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the client sends after our opening requests, then log-on answers with telnet noise inside them.
constexpr char kClientText[] = "\xff\xfd\x03"                         // IAC DO SUPPRESS-GO-AHEAD
                               "\xff\xfb\x1f"                         // IAC WILL NAWS
                               "\xff\xfa\x1f\x00\x00\x00\x00\xff\xf0" // window size 0 x 0
                               "\xff\xfc\x18"                         // IAC WONT TERMINAL-TYPE
                               "\xff\xfa\x18\x00KX-ORVTERM32\xff\xf0" // IAC SB TERMINAL-TYPE IS ...
                               "demo\r\n"
                               "se\0cr\xff\xff" // NUL padding dropped, IAC IAC kept as one 255
                               "et\xff\xf1\n"   // IAC NOP dropped
                               "\n";
const std::string kClientBytes(kClientText, sizeof kClientText - 1);

// The lines and terminal type read from kClientBytes fed in pieces of at most `step` bytes, the
// first piece `first` bytes long.
std::vector<std::string> Feed(std::size_t first, std::size_t step) {
    orvdemo::TelnetInput input;
    std::vector<std::string> read;
    const auto onLine = [&](std::string_view line) { return read.emplace_back(line), true; };
    input.feed(std::string_view(kClientBytes).substr(0, first), onLine);
    for (std::size_t at = first; at < kClientBytes.size(); at += step)
        input.feed(std::string_view(kClientBytes).substr(at, step), onLine);
    read.push_back(input.terminalType());
    return read;
}

TEST(DemoTelnetInput, ConsumesTheClientsRepliesWhereverTheReadsEnd) {
    const std::vector<std::string> expected{"demo", "secr\377et", "", "KX-ORVTERM32"}; // \377: 0xFF
    EXPECT_EQ(Feed(0, 1), expected) << "byte by byte";
    for (std::size_t cut = 0; cut <= kClientBytes.size(); ++cut)
        EXPECT_EQ(Feed(cut, kClientBytes.size()), expected) << "split at " << cut;
}

} // namespace
