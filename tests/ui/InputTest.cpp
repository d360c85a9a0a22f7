#include "UiFixture.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QToolButton>

namespace {

void Type(QPlainTextEdit* input, const QString& text) {
    QTest::keyClicks(input, text);
    QTest::keyClick(input, Qt::Key_Return);
}

} // namespace

TEST_F(UiTest, TypedCommandsAreCleanedAndSent) {
    ScriptServer server;
    Connect(server);

    Type(Input, QStringLiteral("  look"));
    EXPECT_TRUE(Input->toPlainText().isEmpty());
    Type(Input, QString());
    // Enter with the caret inside a word: the break it inserted is removed again.
    QTest::keyClicks(Input, QStringLiteral("look"));
    QTest::keyClick(Input, Qt::Key_Left);
    QTest::keyClick(Input, Qt::Key_Left);
    QTest::keyClick(Input, Qt::Key_Return);
    // Over-long lines are cut to 255 bytes before cleaning, so Enter's own break is cut away too.
    Input->setPlainText(QString(300, QLatin1Char('a')));
    Input->moveCursor(QTextCursor::End);
    QTest::keyClick(Input, Qt::Key_Return);
    // Typed text is sent in the game's code page.
    Input->setPlainText(QString::fromUtf8("say caf\u00e9 \u20ac \u4e16"));
    Input->moveCursor(QTextCursor::End);
    QTest::keyClick(Input, Qt::Key_Return);
    EXPECT_TRUE(server.Received("look\n\nlook\n" + QByteArray(255, 'a') + "\nsay caf\xe9 \x80 ?\n"));

    for (const QString& refused : {QStringLiteral("SPYNET notice"), QStringLiteral("  Spynet Notices on")}) {
        Type(Input, refused);
        EXPECT_EQ(LastLines(3),
                  QStringList({"    ", "--- Please use options menu to set SpyNet Notice ---", "    "}));
        EXPECT_TRUE(Input->toPlainText().isEmpty());
    }
    Type(Input, QStringLiteral("spynet"));
    EXPECT_TRUE(server.Received("look\n\nlook\n" + QByteArray(255, 'a') + "\nsay caf\xe9 \x80 ?\nspynet\n"));
}

TEST_F(UiTest, KeysActOnlyOnTheirOwnReleaseAndOnlyWhilePlayingOrLoggingOn) {
    ScriptServer server;
    Connect(server);
    Action("KeypadTravel")->trigger();

    // A release without its press in Input (the Enter that closed a dialog) is not acted on.
    QTest::keyClicks(Input, QStringLiteral("look"));
    QTest::sendKeyEvent(QTest::Release, Input, Qt::Key_Return, QString(), Qt::NoModifier);
    // A held key repeats its press and release; only the final release counts.
    QTest::sendKeyEvent(QTest::Press, Input, Qt::Key_Up, QString(), Qt::NoModifier);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Up, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(Input, &release);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(Input, &press);
    }
    QTest::sendKeyEvent(QTest::Release, Input, Qt::Key_Up, QString(), Qt::NoModifier);

    // While the new-account dialogue runs, Enter only edits the pane.
    form->SetLinkState(orv::LinkState::NewAccount);
    Input->setPlainText(QStringLiteral("look"));
    Input->moveCursor(QTextCursor::End);
    QTest::keyClick(Input, Qt::Key_Return);
    EXPECT_EQ(Input->toPlainText(), "look\n");

    form->SetLinkState(orv::LinkState::Normal);
    Input->clear();
    Type(Input, QStringLiteral("x"));
    EXPECT_TRUE(server.Received("n\nx\n"));
}

TEST_F(UiTest, KeypadTravelSendsTheEightDirectionsOnlyWhileSwitchedOn) {
    ScriptServer server;
    Connect(server);
    const Qt::Key keys[] = {Qt::Key_Up,   Qt::Key_PageUp, Qt::Key_Right, Qt::Key_PageDown,
                            Qt::Key_Down, Qt::Key_End,    Qt::Key_Left,  Qt::Key_Home};

    auto* button = Find<QToolButton>("KeyPadBtn");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(Action("KeypadTravel")->isChecked());
    for (const Qt::Key key : keys)
        QTest::keyClick(Input, key, Qt::KeypadModifier);
    EXPECT_TRUE(server.Received("n\nne\ne\nse\ns\nsw\nw\nnw\n"));

    Action("KeypadTravel")->trigger();
    EXPECT_FALSE(button->isChecked());
    for (const Qt::Key key : keys)
        QTest::keyClick(Input, key);
    Type(Input, QStringLiteral("x"));
    EXPECT_TRUE(server.Received("n\nne\ne\nse\ns\nsw\nw\nnw\nx\n"));
}

TEST_F(UiTest, FunctionKeysAndCtrlSpaceFillOrSend) {
    ScriptServer server;
    Connect(server);
    form->SetKeyText(4, "look");
    form->SetKeyText(6, std::string(250, 'm'));

    QTest::keyClick(Input, Qt::Key_F5);
    QTest::keyClicks(Input, QStringLiteral("get"));
    QTest::keyClick(Input, Qt::Key_F5, Qt::ControlModifier);
    EXPECT_EQ(Input->toPlainText(), "getlook ");
    QTest::keyClick(Input, Qt::Key_F6);
    QTest::keyClick(Input, Qt::Key_F6, Qt::ControlModifier);
    EXPECT_EQ(Input->toPlainText(), "getlook ");

    auto* list = Find<QListWidget>("PlayerList");
    QTest::keyClick(Input, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(Input->toPlainText().trimmed(), "getlook") << "no player selected";
    Input->setPlainText(QStringLiteral("tell "));
    list->addItems({QStringLiteral("Zed"), QStringLiteral("Amy")});
    list->setCurrentRow(1); // sorted: Amy, Zed
    QTest::keyClick(Input, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(Input->toPlainText(), "tell Zed ");
    EXPECT_EQ(Input->textCursor().position(), Input->toPlainText().size());

    // A macro fill is cut to 255 bytes.
    QTest::keyClick(Input, Qt::Key_F7, Qt::ControlModifier);
    EXPECT_EQ(Input->toPlainText().size(), 255);
    QTest::keyClick(Input, Qt::Key_F7);
    EXPECT_TRUE(server.Received("look\n" + QByteArray(250, 'm') + "\n"));
}
