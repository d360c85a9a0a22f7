#include "FakeHost.h"
#include "session/Telnet.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

struct Result {
    std::string text;
    std::string sent;
    std::vector<std::string> shown;
};

// Feeds the input cut into pieces at the given offsets, as separate reads.
Result Feed(const std::string& input, std::vector<std::size_t> cuts, bool diagnostics = true) {
    FakeHost host;
    host.diagnostics = diagnostics;
    Telnet telnet(host);
    Result r;
    std::size_t from = 0;
    cuts.push_back(input.size());
    for (std::size_t to : cuts) {
        std::string piece = input.substr(from, to - from);
        telnet.StripTelnet(piece);
        r.text += piece;
        from = to;
    }
    r.sent = host.sent;
    r.shown = host.shown;
    return r;
}

// The same bytes fed whole, one byte at a time and split at every offset give the same result.
void ExpectSameEverywhere(const std::string& input, const std::string& text, const std::string& sent,
                          const std::vector<std::string>& shown) {
    const auto expect = [&](const std::vector<std::size_t>& cuts, const std::string& how) {
        const Result r = Feed(input, cuts);
        EXPECT_EQ(r.text, text) << how;
        EXPECT_EQ(r.sent, sent) << how;
        EXPECT_EQ(r.shown, shown) << how;
    };
    expect({}, "fed whole");
    std::vector<std::size_t> everyByte;
    for (std::size_t cut = 1; cut < input.size(); ++cut) {
        everyByte.push_back(cut);
        expect({cut}, "split at " + std::to_string(cut));
    }
    expect(everyByte, "fed one byte at a time");
}

TEST(Telnet, OffersAndRequestsAreRefusedExceptSuppressGoAheadAndWindowSize) {
    ExpectSameEverywhere(Bytes({255, 251, 1}), "", Bytes({255, 254, 1}),
                         {"Telnet Command from Server: IAC WILL ECHO", "Telnet Reply to Server: IAC DON'T ECHO"});
    ExpectSameEverywhere(Bytes({255, 251, 3}), "", Bytes({255, 253, 3}),
                         {"Telnet Command from Server: IAC WILL SUPPRESS_GA",
                          "Telnet Reply to Server: IAC DO SUPPRESS_GA"});
    // Option 0: the zero byte of the reply goes out.
    ExpectSameEverywhere(Bytes({255, 251, 0}), "", Bytes({255, 254, 0}),
                         {"Telnet Command from Server: IAC WILL TRANSMIT BINARY",
                          "Telnet Reply to Server: IAC DON'T TRANSMIT BINARY"});
    ExpectSameEverywhere(Bytes({255, 251, 200}), "", Bytes({255, 254, 200}),
                         {"Telnet Command from Server: IAC WILL UNKNOWN - 200",
                          "Telnet Reply to Server: IAC DON'T UNKNOWN - 200"});
    // Requests are refused except window size.
    ExpectSameEverywhere(Bytes({255, 253, 31}), "", Bytes({255, 251, 31, 255, 250, 31, 0, 0, 0, 0, 255, 240}),
                         {"Telnet Command from Server: IAC DO NAWS",
                          "Telnet Reply to Server: IAC WILL NAWS\nTelnet Info to Server: IAC SB NAWS 0 0 0 0 IAC SE"});
    ExpectSameEverywhere(Bytes({255, 253, 24}), "", Bytes({255, 252, 24}),
                         {"Telnet Command from Server: IAC DO TERMTYPE", "Telnet Reply to Server: IAC WON'T TERMTYPE"});
    // WONT and DONT are traced, never answered.
    ExpectSameEverywhere(Bytes({255, 252, 1, 255, 254, 255}), "", "",
                         {"Telnet Command from Server: IAC WONT", "ECHO", "Telnet Command from Server: IAC DONT",
                          "EXOPL"});
}

TEST(Telnet, TerminalTypeRequestIsAnsweredOtherSubnegotiationLosesOnlyIacSb) {
    ExpectSameEverywhere("ab" + Bytes({255, 250, 24, 1, 255, 240}) + "cd", "abcd",
                         Bytes({255, 250, 24, 0}) + "KX-ORVTERM32" + Bytes({255, 240}),
                         {"Telnet Command from Server: IAC SB TERMINAL-TYPE SEND IAC SE"});
    // The rest stays as text, except the IAC SE, which is a one-byte command of its own.
    ExpectSameEverywhere(Bytes({255, 250, 31, 1, 255, 240}) + "x", Bytes({31, 1}) + "x", "",
                         {"Telnet Command from Server: IAC - 250", "Telnet Command from Server: IAC - 240"});
    // A request that starts like the terminal-type one but goes astray.
    ExpectSameEverywhere(Bytes({255, 250, 24, 2}) + "y", Bytes({24, 2}) + "y", "",
                         {"Telnet Command from Server: IAC - 250"});
    // One-byte commands and an escaped IAC are removed.
    ExpectSameEverywhere("a" + Bytes({255, 255}) + "b" + Bytes({255, 249}) + "c", "abc", "",
                         {"Telnet Command from Server: IAC - 255", "Telnet Command from Server: IAC - 249"});
}

TEST(Telnet, SequencesInTextAreAnsweredInOrderAndNulIsPadding) {
    ExpectSameEverywhere("ab" + Bytes({255, 251, 1}) + "cd" + Bytes({255, 251, 3, 255, 253, 24}) + "e", "abcde",
                         Bytes({255, 254, 1, 255, 253, 3, 255, 252, 24}),
                         {"Telnet Command from Server: IAC WILL ECHO", "Telnet Reply to Server: IAC DON'T ECHO",
                          "Telnet Command from Server: IAC WILL SUPPRESS_GA",
                          "Telnet Reply to Server: IAC DO SUPPRESS_GA", "Telnet Command from Server: IAC DO TERMTYPE",
                          "Telnet Reply to Server: IAC WON'T TERMTYPE"});
    // NUL is padding, and the rest of the read is kept.
    ExpectSameEverywhere(std::string("ab\0cd\0\0", 7) + Bytes({255, 251, 0}) + std::string("e\0f", 3), "abcdef",
                         Bytes({255, 254, 0}),
                         {"Telnet Command from Server: IAC WILL TRANSMIT BINARY",
                          "Telnet Reply to Server: IAC DON'T TRANSMIT BINARY"});
}

TEST(Telnet, DiagnosticsOffSendsTheSameAndShowsNothing) {
    const std::string input = Bytes({255, 251, 1, 255, 253, 31, 255, 250, 24, 1, 255, 240});
    const Result on = Feed(input, {});
    const Result off = Feed(input, {}, false);
    EXPECT_EQ(off.sent, on.sent);
    EXPECT_TRUE(off.shown.empty());
}

TEST(Telnet, HeldBackSequenceIsDroppedByReset) {
    FakeHost host;
    Telnet telnet(host);
    std::string first = "ab" + Bytes({255, 251});
    telnet.StripTelnet(first);
    EXPECT_EQ(first, "ab");
    telnet.Reset();
    std::string second = Bytes({1}) + "cd";
    telnet.StripTelnet(second);
    EXPECT_EQ(second, Bytes({1}) + "cd");
    EXPECT_TRUE(host.sent.empty());
}

} // namespace
} // namespace orv::test
