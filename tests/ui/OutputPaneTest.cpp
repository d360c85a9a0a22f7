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
    // Without a forced catch-up, the frame timer brings the pane level by itself and follows the end.
    form->ShowLine("by the timer");
    EXPECT_TRUE(Until([&] { return Output->document()->lastBlock().text() == "by the timer"; }));
    EXPECT_EQ(Output->verticalScrollBar()->value(), Output->verticalScrollBar()->maximum());
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

TEST_F(OutputPaneTest, TheScrollbackWindowIsAFrozenCopyOfThePane) {
    auto* memo = Find<QPlainTextEdit>("ScrollBackMemo");
    for (int i = 0; i < 150; ++i)
        form->ShowLine(Numbered(i).toStdString());
    const QStringList shown = Lines();
    QTest::mouseClick(Find<QToolButton>("ScrollBackBtn"), Qt::LeftButton);
    EXPECT_TRUE(Action("ScrollBackItem")->isChecked() && memo->isVisible());
    EXPECT_EQ(memo->toPlainText().split('\n'), shown);
    form->ShowLine("later");
    EXPECT_EQ(Lines().last(), "later");
    EXPECT_EQ(memo->document()->blockCount(), shown.size());

    Action("ScrollBackItem")->trigger();
    EXPECT_FALSE(memo->isVisible());
    EXPECT_TRUE(memo->toPlainText().isEmpty());
}

} // namespace
