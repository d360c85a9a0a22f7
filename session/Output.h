#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orv {

// The open session log, as the output model writes to it.
class LineSink {
  public:
    virtual void WriteLine(std::string_view line) = 0; // the text; the sink adds the line end
  protected:
    ~LineSink() = default;
};

// Plays a wave file without waiting for it; falls back to the system beep when it cannot. The
// path is in the file system's own encoding of file names.
class SoundPlayer {
  public:
    virtual void PlayAsync(const std::string& path) = 0;

  protected:
    ~SoundPlayer() = default;
};

// The output pane's model: the lines it shows, with the line limit and its trim, the filler-line
// rules, the copy to the open log and the incoming-text alert decision. The visible pane is made
// equal to this model by the window at most once per frame, so a flood costs no layout per line.
//
// Lines are numbered by a running sequence number; the model keeps the lines
// [FirstSeq(), EndSeq()). A pane that remembers which numbers it shows can catch up by cutting
// its head and appending the tail.
class OutputBuffer {
  public:
    static constexpr std::size_t DefaultLineLimit = 200;
    static constexpr std::size_t LargeLineLimit = 500;

    explicit OutputBuffer(std::size_t lineLimit = DefaultLineLimit);

    // Shows one line: trims to the limit, applies the blank-line rules, writes the log and sounds
    // the incoming-text alert. A text holding '\n' becomes several lines of the pane.
    void ShowLine(std::string_view text);

    // A lowered limit takes effect at the next ShowLine, not at once.
    void SetLineLimit(std::size_t limit);
    std::size_t LineLimit() const { return lineLimit_; }

    void SetSupressBlanks(bool on) { supressBlanks_ = on; }
    bool SupressBlanks() const { return supressBlanks_; }
    void SetTextAlert(bool on) { textAlert_ = on; }
    void SetLog(LineSink* log) { log_ = log; }
    void SetSound(SoundPlayer* player, std::string alertPath);

    bool LastLineBlank() const { return lastLineBlank_; }

    std::size_t LineCount() const { return count_; }
    std::uint64_t FirstSeq() const { return endSeq_ - count_; }
    std::uint64_t EndSeq() const { return endSeq_; }
    // The line with sequence number seq, FirstSeq() <= seq < EndSeq().
    std::string_view Line(std::uint64_t seq) const;
    // All lines, oldest first, each followed by '\n' except the last.
    std::string JoinedText() const;

  private:
    void Append(std::string_view line);
    void AppendFiller();
    void Grow(std::size_t capacity);

    std::vector<std::string> ring_; // slots keep their capacity: no allocation per line once warm
    std::size_t head_ = 0;          // slot of the oldest line
    std::size_t count_ = 0;
    std::uint64_t endSeq_ = 0;
    std::size_t lineLimit_;
    bool lastLineBlank_ = false;
    bool supressBlanks_ = false;
    bool textAlert_ = false;
    LineSink* log_ = nullptr;
    SoundPlayer* sound_ = nullptr;
    std::string alertPath_;
};

} // namespace orv
