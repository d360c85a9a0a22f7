#include "ui/OutputPane.h"

#include "ui/Codepage.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <climits>

namespace orv::ui {

namespace {
// One repaint of the pane per frame, however many lines arrive.
constexpr int FrameMs = 16;
} // namespace

OutputPane::OutputPane(QPlainTextEdit* pane, const orv::OutputBuffer& model, std::function<void()> beforeSync)
    : QObject(pane), pane_(pane), model_(model), beforeSync_(std::move(beforeSync)) {
    frame_.setSingleShot(true);
    frame_.setInterval(FrameMs);
    connect(&frame_, &QTimer::timeout, this, &OutputPane::Sync);
    // The pane follows its newest line, also when it is resized (the scrollback opening above it).
    QScrollBar* bar = pane_->verticalScrollBar();
    connect(bar, &QScrollBar::rangeChanged, bar, [this, bar] {
        if (!held_) bar->setValue(bar->maximum());
    });
}

void OutputPane::HoldView(bool hold) {
    held_ = hold;
    if (!held_) Sync(), pane_->verticalScrollBar()->setValue(pane_->verticalScrollBar()->maximum());
}

QString OutputPane::Text(std::uint64_t first, std::uint64_t end) const {
    QString text;
    std::size_t bytes = 0;
    for (std::uint64_t seq = first; seq != end; ++seq)
        bytes += model_.Line(seq).size() + 1;
    text.reserve(static_cast<qsizetype>(bytes));
    for (std::uint64_t seq = first; seq != end; ++seq) {
        if (seq != first) text.append(QLatin1Char('\n'));
        AppendCp1252(text, model_.Line(seq));
    }
    // A carriage return would start a new block in the document; inside a line it shows as a space.
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

void OutputPane::Sync() {
    frame_.stop();
    if (beforeSync_) beforeSync_();
    const std::uint64_t first = model_.FirstSeq();
    const std::uint64_t end = model_.EndSeq();
    if (first == shownFirst_ && end == shownEnd_) return;

    const std::uint64_t freshFrom = std::max(shownEnd_, first);
    const std::uint64_t fresh = end - freshFrom;
    const std::uint64_t count = end - first;
    QTextCursor cursor(pane_->document());
    cursor.beginEditBlock();
    QScrollBar* bar = pane_->verticalScrollBar();
    // A held view is kept by cutting and appending: a replacement would lose the player's place.
    const int top = bar->value() -
                    static_cast<int>(std::min<std::uint64_t>(first - std::min(first, shownFirst_), INT_MAX));
    if (shownFirst_ == shownEnd_ || shownEnd_ <= first || (!held_ && fresh * 4 >= count)) {
        // Mostly new text: one replacement costs less than cutting the old lines one run at a time.
        cursor.select(QTextCursor::Document);
        cursor.insertText(Text(first, end));
    } else {
        if (first > shownFirst_) {
            // Selected by position: moving by blocks would lay out every line it passes.
            const QTextBlock keep =
                pane_->document()->findBlockByNumber(static_cast<int>(first - shownFirst_));
            cursor.setPosition(0);
            cursor.setPosition(keep.position(), QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
        if (fresh > 0) {
            cursor.setPosition(pane_->document()->characterCount() - 1);
            cursor.insertText(QLatin1Char('\n') + Text(freshFrom, end));
        }
    }
    cursor.endEditBlock();
    shownFirst_ = first;
    shownEnd_ = end;
    // The pane follows its newest line, or keeps its lines in view while held; its own cursor and
    // selection stay where they are.
    bar->setValue(held_ ? std::max(top, 0) : bar->maximum());
}

} // namespace orv::ui
