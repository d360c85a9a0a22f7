#include "AccessibleEvents.h"
#include "UiFixture.h"

#include "ui/Codepage.h"

namespace {

class OutputPaneTest : public UiTest {};

QString Numbered(int i) {
    return QStringLiteral("line %1").arg(i);
}

// The pane is caught up by cutting its head and appending its tail, or by replacing everything;
// whatever the mix of lines between frames, it must end up equal to the model.
TEST_F(OutputPaneTest, EveryFrameLeavesThePaneEqualToTheModel) {
    QRandomGenerator random(7);
    int next = 0;
    for (int frame = 0; frame < 60; ++frame) {
        const int batch = static_cast<int>(random.bounded(frame % 5 == 0 ? 260 : 40));
        for (int i = 0; i < batch; ++i) {
            form->ShowLine(random.bounded(8) == 0 ? std::string() : Numbered(next++).toStdString());
            if (random.bounded(50) == 0) Action("LargeBufItem")->trigger();
        }
        const orv::OutputBuffer& model = form->OutputModel();
        QStringList expected;
        for (auto seq = model.FirstSeq(); seq != model.EndSeq(); ++seq)
            expected << orv::ui::DecodeCp1252(model.Line(seq));
        ASSERT_EQ(Lines(), expected) << "frame " << frame;
    }
}

// A quick-who reply into a full pane: rows of names wider than the pane, each wrapping. After the
// frame the newest line is on screen and the scroll bar, at its end, reaches it.
TEST_F(OutputPaneTest, ABurstOfWrappedLinesLeavesTheNewestLineInView) {
    for (int i = 0; i < 200; ++i)
        form->ShowLine(Numbered(i).toStdString());
    Lines();
    for (int row = 0; row < 43; ++row) {
        QStringList names;
        for (int n = 0; n < 7; ++n)
            names << QStringLiteral("Commander%1").arg(row * 7 + n, 5, 10, QLatin1Char('0'));
        form->ShowLine(names.join(' ').toStdString());
    }
    ASSERT_TRUE(Until([&] { return Output->document()->lastBlock().text().endsWith("Commander00300"); }));
    QTest::qWait(50); // painted
    EXPECT_GT(Output->document()->lastBlock().layout()->lineCount(), 1) << "the rows wrap";
    QTextCursor end(Output->document());
    end.movePosition(QTextCursor::End);
    const QScrollBar* bar = Output->verticalScrollBar();
    EXPECT_TRUE(Output->viewport()->rect().contains(Output->cursorRect(end)))
        << Output->cursorRect(end).bottom() << " below " << Output->viewport()->height();
    EXPECT_EQ(bar->value(), bar->maximum());
}

// Edit > Copy in a flood: the pane is rebuilt before the copy, and the player's selection with it.
TEST_F(OutputPaneTest, ASelectionOutlivesTheRebuildsOfAFlood) {
    for (int i = 0; i < 200; ++i)
        form->ShowLine(Numbered(i).toStdString());
    QTextCursor selection(
        Output->document()->findBlockByNumber(static_cast<int>(Lines().indexOf("line 190"))));
    selection.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    Output->setTextCursor(selection);
    Output->setFocus();
    for (int i = 0; i < 60; ++i) // enough new lines that the whole text is replaced
        form->ShowLine("flood");
    Action("CopyItem")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "line 190");
}

