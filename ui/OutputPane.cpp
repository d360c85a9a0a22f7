#include "ui/OutputPane.h"

#include "ui/Codepage.h"

#include <QElapsedTimer>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <climits>

namespace orv::ui {

namespace {
// One repaint of the pane per frame, however many lines arrive.
constexpr int FrameMs = 16;
// A frame that takes long (lines of thousands of characters to lay out) makes the next one wait
// this many times as long, so that reading the server keeps most of the time; never above MaxFrameMs.
constexpr int FrameSpacing = 3;
constexpr int MaxFrameMs = 250;
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
    QElapsedTimer took;
    took.start();
    // Set however Sync returns: an early return means a cheap frame.
    const auto spaceNextFrame = qScopeGuard([&] {
        frame_.setInterval(
            static_cast<int>(std::clamp<qint64>(took.elapsed() * FrameSpacing, FrameMs, MaxFrameMs)));
    });
    if (beforeSync_) beforeSync_();
    const std::uint64_t first = model_.FirstSeq();
    const std::uint64_t end = model_.EndSeq();
    if (first == shownFirst_ && end == shownEnd_) return;

    const std::uint64_t freshFrom = std::max(shownEnd_, first);
    const std::uint64_t fresh = end - freshFrom;
    const std::uint64_t count = end - first;
    // The player's selection is held by the model's line numbers, which a rebuild of the text does
    // not move, and is put back afterwards: it lasts as long as its lines are shown.
    const QTextCursor selection = pane_->textCursor();
    const bool selected = selection.hasSelection();
    const Place anchor = PlaceOf(selection.anchor());
    const Place position = PlaceOf(selection.position());
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
    if (selected) {
        QTextCursor restored(pane_->document());
        restored.setPosition(PositionOf(anchor));
        restored.setPosition(PositionOf(position), QTextCursor::KeepAnchor);
        pane_->setTextCursor(restored);
    }
    if (held_)
        bar->setValue(std::max(top, 0)); // the lines in view stay in view
    else
        FollowEnd();
}

OutputPane::Place OutputPane::PlaceOf(int position) const {
    const QTextBlock block = pane_->document()->findBlock(position);
    return {shownFirst_ + static_cast<std::uint64_t>(block.blockNumber()), position - block.position()};
}

int OutputPane::PositionOf(Place place) const {
    if (place.Seq < shownFirst_) return 0; // its line is gone: from the first line shown
    const QTextBlock block = pane_->document()->findBlockByNumber(static_cast<int>(place.Seq - shownFirst_));
    return block.position() + std::min(place.Column, block.length() - 1);
}

// The view counts its scroll bar in laid-out lines but lays a block out only when it meets one, a
// new block counting as one line until then; and it sizes the bar again only when the block count
// changes, which a full pane cut at the head as much as it grew at the tail does not. So the blocks
// the view passes on its way to the end (from its top block down, and up from the end as far as the
// view is high) are laid out first, their line counts final, and then the bar is sized once.
void OutputPane::FollowEnd() {
    auto* layout = qobject_cast<QPlainTextDocumentLayout*>(pane_->document()->documentLayout());
    {
        const QSignalBlocker quiet(layout); // one resize of the bar, not one per block laid out
        const int top = pane_->cursorForPosition(QPoint()).blockNumber();
        const int room = pane_->viewport()->height();
        qreal height = 0;
        for (QTextBlock block = pane_->document()->lastBlock();
             block.isValid() && (height <= room || block.blockNumber() >= top); block = block.previous())
            height += layout->blockBoundingRect(block).height();
    }
    emit layout->documentSizeChanged(layout->documentSize());
    // The pane follows its newest line; its own cursor and selection stay where they are.
    QScrollBar* bar = pane_->verticalScrollBar();
    bar->setValue(bar->maximum());
}

} // namespace orv::ui
