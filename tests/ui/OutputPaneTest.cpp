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
