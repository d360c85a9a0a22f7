#include "UiFixture.h"

namespace {

class MainMenusTest : public UiTest {};

// Alt and a letter open each menu of the bar, and within a menu each letter chooses one command.
TEST_F(MainMenusTest, EveryMenuHasALetterOfItsOwnAndNoTwoCommandsOfAMenuShareOne) {
    const auto unique = [](const QList<QKeySequence>& keys) {
        return QSet(keys.begin(), keys.end()).size() == keys.size();
    };
    QList<QKeySequence> menus;
    for (const QAction* menu : form->menuBar()->actions()) {
        menus << QKeySequence::mnemonic(menu->text());
        QList<QKeySequence> commands;
        for (const QAction* command : menu->menu()->actions())
            if (const QKeySequence key = QKeySequence::mnemonic(command->text()); !key.isEmpty())
                commands << key;
        EXPECT_TRUE(unique(commands)) << menu->text().toStdString();
    }
    EXPECT_EQ(menus.size(), 6);
    EXPECT_FALSE(menus.contains(QKeySequence()));
    EXPECT_TRUE(unique(menus));
}

TEST_F(MainMenusTest, EditCommandsFollowTheActiveControl) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    // Copy, Paste and Select All: "+" enabled, "-" not.
    const auto offered = [this] {
        std::string on;
        for (const char* item : {"CopyItem", "PasteItem", "SelectItem"})
            on += Action(item)->isEnabled() ? '+' : '-';
        return on;
    };
    Output->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(offered(), "+-+");
    Find<QListWidget>("PlayerList")->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(offered(), "---");
    Input->setFocus(Qt::TabFocusReason);
    for (const Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
        QFocusEvent away(QEvent::FocusOut, reason);
        QApplication::sendEvent(Input, &away);
    }
    EXPECT_EQ(offered(), "+++") << "a menu opening or another window active leaves the active control";

    // With Output active, Select All and Copy take the whole pane as it stands, Input left alone.
    QTest::keyClicks(Input, QStringLiteral("typed"));
    form->ShowLine("alpha beta");
    Output->setFocus(Qt::MouseFocusReason);
    Action("SelectItem")->trigger();
    Action("CopyItem")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), Lines().join('\n'));
    EXPECT_TRUE(Input->textCursor().selectedText().isEmpty());
}

TEST_F(MainMenusTest, SwitchesTakeEffectAtOnceAndOnlyTheStoredOnesComeBackAtTheNextStart) {
    FakeSound sound;
    form->SetSoundPlayer(&sound);
    // A switch's tool button and its item follow each other both ways.
    QTest::mouseClick(Find<QToolButton>("SpeedButton1"), Qt::LeftButton);
    Action("KeypadTravel")->trigger();
    EXPECT_TRUE(Action("TextAlertItem")->isChecked() && Find<QToolButton>("KeyPadBtn")->isChecked());
    for (const char* item : {"StatusBarItem", "ToolBarItem", "PlayerListItem", "SupressBlanksItem",
                             "LargeBufItem", "SpyNetItem", "DiagItem", "ReconnectItem"})
        Action(item)->trigger();
    EXPECT_FALSE(Find<QWidget>("StatusBar")->isVisible() || Find<QWidget>("ToolBar")->isVisible() ||
                 Find<QWidget>("PlayerPanel")->isVisible());
    EXPECT_EQ(form->OutputModel().LineLimit(), 500u);
    for (const char* line : {"a", "", "b"})
        form->ShowLine(line);
    EXPECT_EQ(LastLines(2), QStringList({"a", "b"})) << "blank lines suppressed";
    EXPECT_EQ(QString::fromStdString(sound.played.at(0)), form->StartDir + "/alert.wav");

    Restart();
    for (const char* item :
         {"StatusBarItem", "ToolBarItem", "PlayerListItem", "KeypadTravel", "TextAlertItem", "DiagItem"})
        EXPECT_FALSE(Action(item)->isChecked()) << item;
    EXPECT_FALSE(Find<QWidget>("StatusBar")->isVisible() || Find<QWidget>("ToolBar")->isVisible() ||
                 Find<QWidget>("PlayerPanel")->isVisible());
    for (const char* item : {"SupressBlanksItem", "LargeBufItem", "SpyNetItem", "ReconnectItem"})
        EXPECT_TRUE(Action(item)->isChecked()) << item;
    EXPECT_FALSE(Find<QToolButton>("KeyPadBtn")->isChecked() ||
                 Find<QToolButton>("SpeedButton1")->isChecked());
}

} // namespace
