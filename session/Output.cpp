#include "session/Output.h"

namespace orv {

namespace {
constexpr std::string_view Filler = " ";
}

OutputBuffer::OutputBuffer(std::size_t lineLimit) : lineLimit_(lineLimit) {
    Grow(lineLimit + 2);
}

void OutputBuffer::SetLineLimit(std::size_t limit) {
    lineLimit_ = limit;
    if (ring_.size() < limit + 2) Grow(limit + 2);
}

void OutputBuffer::SetSound(SoundPlayer* player, std::string alertPath) {
    sound_ = player;
    alertPath_ = std::move(alertPath);
}

void OutputBuffer::Grow(std::size_t capacity) {
    std::vector<std::string> bigger(capacity);
    for (std::size_t i = 0; i < count_; ++i)
        bigger[i].swap(ring_[(head_ + i) % ring_.size()]);
    ring_.swap(bigger);
    head_ = 0;
}

std::string_view OutputBuffer::Line(std::uint64_t seq) const {
    const auto offset = static_cast<std::size_t>(seq - FirstSeq());
    return ring_[(head_ + offset) % ring_.size()];
}

std::string OutputBuffer::JoinedText() const {
    std::string joined;
    for (std::uint64_t seq = FirstSeq(); seq != EndSeq(); ++seq) {
        if (seq != FirstSeq()) joined.push_back('\n');
        joined.append(Line(seq));
    }
    return joined;
}

void OutputBuffer::Append(std::string_view line) {
    if (count_ == ring_.size()) Grow(ring_.size() * 2); // only while a text of many lines arrives
    std::string& slot = ring_[(head_ + count_) % ring_.size()];
    slot.assign(line); // the slot keeps its capacity, so a warm ring does not allocate
    ++count_;
    ++endSeq_;
}

void OutputBuffer::AppendFiller() {
    Append(Filler);
    lastLineBlank_ = true;
}

void OutputBuffer::ShowLine(std::string_view text) {
    // The trim comes before the new line, so the pane holds at most the limit plus the new line
    // (plus a filler before a prompt).
    if (count_ > lineLimit_) {
        const std::size_t surplus = count_ - lineLimit_;
        head_ = (head_ + surplus) % ring_.size();
        count_ = lineLimit_;
    }

    const bool prompt = !text.empty() && text.front() == '>';
    if (!text.empty()) {
        if (prompt && supressBlanks_ && !lastLineBlank_) AppendFiller();
        std::string_view rest = text;
        for (std::size_t nl = rest.find('\n'); nl != std::string_view::npos; nl = rest.find('\n')) {
            Append(rest.substr(0, nl));
            rest.remove_prefix(nl + 1);
        }
        Append(rest);
        lastLineBlank_ = false;
    } else if (!supressBlanks_ && !lastLineBlank_) {
        AppendFiller();
    }

    if (log_ != nullptr) log_->WriteLine(text);
    if (textAlert_ && !prompt && sound_ != nullptr) sound_->PlayAsync(alertPath_);
}

} // namespace orv
