#include "session/Output.h"
#include "FakeHost.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

Lines Shown(const OutputBuffer& out) {
    Lines lines;
    for (auto seq = out.FirstSeq(); seq != out.EndSeq(); ++seq)
        lines.emplace_back(out.Line(seq));
    return lines;
}

TEST(OutputBuffer, TheLimitTrimsBeforeAppendingSoTheLimitPlusOneIsKept) {
    OutputBuffer out;
    EXPECT_EQ(out.JoinedText(), "");
    for (int i = 0; i < 205; ++i)
        out.ShowLine("l" + std::to_string(i));
    EXPECT_EQ(out.LineCount(), 201u);
    EXPECT_EQ(out.Line(out.FirstSeq()), "l4"); // trimmed back to 200, then appended
    EXPECT_EQ(out.Line(out.EndSeq() - 1), "l204");
    EXPECT_EQ(out.EndSeq(), 205u);
    // The joined text is exactly the lines kept, in order across the ring's wrap.
    const std::string joined = out.JoinedText();
    EXPECT_EQ(joined.substr(0, 6), "l4\nl5\n");
    EXPECT_EQ(joined.substr(joined.size() - 5), "\nl204");

    // A lowered limit cuts at the next line, not at once; raised again, it keeps everything in order.
    out.SetLineLimit(OutputBuffer::LargeLineLimit);
    for (int i = 205; i < 450; ++i)
        out.ShowLine("l" + std::to_string(i));
    out.SetLineLimit(OutputBuffer::DefaultLineLimit);
    EXPECT_EQ(out.LineCount(), 446u);
    out.ShowLine("next");
    EXPECT_EQ(out.LineCount(), 201u);
    EXPECT_EQ(out.Line(out.FirstSeq()), "l250");
    out.SetLineLimit(OutputBuffer::LargeLineLimit);
    for (int i = 0; i < 400; ++i)
        out.ShowLine("m" + std::to_string(i));
    EXPECT_EQ(out.LineCount(), 501u);
    EXPECT_EQ(out.Line(out.FirstSeq()), "l350");
    EXPECT_EQ(out.Line(out.EndSeq() - 1), "m399");
}

TEST(OutputBuffer, BlankLinesShowOneFillerPerRunOrOneBeforeEachPromptWhenSuppressed) {
    OutputBuffer out;
    for (const char* line : {"a", "", "", "", "b", "", ">"})
        out.ShowLine(line);
    EXPECT_EQ(Shown(out), (Lines{"a", " ", "b", " ", ">"})); // no filler for a prompt without the option

    OutputBuffer quiet;
    quiet.SetSupressBlanks(true);
    // The prompt before ">look" was a line, so a filler comes again; a blank vanishes without
    // counting as a filler.
    for (const char* line : {"text", "", "", ">", ">look", "", ">again"})
        quiet.ShowLine(line);
    EXPECT_EQ(Shown(quiet), (Lines{"text", " ", ">", " ", ">look", " ", ">again"}));
}

TEST(OutputBuffer, TheLogGetsEveryLineUnchangedWhateverThePaneShowed) {
    OutputBuffer out;
    FakeLog log;
    out.SetLog(&log);
    out.SetSupressBlanks(true);
    for (const char* line : {"a", "", ">p", "x\ny"})
        out.ShowLine(line);
    EXPECT_EQ(log.lines, (Lines{"a", "", ">p", "x\ny"}));
    EXPECT_EQ(Shown(out), (Lines{"a", " ", ">p", "x", "y"})); // a text with a line break is two lines
}

} // namespace
struct FakeSound : SoundPlayer {
    void PlayAsync(const std::string& path) override { played.push_back(path); }
    std::vector<std::string> played;
};

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
    EXPECT_EQ(sound.played, (std::vector<std::string>{"/start/alert.wav", "/start/alert.wav"}));
}

} // namespace orv::test
