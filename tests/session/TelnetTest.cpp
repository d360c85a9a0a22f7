#include "FakeHost.h"

#include <gtest/gtest.h>

#include <tuple>

namespace orv::test {
namespace {

using Result = std::tuple<std::string, std::string, Lines>; // text, sent, shown

// Feeds the input cut into pieces at the given offsets, as separate reads.
Result Feed(const std::string& input, std::vector<std::size_t> cuts, bool diagnostics = true) {
    FakeHost host;
    host.diagnostics = diagnostics;
    Telnet telnet(host);
    std::string text;
    cuts.push_back(input.size());
    for (std::size_t from = 0; std::size_t to : cuts) {
        std::string piece = input.substr(from, to - from);
        telnet.StripTelnet(piece);
        text += piece;
        from = to;
    }
    return {text, host.sent, host.shown};
}

// Each input gives the same text, replies and trace fed whole, one byte at a time and split at
// every offset; with the trace off it sends the same and shows nothing.
TEST(Telnet, OffersRequestsAndSubnegotiationsAreAnsweredOrStrippedHoweverTheReadsFall) {
    const std::string cmd = "Telnet Command from Server: IAC ", reply = "Telnet Reply to Server: IAC ";
    const std::tuple<std::string, std::string, std::string, Lines> cases[] = {
        // Offers and requests are refused except suppress-go-ahead and window size, answered in
        // order amid text that stays whole.
        {"ab" + Bytes({255, 251, 1}) + "cd" + Bytes({255, 251, 3, 255, 253, 24}) + "e",
         "abcde",
         Bytes({255, 254, 1, 255, 253, 3, 255, 252, 24}),
         {cmd + "WILL ECHO", reply + "DON'T ECHO", cmd + "WILL SUPPRESS_GA", reply + "DO SUPPRESS_GA",
          cmd + "DO TERMTYPE", reply + "WON'T TERMTYPE"}},
        {Bytes({255, 253, 31}),
         "",
         Bytes({255, 251, 31, 255, 250, 31, 0, 0, 0, 0, 255, 240}),
         {cmd + "DO NAWS", reply + "WILL NAWS\nTelnet Info to Server: IAC SB NAWS 0 0 0 0 IAC SE"}},
        // WONT and DONT are traced, never answered.
        {Bytes({255, 252, 1, 255, 254, 255}), "", "", {cmd + "WONT", "ECHO", cmd + "DONT", "EXOPL"}},
        {"ab" + Bytes({255, 250, 24, 1, 255, 240}) + "cd",
         "abcd",
         Bytes({255, 250, 24, 0}) + "KX-ORVTERM32" + Bytes({255, 240}),
         {cmd + "SB TERMINAL-TYPE SEND IAC SE"}},
        // Other subnegotiation loses only IAC SB; the rest stays as text, except the IAC SE, which
        // is a one-byte command of its own.
        {Bytes({255, 250, 31, 1, 255, 240}) + "x", Bytes({31, 1}) + "x", "", {cmd + "- 250", cmd + "- 240"}},
        // A request that starts like the terminal-type one but goes astray.
        {Bytes({255, 250, 24, 2}) + "y", Bytes({24, 2}) + "y", "", {cmd + "- 250"}},
        // One-byte commands and an escaped IAC are removed.
        {"a" + Bytes({255, 255}) + "b" + Bytes({255, 249}) + "c", "abc", "", {cmd + "- 255", cmd + "- 249"}},
        // NUL is padding and the rest of the read is kept; for option 0 the zero byte of the reply
        // goes out.
        {std::string("ab\0cd\0\0", 7) + Bytes({255, 251, 0}) + std::string("e\0f", 3),
         "abcdef",
         Bytes({255, 254, 0}),
         {cmd + "WILL TRANSMIT BINARY", reply + "DON'T TRANSMIT BINARY"}},
    };
    for (const auto& [input, text, sent, shown] : cases) {
        SCOPED_TRACE(::testing::PrintToString(input));
        const Result expected{text, sent, shown};
        EXPECT_EQ(Feed(input, {}), expected) << "fed whole";
        EXPECT_EQ(Feed(input, {}, false), Result(text, sent, {})) << "trace off";
        std::vector<std::size_t> everyByte;
        for (std::size_t cut = 1; cut < input.size(); ++cut) {
            everyByte.push_back(cut);
            EXPECT_EQ(Feed(input, {cut}), expected) << "split at " << cut;
        }
        EXPECT_EQ(Feed(input, everyByte), expected) << "fed one byte at a time";
    }
}

} // namespace
} // namespace orv::test
