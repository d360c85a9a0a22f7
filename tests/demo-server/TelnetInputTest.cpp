#include "TelnetInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using orvdemo::TelnetInput;

namespace {

struct Fed {
    std::vector<std::string> lines;
    std::string terminalType;
};

Fed feedInPieces(std::string_view bytes, const std::vector<std::size_t>& cuts) {
    TelnetInput input;
    Fed fed;
    auto onLine = [&](std::string_view line) {
        fed.lines.emplace_back(line);
        return true;
    };
    std::size_t from = 0;
    for (std::size_t cut : cuts) {
        input.feed(bytes.substr(from, cut - from), onLine);
        from = cut;
    }
    input.feed(bytes.substr(from), onLine);
    fed.terminalType = input.terminalType();
    return fed;
}

template <std::size_t N> std::string bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

// What the client sends after our opening requests, then log-on answers with telnet noise inside them.
const std::string kClientBytes = bytes("\xff\xfd\x03"                         // IAC DO SUPPRESS-GO-AHEAD
                                       "\xff\xfb\x1f"                         // IAC WILL NAWS
                                       "\xff\xfa\x1f\x00\x00\x00\x00\xff\xf0" // window size 0 x 0
                                       "\xff\xfc\x18"                         // IAC WONT TERMINAL-TYPE
                                       "\xff\xfa\x18\x00KX-ORVTERM32\xff\xf0" // IAC SB TERMINAL-TYPE IS ...
                                       "demo\r\n"
                                       "se\0cr\xff\xff"
                                       "et\xff\xf1\n" // NUL, an escaped 255, IAC NOP
                                       "\n");

const std::vector<std::string> kClientLines{"demo",
                                            "secr\xff"
                                            "et",
                                            ""};

} // namespace

TEST(DemoTelnetInput, ConsumesTheClientsRepliesWhereverTheReadsEnd) {
    // NUL padding dropped, IAC IAC kept as one 255, IAC NOP dropped.
    std::vector<std::size_t> everyByte;
    for (std::size_t i = 1; i < kClientBytes.size(); ++i)
        everyByte.push_back(i);
    const Fed bytewise = feedInPieces(kClientBytes, everyByte);
    EXPECT_EQ(bytewise.lines, kClientLines);
    EXPECT_EQ(bytewise.terminalType, "KX-ORVTERM32");

    for (std::size_t cut = 0; cut < kClientBytes.size(); ++cut) {
        const Fed split = feedInPieces(kClientBytes, {cut});
        EXPECT_EQ(split.lines, kClientLines) << "split at " << cut;
        EXPECT_EQ(split.terminalType, "KX-ORVTERM32") << "split at " << cut;
    }
}
