#include "FakeHost.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

// Records the log's lines and the sounds played.
struct Recorder : LineSink, SoundPlayer {
    void WriteLine(std::string_view line) override { logged.emplace_back(line); }
    void PlayAsync(const std::string& path) override { played.push_back(path); }
    Lines logged, played;
};

// Shows the lines given, then reads back everything the pane holds.
Lines Shown(OutputBuffer& out, const Lines& lines) {
    for (const auto& line : lines)
        out.ShowLine(line);
    Lines pane;
    for (auto seq = out.FirstSeq(); seq != out.EndSeq(); ++seq)
        pane.emplace_back(out.Line(seq));
    return pane;
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

TEST(OutputBuffer, BlankLinesShowOneFillerPerRunOrOneBeforeEachPromptWhenSuppressedAndTheLogGetsThemAll) {
    OutputBuffer out;
    // No filler for a prompt without the option.
    EXPECT_EQ(Shown(out, {"a", "", "", "", "b", "", ">"}), (Lines{"a", " ", "b", " ", ">"}));

    OutputBuffer quiet;
    Recorder log;
    quiet.SetLog(&log);
    quiet.SetSupressBlanks(true);
    // The prompt before ">look" was a line, so a filler comes again; a blank vanishes without
    // counting as a filler. A text with a line break is two lines.
    const Lines lines{"text", "", "", ">", ">look", "", ">again", "x\ny"};
    EXPECT_EQ(Shown(quiet, lines), (Lines{"text", " ", ">", " ", ">look", " ", ">again", "x", "y"}));
    EXPECT_EQ(log.logged, lines); // the log gets every line unchanged
}

TEST(OutputBuffer, IncomingTextAlertSoundsForEverythingButPrompts) {
    OutputBuffer out;
    Recorder sound;
    out.SetSound(&sound, "/start/alert.wav");
    out.ShowLine("quiet while the option is off");
    EXPECT_TRUE(sound.played.empty());
    out.SetTextAlert(true);
    Shown(out, {"", ">prompt", "text"});
    EXPECT_EQ(sound.played, (Lines{"/start/alert.wav", "/start/alert.wav"}));
}

} // namespace
} // namespace orv::test
