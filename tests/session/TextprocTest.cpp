#include "FakeHost.h"
#include "session/Textproc.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

using Lines = std::vector<std::string>;

// Collects every line NextLine hands on for the chunks given, with the terminator given.
Lines Cut(TextProcessor& tp, const Lines& chunks, char terminator) {
    Lines out;
    for (const auto& chunk : chunks)
        for (auto line = tp.NextLine(chunk, terminator); !line.empty(); line = tp.NextLine({}, terminator))
            out.emplace_back(line);
    return out;
}

TEST(NextLine, CutsAtLineFeedsDroppingTheCrBeforeThemAndAppendsASpace) {
    FakeHost host;
    TextProcessor tp(host);
    EXPECT_EQ(Cut(tp, {"abc\r\ndef\r\n"}, '\n'), (Lines{"abc ", "def "}));
    EXPECT_EQ(Cut(tp, {"a\rb\n"}, '\n'), (Lines{"a\rb "})); // a CR elsewhere stays
    EXPECT_EQ(Cut(tp, {"\r\n"}, '\n'), (Lines{" "}));
    EXPECT_EQ(Cut(tp, {"\n\n"}, '\n'), (Lines{" ", " "}));
}

TEST(NextLine, JoinsChunksAndHandsALineOnOnlyWhenItIsComplete) {
    FakeHost host;
    TextProcessor tp(host);
    EXPECT_TRUE(Cut(tp, {"abc"}, '\n').empty());
    EXPECT_EQ(tp.PendingText(), "abc");
    EXPECT_EQ(Cut(tp, {"def\nxy"}, '\n'), (Lines{"abcdef "}));
    EXPECT_EQ(tp.PendingText(), "xy");
    // A CR LF pair cut between two reads still loses its CR.
    EXPECT_EQ(Cut(tp, {"z\r", "\n"}, '\n'), (Lines{"xyz "}));
}

TEST(NextLine, TerminatorStaysInTheLineAndWhatFollowsStaysPending) {
    FakeHost host;
    TextProcessor tp(host);
    EXPECT_EQ(Cut(tp, {"login: "}, ':'), (Lines{"login: "}));
    EXPECT_EQ(tp.PendingText(), " ");
    // Whichever comes first ends the line.
    EXPECT_EQ(Cut(tp, {"a\nb:c\n"}, ':'), (Lines{" a ", "b: ", "c "}));
}

TEST(NextLine, TelnetIsAnsweredOncePerChunkAndNeverReachesTheText) {
    FakeHost host;
    TextProcessor tp(host);
    EXPECT_EQ(Cut(tp, {"one" + Bytes({255, 251, 1}) + "\ntwo\n"}, '\n'), (Lines{"one ", "two "}));
    EXPECT_EQ(host.sent, Bytes({255, 254, 1}));
    // A sequence cut across two reads is answered once, when it is complete.
    EXPECT_EQ(Cut(tp, {"x" + Bytes({255}), Bytes({253, 31}) + "y\n"}, '\n'), (Lines{"xy "}));
    EXPECT_EQ(host.sent, Bytes({255, 254, 1, 255, 251, 31, 255, 250, 31, 0, 0, 0, 0, 255, 240}));
}

TEST(NextLine, OverlongTextIsCutAtThePendingCapacity) {
    FakeHost host;
    TextProcessor tp(host);
    const std::string chunk(4095, 'x');
    Lines lines;
    for (int i = 0; i < 9; ++i) { // 36,855 bytes without a line end
        auto got = Cut(tp, {chunk}, '\n');
        lines.insert(lines.end(), got.begin(), got.end());
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::string(TextProcessor::PendingLimit, 'x') + " ");
    EXPECT_EQ(tp.PendingText().size(), 9 * 4095 - TextProcessor::PendingLimit);
    // A line end within the capacity is still honoured after a cut.
    auto rest = Cut(tp, {"\n"}, '\n');
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(rest[0].size(), 9 * 4095 - TextProcessor::PendingLimit + 1);
}

