#include "ui/OutputPane.h"

#include "ui/Codepage.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QElapsedTimer>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <tuple>
#include <utility>

namespace orv::ui {

namespace {
// One repaint of the pane per frame, however many lines arrive.
constexpr int FrameMs = 16;
// A frame that takes long (lines of thousands of characters to lay out) makes the next one wait
// this many times as long, so that reading the server keeps most of the time; never above MaxFrameMs.
constexpr int FrameSpacing = 3;
constexpr int MaxFrameMs = 250;
// Marks the pane that a screen reader is shown as a terminal.
constexpr char TerminalPane[] = "orvTerminalPane";

// Text as a screen reader reads it: lines end in a line feed, not the document's separator.
QString Plain(QString text) {
    return text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

// The output pane as a screen reader sees it: a terminal, a read-only stream of text that grows at
// its end, with a caret the player moves through it to read it line by line.
class TerminalAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit TerminalAccessible(QPlainTextEdit* pane) : QAccessibleWidget(pane, QAccessible::Terminal) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    void selection(int index, int* start, int* end) const override {
        const QTextCursor cursor = Pane()->textCursor();
        const bool any = index == 0 && cursor.hasSelection();
        *start = any ? cursor.selectionStart() : 0;
        *end = any ? cursor.selectionEnd() : 0;
    }
    int selectionCount() const override { return Pane()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { setCursorPosition(cursorPosition()); }
    void setSelection(int, int start, int end) override { Pane()->setTextCursor(Span(start, end)); }
    int cursorPosition() const override { return Pane()->textCursor().position(); }
    void setCursorPosition(int position) override { Pane()->setTextCursor(Span(position, position)); }

    QString text(int start, int end) const override { return Plain(Span(start, end).selectedText()); }
    int characterCount() const override { return Pane()->document()->characterCount() - 1; }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                             int* end) const override {
        if (boundary != QAccessible::LineBoundary)
            return QAccessibleTextInterface::textBeforeOffset(offset, boundary, start, end);
        return LineText(Valid(offset) ? LineAt(offset).first - 1 : -1, start, end);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                         int* end) const override {
        if (boundary != QAccessible::LineBoundary)
            return QAccessibleTextInterface::textAtOffset(offset, boundary, start, end);
        return LineText(Valid(offset) ? offset : -1, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                            int* end) const override {
        if (boundary != QAccessible::LineBoundary)
            return QAccessibleTextInterface::textAfterOffset(offset, boundary, start, end);
        const int next = Valid(offset) ? LineAt(offset).second : -1;
        return LineText(next < characterCount() ? next : -1, start, end);
    }

    QRect characterRect(int offset) const override {
        if (!Valid(offset)) return {};
        QRect rect = Pane()->cursorRect(Span(offset, offset));
        const QString character = text(offset, offset + 1);
        rect.setWidth(
            Pane()->fontMetrics().horizontalAdvance(character.isEmpty() ? QStringLiteral(" ") : character));
        return {Pane()->viewport()->mapToGlobal(rect.topLeft()), rect.size()};
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint at = Pane()->viewport()->mapFromGlobal(point);
        return Pane()->viewport()->rect().contains(at) ? Pane()->cursorForPosition(at).position() : -1;
    }
    // The view follows the caret; a screen reader moves that instead.
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

  private:
    QPlainTextEdit* Pane() const { return static_cast<QPlainTextEdit*>(widget()); }
    bool Valid(int offset) const { return offset >= 0 && offset <= characterCount(); }
    QTextCursor Span(int from, int to) const {
        QTextCursor cursor(Pane()->document());
        cursor.setPosition(std::clamp(from, 0, characterCount()));
        cursor.setPosition(std::clamp(to, 0, characterCount()), QTextCursor::KeepAnchor);
        return cursor;
    }
    // The line on screen that holds offset, [start, end): a line runs to where the next one starts,
    // so a wrapped line keeps the space it broke at and a game line's last line its line break.
    std::pair<int, int> LineAt(int offset) const {
        const QTextBlock block = Pane()->document()->findBlock(offset);
        Pane()->document()->documentLayout()->blockBoundingRect(block); // lays the block out
        const QTextLine line = block.layout()->lineForTextPosition(offset - block.position());
        if (!line.isValid())
            return {block.position(), std::min(block.position() + block.length(), characterCount())};
        const int start = block.position() + line.textStart();
        const bool last = line.lineNumber() == block.layout()->lineCount() - 1;
        return {start, last ? std::min(block.position() + block.length(), characterCount())
                            : start + line.textLength()};
    }
    QString LineText(int offset, int* start, int* end) const {
        if (!Valid(offset)) {
            *start = *end = -1;
            return {};
        }
        std::tie(*start, *end) = LineAt(offset);
        return text(*start, *end);
    }
};

QAccessibleInterface* TerminalFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QPlainTextEdit") || !object->property(TerminalPane).toBool())
        return nullptr;
    return new TerminalAccessible(static_cast<QPlainTextEdit*>(object));
}

} // namespace

OutputPane::OutputPane(QPlainTextEdit* pane, const orv::OutputBuffer& model, std::function<void()> beforeSync)
    : QObject(pane), pane_(pane), model_(model), beforeSync_(std::move(beforeSync)) {
    frame_.setSingleShot(true);
    frame_.setInterval(FrameMs);
    connect(&frame_, &QTimer::timeout, this, &OutputPane::Sync);
    // The pane follows its newest line, also when it is resized (the scrollback opening above it).
    QScrollBar* bar = pane_->verticalScrollBar();
    connect(bar, &QScrollBar::rangeChanged, bar, [this, bar] {
        if (!Held()) bar->setValue(bar->maximum());
    });
    pane_->setProperty(TerminalPane, true);
    // Once for the run: Qt keeps every factory installed and asks each in turn.
    static const bool installed = (QAccessible::installFactory(TerminalFactory), true);
    (void)installed;
    // An interface made for the pane before the factory was there would show it as plain text.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(pane_);
        made != nullptr && made->role() != QAccessible::Terminal)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void OutputPane::HoldView(bool hold) {
    held_ = hold;
    if (held_) return;
    Sync();
    if (!Held()) FollowEnd(); // back to the newest line, wrapped lines laid out
}

bool OutputPane::CaretAtEnd() const {
    return pane_->textCursor().position() == pane_->document()->characterCount() - 1;
}

bool OutputPane::Held() const {
    // The pane's window may be inactive while the player reads in it: its focus is still there.
    return held_ || (pane_->window()->focusWidget() == pane_ && !CaretAtEnd());
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

    QTextDocument* document = pane_->document();
    const std::uint64_t freshFrom = std::max(shownEnd_, first);
    const std::uint64_t fresh = end - freshFrom;
    const std::uint64_t count = end - first;
    const bool held = Held();
    // The caret at the end stays at the end. Elsewhere the caret and the player's selection are held
    // by the model's line numbers, which a rebuild of the text does not move, and are put back
    // afterwards: they last as long as their lines are shown.
    const QTextCursor caret = pane_->textCursor();
    const int caretWas = caret.position(); // the copy moves with the edit
    const bool atEnd = CaretAtEnd();
    const Place anchor = PlaceOf(caret.anchor());
    const Place position = PlaceOf(caret.position());
    // What changed, whichever way the text is rebuilt: the lines before first are cut from the top
    // (up to the line break after the last of them), the lines from freshFrom appended at the end.
    const bool kept = shownEnd_ > first && shownFirst_ != shownEnd_;
    const int cut = kept ? document->findBlockByNumber(static_cast<int>(first - shownFirst_)).position()
                         : document->characterCount() - 1;
    const QString tail =
        kept ? (fresh > 0 ? QLatin1Char('\n') + Text(freshFrom, end) : QString()) : Text(first, end);
    const bool report = QAccessible::isActive();
    QString removed;
    if (report && cut > 0) {
        QTextCursor head(document);
        head.setPosition(cut, QTextCursor::KeepAnchor);
        removed = Plain(head.selectedText());
    }

    QScrollBar* bar = pane_->verticalScrollBar();
    // A held view is kept by cutting and appending: a replacement would lose the player's place. The
    // bar counts laid-out lines, so the lines cut count as many as they took on screen.
    const int top =
        kept ? bar->value() -
                   document->findBlockByNumber(static_cast<int>(first - shownFirst_)).firstLineNumber()
             : 0;
    {
        // The document would report the edit as one change from the first character cut to the last
        // appended, which accessibility passes on as the whole pane replaced; the pane reports it
        // below as what it is. The document's layout hears of the edit all the same.
        const QSignalBlocker quiet(document);
        QTextCursor cursor(document);
        cursor.beginEditBlock();
        if (!kept || (!held && fresh * 4 >= count)) {
            // Mostly new text: one replacement costs less than cutting the old lines one run at a time.
            cursor.select(QTextCursor::Document);
            cursor.insertText(kept ? Text(first, freshFrom) + tail : tail);
        } else {
            if (cut > 0) {
                // Selected by position: moving by blocks would lay out every line it passes.
                cursor.setPosition(cut, QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
            }
            if (!tail.isEmpty()) {
                cursor.setPosition(document->characterCount() - 1);
                cursor.insertText(tail);
            }
        }
        cursor.endEditBlock();
    }
    shownFirst_ = first;
    shownEnd_ = end;
    if (atEnd) {
        if (!CaretAtEnd()) pane_->moveCursor(QTextCursor::End);
    } else {
        QTextCursor restored(document);
        restored.setPosition(PositionOf(anchor));
        restored.setPosition(PositionOf(position), QTextCursor::KeepAnchor);
        pane_->setTextCursor(restored);
    }
    if (report) {
        const int caretNow = pane_->textCursor().position();
        if (!removed.isEmpty()) {
            QAccessibleTextRemoveEvent event(pane_, 0, removed);
            event.setCursorPosition(caretNow);
            QAccessible::updateAccessibility(&event);
        }
        if (!tail.isEmpty()) {
            QAccessibleTextInsertEvent event(
                pane_, document->characterCount() - 1 - static_cast<int>(tail.size()), tail);
            event.setCursorPosition(caretNow);
            QAccessible::updateAccessibility(&event);
        }
        if (caretNow != caretWas) {
            QAccessibleTextCursorEvent event(pane_, caretNow);
            QAccessible::updateAccessibility(&event);
        }
    }
    if (held)
        bar->setValue(std::max(top, 0)); // the lines in view stay in view
    else
        FollowEnd();
    if (synced_) synced_();
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
