#include "UiFixture.h"

namespace {

class FindBarTest : public UiTest {
  protected:
    // A pane holding 10,000 lines, "gold" on every hundredth, lines [from, from + n) shown now.
    void Show(int from, int n) {
        for (int i = from; i < from + n; ++i)
            form->ShowLine(("line " + std::to_string(i) + (i % 100 == 50 ? " Gold" : "")).c_str());
        form->SyncOutput();
    }
    QLineEdit* Box() const { return Find<QLineEdit>("FindEdit"); }
    QString Counted() const { return Find<QLabel>("FindCount")->text(); }
    QString Selected() const { return Output->textCursor().block().text(); }
    // The first line in view.
    QString Top() const { return Output->cursorForPosition(QPoint(2, 2)).block().text(); }
};

TEST_F(FindBarTest, CtrlFOpensTheBarFromEitherPaneAndEscapeGivesTheInputPaneBack) {
    QApplication::setActiveWindow(form.get());
    for (QPlainTextEdit* pane : {Input, Output}) {
        pane->setFocus();
        QTest::keyClick(pane, Qt::Key_F, Qt::ControlModifier);
        ASSERT_TRUE(Find<QWidget>("FindBar")->isVisible());
        EXPECT_EQ(form->focusWidget(), Box());
        QTest::keyClick(Box(), Qt::Key_Escape);
        EXPECT_FALSE(Find<QWidget>("FindBar")->isVisible());
        EXPECT_EQ(form->focusWidget(), Input);
    }
}

TEST_F(FindBarTest, FindsAsTypedUpwardWithEnterDownwardWithShiftEnterAndCountsTheMatches) {
    Store("buffer size", 10000);
    Restart();
    Show(0, 10000);
    Action("FindItem")->trigger();
    QTest::keyClicks(Box(), QStringLiteral("gold"));
    EXPECT_EQ(Selected(), "line 9950 Gold") << "the newest match first";
    EXPECT_EQ(Output->textCursor().selectedText(), "Gold");
    EXPECT_EQ(Counted(), "100 of 100");
    QTest::keyClick(Box(), Qt::Key_Return);
    EXPECT_EQ(Selected(), "line 9850 Gold");
    EXPECT_EQ(Counted(), "99 of 100");
    QTest::keyClick(Box(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(Box(), Qt::Key_Return, Qt::ShiftModifier); // past the newest: round to the oldest
    EXPECT_EQ(Selected(), "line 50 Gold");
    EXPECT_EQ(Counted(), "1 of 100");
    EXPECT_TRUE(Output->viewport()->rect().contains(Output->cursorRect())) << "scrolled into view";
    Show(10000, 100); // the match's line goes: counted again, none of them selected
    EXPECT_EQ(Counted(), "100 matches");

    Find<QCheckBox>("MatchCaseCheck")->setChecked(true);
    EXPECT_EQ(Counted(), "No matches");
    EXPECT_FALSE(Output->textCursor().hasSelection());
}

TEST_F(FindBarTest, AFloodKeepsTheViewOnTheMatchUntilTheBarCloses) {
    Store("buffer size", 10000);
    Restart();
    Show(0, 10000);
    Action("FindItem")->trigger();
    QTest::keyClicks(Box(), QStringLiteral("line 7350 "));
    ASSERT_EQ(Selected(), "line 7350 Gold");
    const QString top = Top();
    Show(10000, 5000); // the oldest 5,000 lines go
    EXPECT_EQ(Selected(), "line 7350 Gold");
    EXPECT_EQ(Top(), top);
    EXPECT_TRUE(Output->viewport()->rect().contains(Output->cursorRect()));

    QTest::keyClick(Box(), Qt::Key_Escape);
    Show(15000, 1);
    EXPECT_EQ(Output->verticalScrollBar()->value(), Output->verticalScrollBar()->maximum());
}

} // namespace
