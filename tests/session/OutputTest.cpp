#include "FakeHost.h"
#include "session/Output.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

using Lines = std::vector<std::string>;

Lines Shown(const OutputBuffer& out) {
    Lines lines;
    for (auto seq = out.FirstSeq(); seq != out.EndSeq(); ++seq) lines.emplace_back(out.Line(seq));
    return lines;
}

TEST(OutputBuffer, TrimsBeforeAppendingSoTheLimitPlusOneIsKept) {
    OutputBuffer out;
    for (int i = 0; i < 200; ++i) out.ShowLine("l" + std::to_string(i));
    out.ShowLine("l200");
    EXPECT_EQ(out.LineCount(), 201u);
    out.ShowLine("l201");
    EXPECT_EQ(out.LineCount(), 201u);
    EXPECT_EQ(out.Line(out.FirstSeq()), "l1"); // trimmed back to 200, then appended
    EXPECT_EQ(out.Line(out.EndSeq() - 1), "l201");
    EXPECT_EQ(out.EndSeq(), 202u);
}

TEST(OutputBuffer, LoweredLimitCutsAtTheNextLineNotAtOnce) {
    OutputBuffer out;
    out.SetLineLimit(OutputBuffer::LargeLineLimit);
    for (int i = 0; i < 450; ++i) out.ShowLine("l" + std::to_string(i));
    out.SetLineLimit(OutputBuffer::DefaultLineLimit);
    EXPECT_EQ(out.LineCount(), 450u);
    out.ShowLine("next");
    EXPECT_EQ(out.LineCount(), 201u);
    EXPECT_EQ(out.Line(out.FirstSeq()), "l250");
    // Raising it again keeps everything in order.
    out.SetLineLimit(OutputBuffer::LargeLineLimit);
    for (int i = 0; i < 400; ++i) out.ShowLine("m" + std::to_string(i));
    EXPECT_EQ(out.LineCount(), 501u);
    EXPECT_EQ(out.Line(out.FirstSeq()), "l350");
    EXPECT_EQ(out.Line(out.EndSeq() - 1), "m399");
}

TEST(OutputBuffer, RunsOfEmptyLinesShowOneFillerUnlessSuppressed) {
    OutputBuffer out;
    out.ShowLine("a");
    out.ShowLine("");
    out.ShowLine("");
    out.ShowLine("");
    out.ShowLine("b");
    out.ShowLine("");
    EXPECT_EQ(Shown(out), (Lines{"a", " ", "b", " "}));
    EXPECT_TRUE(out.LastLineBlank());

    OutputBuffer quiet;
    quiet.SetSupressBlanks(true);
    quiet.ShowLine("a");
    quiet.ShowLine("");
    quiet.ShowLine("");
    quiet.ShowLine("b");
    EXPECT_EQ(Shown(quiet), (Lines{"a", "b"}));
}

TEST(OutputBuffer, SuppressedBlanksPutOneFillerBeforeEachPrompt) {
    OutputBuffer out;
    out.SetSupressBlanks(true);
    out.ShowLine("text");
    out.ShowLine(">");
    out.ShowLine(">look"); // the prompt before it was a line, so a filler comes again
    out.ShowLine("");      // vanishes without counting as a filler
    out.ShowLine(">again");
    EXPECT_EQ(Shown(out), (Lines{"text", " ", ">", " ", ">look", " ", ">again"}));

    // Without the option a prompt gets no filler.
    OutputBuffer plain;
    plain.ShowLine("text");
    plain.ShowLine(">");
    EXPECT_EQ(Shown(plain), (Lines{"text", ">"}));
}

TEST(OutputBuffer, TheLogGetsEveryLineUnchangedWhateverThePaneShowed) {
    OutputBuffer out;
    FakeLog log;
    out.SetLog(&log);
    out.SetSupressBlanks(true);
    out.ShowLine("a");
    out.ShowLine("");
    out.ShowLine(">p");
    out.ShowLine("x\ny");
    EXPECT_EQ(log.lines, (Lines{"a", "", ">p", "x\ny"}));
    EXPECT_EQ(Shown(out), (Lines{"a", " ", ">p", "x", "y"})); // a text with a line break is two lines
}

TEST(OutputBuffer, IncomingTextAlertSoundsForEverythingButPrompts) {
    OutputBuffer out;
    FakeSound sound;
    out.SetSound(&sound, "/start/alert.wav");
    out.ShowLine("quiet while the option is off");
    EXPECT_TRUE(sound.played.empty());
    out.SetTextAlert(true);
    out.ShowLine("");
    out.ShowLine(">prompt");
    out.ShowLine("text");
    EXPECT_EQ(sound.played, (Lines{"/start/alert.wav", "/start/alert.wav"}));
}

TEST(OutputBuffer, JoinedTextIsExactlyTheLinesKept) {
    OutputBuffer out;
    EXPECT_EQ(out.JoinedText(), "");
    for (int i = 0; i < 205; ++i) out.ShowLine(std::to_string(i));
    const std::string joined = out.JoinedText();
    EXPECT_EQ(joined.substr(0, 4), "4\n5\n");
    EXPECT_EQ(joined.substr(joined.size() - 4), "\n204");
}

} // namespace
} // namespace orv::test
