#include "UiFixture.h"

#include "ui/Codepage.h"

#include <QRandomGenerator>
#include <QScrollBar>
#include <QToolButton>

#include <string>
#include <vector>

namespace {

class FakeSound : public orv::SoundPlayer {
  public:
    void PlayAsync(const std::string& path) override { played.push_back(path); }
    std::vector<std::string> played;
};

QString Numbered(int i) {
    return QStringLiteral("line %1").arg(i);
}

} // namespace

// The limits themselves are the output model's; here, that the item switches them.
TEST_F(UiTest, LargeBufferItemSwitchesTheLineLimit) {
    for (int i = 0; i < 300; ++i)
        form->ShowLine(Numbered(i).toStdString());
    EXPECT_EQ(Lines().size(), 201);
    Action("LargeBufItem")->trigger();
    for (int i = 300; i < 800; ++i)
        form->ShowLine(Numbered(i).toStdString());
    EXPECT_EQ(Lines().size(), 501);
    Action("LargeBufItem")->trigger();
    form->ShowLine("next");
    EXPECT_EQ(Lines().size(), 201);
}

// The pane is caught up by cutting its head and appending its tail, or by replacing everything;
// whatever the mix of lines between frames, it must end up equal to the model.
TEST_F(UiTest, EveryFrameLeavesThePaneEqualToTheModel) {
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
    // Without a forced sync, the frame timer catches the pane up by itself and follows the end.
    form->ShowLine("by the timer");
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return Output->document()->lastBlock().text() == "by the timer"; }, 2000));
    EXPECT_EQ(Output->verticalScrollBar()->value(), Output->verticalScrollBar()->maximum());
}

TEST_F(UiTest, BlankLineRulesFollowTheSupressBlanksItem) {
    const QStringList base = Lines();
    form->ShowLine("text");
    for (int i = 0; i < 3; ++i)
        form->ShowLine("");
    form->ShowLine(">prompt");
    EXPECT_EQ(Lines().mid(base.size()), QStringList({"text", " ", ">prompt"}));

    Action("SupressBlanksItem")->trigger();
    form->ShowLine("text");
    form->ShowLine("");
    form->ShowLine(">one");
    EXPECT_EQ(Lines().mid(base.size() + 3), QStringList({"text", " ", ">one"}));
}

TEST_F(UiTest, IncomingTextAlertSoundsForEveryLineButPrompts) {
    FakeSound sound;
    form->SetSoundPlayer(&sound);
    form->ShowLine("before");
    QTest::mouseClick(Find<QToolButton>("SpeedButton1"), Qt::LeftButton);
    EXPECT_TRUE(Action("TextAlertItem")->isChecked());

    form->ShowLine("");
    form->ShowLine(">prompt");
    form->ShowLine("text");
    ASSERT_EQ(sound.played.size(), 2u);
    EXPECT_EQ(QString::fromStdString(sound.played[0]), form->StartDir + "/alert.wav");

    Action("TextAlertItem")->trigger();
    EXPECT_FALSE(Find<QToolButton>("SpeedButton1")->isChecked());
    form->ShowLine("quiet");
    EXPECT_EQ(sound.played.size(), 2u);
}

TEST_F(UiTest, ScrollbackWindowIsAFrozenCopyOfTheOutput) {
    auto* memo = Find<QPlainTextEdit>("ScrollBackMemo");
    EXPECT_FALSE(memo->isVisible());
    for (int i = 0; i < 150; ++i)
        form->ShowLine(Numbered(i).toStdString());
    const QStringList shown = Lines();

    QTest::mouseClick(Find<QToolButton>("ScrollBackBtn"), Qt::LeftButton);
    EXPECT_TRUE(Action("ScrollBackItem")->isChecked());
    EXPECT_TRUE(memo->isVisible());
    EXPECT_EQ(memo->toPlainText().split('\n'), shown);
    form->ShowLine("later");
    EXPECT_EQ(memo->document()->blockCount(), shown.size());

    Action("ScrollBackItem")->trigger();
    EXPECT_FALSE(memo->isVisible());
    EXPECT_TRUE(memo->toPlainText().isEmpty());
}