TEST(ProcessChunk, GameLinesAreShownAndBlankLinesFollowTheSuppressOption) {
    FakeHost host;
    TextProcessor tp(host);
    tp.ProcessChunk("look\r\n\r\n>\r\n", LinkState::Normal);
    EXPECT_EQ(host.shown, (Lines{"look ", " ", "> "}));

    host.shown.clear();
    host.supressBlanks = true;
    tp.ProcessChunk("a\r\n\r\n\r\nb\r\n", LinkState::Normal);
    EXPECT_EQ(host.shown, (Lines{"a ", "b "}));
}

// A host that abandons the log-on when it is shown a given line, as the error box's Cancel does.
class AbandoningHost : public FakeHost {
public:
    void ShowLine(std::string_view line) override {
        FakeHost::ShowLine(line);
        if (line == "stop ") state = LinkState::LogonAbandoned;
    }
};

TEST(ProcessChunk, EachLineGoesToTheReaderOfTheStateItFinds) {
    AbandoningHost host;
    TextProcessor tp(host);
    tp.ProcessChunk("one\nstop\nlost\nlost too\n", LinkState::Normal);
    EXPECT_EQ(host.shown, (Lines{"one ", "stop "}));
    // In LogonAbandoned received text produces no output at all, and is consumed.
    tp.ProcessChunk("more\n", LinkState::LogonAbandoned);
    EXPECT_EQ(host.shown.size(), 2u);
    EXPECT_TRUE(tp.PendingText().empty());
}

TEST(ProcessChunk, LogonTextIsShownAsItArrivesWithPromptsCutAfterTheirColon) {
    FakeHost host;
    host.state = LinkState::Logon;
    TextProcessor tp(host);
    tp.ProcessChunk(Bytes({255, 251, 3}) + "Banner\r\n\r\nlogin: ", LinkState::Logon);
    EXPECT_EQ(host.shown, (Lines{"Banner ", " ", "login: "}));
    EXPECT_EQ(host.sent, Bytes({255, 253, 3}));
}

TEST(ProcessChunk, ResetEmptiesPendingTextAndDialogueStep) {
    FakeHost host;
    TextProcessor tp(host);
    tp.DialogueStep = 2;
    tp.ProcessChunk("half a line" + Bytes({255}), LinkState::Normal);
    tp.Reset();
    EXPECT_EQ(tp.DialogueStep, 0);
    EXPECT_TRUE(tp.PendingText().empty());
    tp.ProcessChunk(Bytes({251, 1}) + "x\n", LinkState::Normal); // the held IAC was forgotten too
    EXPECT_EQ(host.shown, (Lines{Bytes({251, 1}) + "x "}));
    EXPECT_TRUE(host.sent.empty());
}

TEST(CheckCommand, CleansTheTypedTextAndRefusesTheNoticeToggle) {
    struct Case {
        std::string typed;
        std::string cleaned;
        bool send;
    };
    const Case cases[] = {
        {"  look\r\n", "look\n", true},
        {"\r\n", "\n", true},
        {"", "\n", true},
        {"lo\r\nok", "look\n", true}, // Enter pressed in mid-word
        {"say  a b \r\n", "say  a b \n", true},
        {"spynet\r\n", "spynet\n", true},
        {"spynet notic\r\n", "spynet notic\n", true},
        {"  SpyNet NOTICE\r\n", "SpyNet NOTICE\n", false},
        {"spynet noticed", "spynet noticed\n", false},
        {"spynet\nnotice", "spynetnotice\n", true},
    };
    for (const auto& c : cases) {
        std::string text = c.typed;
        EXPECT_EQ(TextProcessor::CheckCommand(text), c.send) << c.typed;
        EXPECT_EQ(text, c.cleaned) << c.typed;
    }
}

} // namespace
} // namespace orv::test
