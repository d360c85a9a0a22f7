#include "FakeHost.h"

#include <gtest/gtest.h>

#include <tuple>

namespace orv::test {
namespace {

struct TextprocTest : ::testing::Test, Session {};

// Collects every line NextLine hands on for the chunks given, with the terminator given.
Lines Cut(TextProcessor& tp, const Lines& chunks, char terminator) {
    Lines out;
    for (const auto& chunk : chunks)
        for (auto line = tp.NextLine(chunk, terminator); !line.empty(); line = tp.NextLine({}, terminator))
            out.emplace_back(line);
    return out;
}

TEST_F(TextprocTest, NextLineCutsAtLineFeedsTheTerminatorOrThePendingCapacityAndHandsOnOnlyTelnetFreeLines) {
    // A lone CR stays.
    EXPECT_EQ(Cut(tp, {"abc\r\ndef\r\n", "a\rb\n"}, '\n'), (Lines{"abc ", "def ", "a\rb "}));
    EXPECT_TRUE(Cut(tp, {"abc"}, '\n').empty());
    EXPECT_EQ(Cut(tp, {"def\nxy"}, '\n'), (Lines{"abcdef "}));
    EXPECT_EQ(tp.PendingText(), "xy");
    // A CR LF pair cut between two reads still loses its CR.
    EXPECT_EQ(Cut(tp, {"z\r", "\n"}, '\n'), (Lines{"xyz "}));
    // The terminator stays in the line, and whichever comes first ends it.
    EXPECT_EQ(Cut(tp, {"login: "}, ':'), (Lines{"login: "}));
    EXPECT_EQ(Cut(tp, {"a\nb:c\n"}, ':'), (Lines{" a ", "b: ", "c "}));
    // Telnet is answered once even when cut across reads, and never reaches the text.
    const Lines chunks{"one" + Bytes({255, 251, 1}) + "\ntwo\nx" + Bytes({255}), Bytes({253, 31}) + "y\n"};
    EXPECT_EQ(Cut(tp, chunks, '\n'), (Lines{"one ", "two ", "xy "}));
    EXPECT_EQ(host.sent, Bytes({255, 254, 1, 255, 251, 31, 255, 250, 31, 0, 0, 0, 0, 255, 240}));
    // Overlong text is cut at the pending capacity: 36,855 bytes without a line end.
    EXPECT_EQ(Cut(tp, Lines(9, std::string(4095, 'x')), '\n'), (Lines{std::string(32767, 'x') + " "}));
    EXPECT_EQ(tp.PendingText().size(), 9 * 4095 - 32767u);
    // A line end within the capacity is still honoured after a cut.
    EXPECT_EQ(Cut(tp, {"\n"}, '\n'), (Lines{std::string(9 * 4095 - 32767, 'x') + " "}));
    // The line end right after a cut ends the cut line, however the reads split it: no blank line.
    const std::string full(32767, 'x'), crAtCut = std::string(32766, 'x') + "\r";
    for (const auto& [chunks, first] : {std::pair{Lines{full + "\r\nnext\n"}, full},
                                        {Lines{full + "\n", "next\n"}, full},
                                        {Lines{full, "\r", "\nnext\n"}, full},
                                        {Lines{crAtCut, "\nnext\n"}, crAtCut.substr(0, 32766)}}) {
        TextProcessor fresh(host);
        EXPECT_EQ(Cut(fresh, chunks, '\n'), (Lines{first + " ", "next "}));
    }
}

// A host that abandons the log-on when it is shown a given line, as the error box's Cancel does.
struct AbandoningHost : FakeHost {
    void ShowLine(std::string_view line) override {
        FakeHost::ShowLine(line);
        if (line == "stop ") state = LinkState::LogonAbandoned;
    }
};

TEST(ProcessChunk, BlankLinesFollowTheSuppressOptionAndEachLineGoesToTheReaderOfTheStateTheHostHoldsThen) {
    AbandoningHost host;
    TextProcessor tp(host);
    tp.ProcessChunk("look\r\n\r\n>\r\n");
    host.supressBlanks = true;
    tp.ProcessChunk("a\r\n\r\n\n\r\nb\r\n");
    tp.ProcessChunk("one\nstop\nlost\nlost too\n");
    EXPECT_TRUE(tp.PendingText().empty());
    // Without a dialogue host, log-on text is shown as it arrives, prompts cut after their colon.
    host.state = LinkState::Logon;
    tp.ProcessChunk(Bytes({255, 251, 3}) + "Banner\r\nlogin: ");
    EXPECT_EQ(host.shown, (Lines{"look ", " ", "> ", "a ", "b ", "one ", "stop ", "Banner ", "login: "}));
    EXPECT_EQ(host.sent, Bytes({255, 253, 3}));
}

TEST_F(TextprocTest, ResetStartsTheNextConnectionClean) {
    Receive(LinkState::Logon, "login: ");
    Receive(LinkState::NewAccount, "login: half a line" + Bytes({255}));
    tp.Reset();
    EXPECT_TRUE(tp.PendingText().empty());
    // Both dialogues answer the account prompt again, and the held IAC was forgotten: no reply.
    Receive(LinkState::NewAccount, Bytes({251, 1}) + "login: ");
    Receive(LinkState::Logon, "login: ");
    EXPECT_EQ(host.sent, "kx1234\nnew\nnew\nkx1234\n");
}

} // namespace
// A typed command is cleaned before it goes out, and the SpyNet toggle (which the client's own
// set-up relies on) is refused in any letter case.
TEST(CheckCommand, CleansTheTypedTextAndRefusesTheNoticeToggle) {
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"  look\r\n", "look\n", true},
        {"", "\n", true},
        {"lo\r\nok", "look\n", true}, // Enter pressed in mid-word
        {"say  a b \r\n", "say  a b \n", true},
        {"spynet notic\r\n", "spynet notic\n", true},
        {"  SpyNet NOTICE\r\n", "SpyNet NOTICE\n", false},
        {"spynet noticed", "spynet noticed\n", false},
        {"spynet\nnotice", "spynetnotice\n", true},
    };
    for (const auto& [typed, cleaned, send] : cases) {
        std::string text = typed;
        EXPECT_EQ(TextProcessor::CheckCommand(text), send) << typed;
        EXPECT_EQ(text, cleaned) << typed;
    }
}

} // namespace orv::test
