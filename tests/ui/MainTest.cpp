#include "UiFixture.h"

namespace {

// The connect commands and the input pane wired to the connection, over a real socket. The
// connection's own rules are the core's tests; these check that each path reaches the window.
class MainTest : public UiTest {
  protected:
    // Which connection commands are enabled, "+" or "-" each: Log On, New Account, the Log On button,
    // then Log Off and its button.
    std::string Offered() const {
        std::string on;
        for (const char* name : {"LogontoOrv", "NewAccountItem", "LogOnBtn", "Logoff", "LogOffBtn"})
            on += Find<QObject>(name)->property("enabled").toBool() ? '+' : '-';
        return on;
    }

    ScriptServer server; // the game server each test plays against
};

TEST_F(MainTest, ALinkShowsEachStepAndTheServerClosingShowsItsLastWordsFirst) {
    Find<QListWidget>("PlayerList")->addItem(QStringLiteral("Stale"));
    LogOnTo(server.Port());
    EXPECT_EQ(Status(), "Connecting");
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_EQ(Offered(), "-----");

    ASSERT_TRUE(Until([&] { return server.peer != nullptr && Status() == "Connected"; }));
    EXPECT_EQ(LastLines(1), QStringList{"Connected to talmaro"});
    EXPECT_EQ(Offered(), "---++");
    EXPECT_EQ(form->windowTitle(), "Orv2Term - Version 1.04 - 127.0.0.1 - Zed");

    // The client speaks only when spoken to; with Diagnostics on, the exchange is traced.
    Action("DiagItem")->trigger();
    server.Send("\xff\xfd\x18");
    EXPECT_TRUE(server.Received("\xff\xfc\x18"));
    EXPECT_EQ(LastLines(2), QStringList({"Telnet Command from Server: IAC DO TERMTYPE",
                                         "Telnet Reply to Server: IAC WON'T TERMTYPE"}));

    // Server text is shown in the game's code page; a carriage return inside a line shows as a space.
    server.Send("\x93Hi\x94 \x80"
                "5 caf\xe9\r\nmid\rline\r\n");
    server.peer->disconnectFromHost();
    ASSERT_TRUE(Until([&] { return Status() == "Disconnected"; }));
    EXPECT_EQ(LastLines(4),
              QStringList({QString::fromUtf8("\u201cHi\u201d \u20ac5 caf\u00e9 "), "mid line "}) + LostLines);
    EXPECT_EQ(Offered(), "+++--");
    EXPECT_EQ(form->windowTitle(), "Orv2Term - Version 1.04 - Zed");
}

TEST_F(MainTest, LogOffLosesNoQueuedCommandAndTheWindowConnectsAgain) {
    Connect(server);
    Enter(QStringLiteral("quit"));
    Action("Logoff")->trigger();
    EXPECT_EQ(LastLines(3), ClosedLines);
    EXPECT_TRUE(server.Received("quit\n"));
    EXPECT_TRUE(Until([&] { return server.peer->state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(LastLines(3), ClosedLines) << "no late report of the close follows";

    ScriptServer again;
    Connect(again);
}

TEST_F(MainTest, AFailedAttemptIsReportedOnceAndAnotherMayFollow) {
    LogOnTo(QStringLiteral("1"), {}, {}, false);
    EXPECT_EQ(Status(), "Not Connected") << "a cancelled dialog starts nothing";

    QTcpServer probe; // a port nobody listens on any more
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const QString closedPort = QString::number(probe.serverPort());
    probe.close();
    const qsizetype before = Lines().size();
    LogOnTo(closedPort);
    ASSERT_TRUE(Until([&] { return Status() == "Disconnected"; }));
    EXPECT_EQ(Lines().size(), before + 5);
    EXPECT_EQ(LastLines(4).first(), "Your computer has reported an internet connection error.");
    EXPECT_EQ(Total(), "Disconnected");
    EXPECT_EQ(Offered(), "+++--");
}

TEST_F(MainTest, EnterAndTheFunctionKeysSendInTheGamesCodePageAndCtrlFillsTheInputPaneInstead) {
    Connect(server);
    Enter(QStringLiteral("  look"));
    EXPECT_TRUE(Input->toPlainText().isEmpty());
    // The cut to 255 bytes comes before the cleaning, so Enter's own line break is cut away too.
    Enter(QString(300, QLatin1Char('a')));
    Enter(QString::fromUtf8("say caf\u00e9 \u20ac \u4e16"));
    Enter(QStringLiteral("  Spynet Notices on"));
    EXPECT_EQ(LastLines(3),
              QStringList({"    ", "--- Please use options menu to set SpyNet Notice ---", "    "}));
    form->SetKeyText(4, "look");
    QTest::keyClick(Input, Qt::Key_F5);
    QTest::keyClick(Input, Qt::Key_F6); // a key without a text does nothing
    const QByteArray sent = "look\n" + QByteArray(255, 'a') + "\nsay caf\xe9 \x80 ?\nlook\n";
    EXPECT_TRUE(server.Received(sent));

    auto* list = Find<QListWidget>("PlayerList");
    list->addItems({QStringLiteral("Zed"), QStringLiteral("Amy")});
    list->setCurrentRow(1); // sorted: Amy, Zed
    Input->setPlainText(QStringLiteral("get"));
    QTest::keyClick(Input, Qt::Key_F5, Qt::ControlModifier);
    QTest::keyClick(Input, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(Input->toPlainText(), "getlook Zed ");
    EXPECT_EQ(Input->textCursor().position(), Input->toPlainText().size());
    EXPECT_EQ(server.received, sent) << "filling sends nothing";
}

TEST_F(MainTest, KeysActOnlyOnTheirOwnReleaseAndOnlyWhilePlayingOrLoggingOn) {
    Connect(server);
    Action("KeypadTravel")->trigger();
    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_PageUp, Qt::Key_Right, Qt::Key_PageDown, Qt::Key_Down,
                              Qt::Key_End, Qt::Key_Left, Qt::Key_Home})
        QTest::keyClick(Input, key, Qt::KeypadModifier);

    // A release without its press in Input (the Enter that closed a dialog) is not acted on.
    QTest::keyClicks(Input, QStringLiteral("look"));
    QTest::sendKeyEvent(QTest::Release, Input, Qt::Key_Return, QString(), Qt::NoModifier);
    // A held key repeats its press and release; only the final release counts.
    QTest::sendKeyEvent(QTest::Press, Input, Qt::Key_Up, QString(), Qt::NoModifier);
    for (int i = 0; i < 6; ++i) { // release, press, three times over
        QKeyEvent repeat(i % 2 ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_Up, Qt::NoModifier, {}, true);
        QApplication::sendEvent(Input, &repeat);
    }
    QTest::sendKeyEvent(QTest::Release, Input, Qt::Key_Up, QString(), Qt::NoModifier);

    // While the new-account dialogue runs, Enter only edits the pane.
    form->SetLinkState(orv::LinkState::NewAccount);
    Enter(QStringLiteral("look"));
    EXPECT_EQ(Input->toPlainText(), "look\n");
    form->SetLinkState(orv::LinkState::Normal);

    // Travel switched off, the keypad only moves the caret.
    Action("KeypadTravel")->trigger();
    QTest::keyClick(Input, Qt::Key_Up, Qt::KeypadModifier);
    Enter(QStringLiteral("x"));
    EXPECT_TRUE(server.Received("n\nne\ne\nse\ns\nsw\nw\nnw\nn\nx\n"));
}

TEST_F(MainTest, SettingsThatAreThereButCannotBeReadAreReportedOnceInTheRun) {
    Stop();
    ASSERT_TRUE(QFile::remove(SettingsPath()) && QDir().mkpath(SettingsPath())); // opens, cannot be read
    QStringList reported;
    QTimer answer; // answers every box, noting what it says
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            reported << box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    answer.start(5);
    Start();
    ASSERT_TRUE(Until([&] { return !reported.isEmpty(); }));
    Action("StatusBarItem")->trigger();
    Stop();
    ASSERT_EQ(reported.size(), 1) << reported.join('|').toStdString();
    const QString why = QString::fromLocal8Bit(std::make_error_code(std::errc::is_a_directory).message());
    EXPECT_TRUE(reported[0].contains('"' + SettingsPath() + "\": " + why)) << reported[0].toStdString();
}

TEST_F(MainTest, AStartFolderOfAnyLengthAndLettersHoldsTheListAndTheAlertSound) {
    // Longer than the 255 characters a start folder once had room for, with a letter beyond ASCII.
    const QString folder =
        home.path() + '/' + QString(150, 'a') + QString::fromUtf8("/zo\xc3\xab") + QString(150, 'b');
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const char* name : {"/ff.dat", "/alert.wav"}) {
        QFile file(folder + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("Zed\n") == 4);
    }
    Stop();
    QDir::setCurrent(folder);
    Start();
    EXPECT_TRUE(form->Foes.IsFriendOrFoe("Zed"));
    FakeSound sound;
    form->SetSoundPlayer(&sound);
    QTest::mouseClick(Find<QToolButton>("SpeedButton1"), Qt::LeftButton); // Incoming Text Alert
    form->ShowLine("hi");
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_TRUE(QFileInfo(QFile::decodeName(QByteArray::fromStdString(sound.played[0]))).isFile());
}

TEST_F(MainTest, CtrlUpAndDownCallBackSentCommandsUnlessTheArrowsAreTravelKeys) {
    Connect(server);
    Enter(QStringLiteral("look"));
    Enter(QStringLiteral("  say hi")); // kept as sent, cleaned
    Input->setPlainText(QStringLiteral("half\ntyped"));
    Input->moveCursor(QTextCursor::End);
    QStringList shown;
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Down}) {
        QTest::keyClick(Input, key, Qt::ControlModifier);
        shown << Input->toPlainText();
    }
    EXPECT_EQ(shown, QStringList({"say hi", "look", "look", "say hi", "half\ntyped"}));
    // Up alone still moves the caret; with Keypad Travel on, Ctrl+Up travels as Up does.
    QTest::keyClick(Input, Qt::Key_Up);
    EXPECT_EQ(Input->textCursor().blockNumber(), 0);
    Action("KeypadTravel")->trigger();
    QTest::keyClick(Input, Qt::Key_Up, Qt::ControlModifier);
    QTest::keyClick(Input, Qt::Key_Up);
    EXPECT_TRUE(server.Received("look\nsay hi\nn\nn\n"));
    EXPECT_EQ(Input->toPlainText(), "half\ntyped");
}

} // namespace