// A screen reader hears each frame as what it is: the lines cut at the top as one deletion there,
// the new lines as one insertion at the end, whether the pane was cut and appended to or rebuilt
// whole; the pane is a terminal whose text is the pane's. The scrollback window, a frozen copy of
// the pane made as it opens, takes no new line and is silent; closed, it is emptied.
TEST_F(OutputPaneTest, AScreenReaderHearsTheLinesCutAndAddedAndNothingElse) {
    auto* memo = Find<QPlainTextEdit>("ScrollBackMemo");
    for (int i = 0; i < 200; ++i)
        form->ShowLine(Numbered(i).toStdString());
    const QStringList shown = Lines();
    QTest::mouseClick(Find<QToolButton>("ScrollBackBtn"), Qt::LeftButton);
    EXPECT_TRUE(Action("ScrollBackItem")->isChecked() && memo->isVisible());
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(Output);
    EXPECT_EQ(face->role(), QAccessible::Terminal);
    int next = 200;
    for (const int added : {1, 3, 90}) { // one line, a few, enough that the pane is rebuilt whole
        const QStringList before = Lines();
        AccessibleEvents events;
        QStringList fresh;
        while (fresh.size() < added)
            form->ShowLine((fresh << Numbered(next++)).last().toStdString());
        const QString cut = before.mid(0, before.size() + added - Lines().size()).join('\n') + '\n';
        const QString tail = '\n' + fresh.join('\n');
        const int end = static_cast<int>(Output->toPlainText().size());
        const auto removed = events.Of(Output, QAccessible::TextRemoved);
        const auto inserted = events.Of(Output, QAccessible::TextInserted);
        ASSERT_TRUE(removed.size() == 1 && inserted.size() == 1) << added;
        EXPECT_EQ(removed[0].Position, 0);
        EXPECT_EQ(removed[0].Text, cut) << added;
        EXPECT_EQ(inserted[0].Text, tail) << added;
        EXPECT_EQ(inserted[0].Position, end - tail.size());
        EXPECT_TRUE(events.Of(Output, QAccessible::TextUpdated).empty());
        EXPECT_EQ(events.Of(Output, QAccessible::TextCaretMoved).back().Position, end) << "at the end";
        EXPECT_EQ(face->textInterface()->text(0, end), Output->toPlainText());
        EXPECT_TRUE(events.Of(memo, QAccessible::InvalidEvent).empty());
        EXPECT_EQ(memo->toPlainText().split('\n'), shown);
    }
    Action("ScrollBackItem")->trigger();
    EXPECT_TRUE(!memo->isVisible() && memo->toPlainText().isEmpty());
}

// Read from the keyboard, the caret moves through the pane line by line and the view stays where
// the player reads while lines arrive, wrapped ones cut at the top; back at the end, the caret and
// the view follow the newest line.
TEST_F(OutputPaneTest, TheCaretReadsUpThroughThePaneWhileLinesArrive) {
    for (int i = 0; i < 200; ++i)
        form->ShowLine(Numbered(i).toStdString() + std::string(i < 10 ? 300 : 0, '-'));
    Lines();
    AccessibleEvents events;
    Output->setFocus();
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(Output)->textInterface();
    const QScrollBar* bar = Output->verticalScrollBar();
    const auto reading = [&] { return Output->textCursor().block().text(); };
    const auto top = [&] { return Output->cursorForPosition(QPoint(2, 2)).block().text(); };
    EXPECT_EQ(reading(), "line 199") << "the caret starts at the end";
    QTest::keyClick(Output, Qt::Key_Up);
    QTest::keyClick(Output, Qt::Key_PageUp);
    const QString line = reading();
    const QString shown = top();
    for (int i = 0; i < 3; ++i)
        form->ShowLine("later");
    Lines();
    EXPECT_EQ(reading(), line);
    EXPECT_EQ(top(), shown);
    EXPECT_LT(bar->value(), bar->maximum());
    int start = 0, end = 0;
    EXPECT_EQ(text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start, &end),
              line + '\n');
    EXPECT_EQ(text->textAfterOffset(start, QAccessible::LineBoundary, &start, &end),
              Output->textCursor().block().next().text() + '\n');

    QTest::keyClick(Output, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(events.Of(Output, QAccessible::TextCaretMoved).back().Position, 0);
    QTest::keyClick(Output, Qt::Key_End, Qt::ControlModifier);
    form->ShowLine("newest");
    Lines();
    EXPECT_EQ(reading(), "newest");
    EXPECT_EQ(bar->value(), bar->maximum());
}

} // namespace
