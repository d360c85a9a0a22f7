#include "UiFixture.h"

#include "ui/Logerr.h"

namespace {

const QStringList ClosedLines = {" ", " --- No longer connected to talmaro' servers ---",
                                 "Connection to Orvanta Closed"};
const QString WaitText = " ----- Please wait while OrvTerm builds its player list -----";

class LogonTest : public UiTest {
  protected:
    // Connect > Log On with these details in the dialog, then waits for both ends to connect.
    void LogOnAs(ScriptServer& server, const QString& account, const QString& password) {
        Connect(server, [account, password](TTCPIPForm& dialog) {
            dialog.OrvEdit->setText(QStringLiteral("Zed"));
            dialog.AccountEdit->setText(account);
            dialog.PasswordEdit->setText(password);
            dialog.SaveCheck->setChecked(true);
        });
    }

    // Answers the next log-on error box with new details and OK, or Enter in the password box.
    void AnswerLogonError(const QString& account, const QString& password, bool pressEnter = false) {
        WhenModal(QStringLiteral("LogonErrorForm"), [account, password, pressEnter](QWidget*) {
            LogonErrorForm->AccountEdit->setText(account);
            LogonErrorForm->PasswordEdit->setText(password);
            if (pressEnter)
                QTest::keyClick(LogonErrorForm->PasswordEdit, Qt::Key_Return);
            else
                QTest::mouseClick(LogonErrorForm->Button1, Qt::LeftButton);
        });
    }
    void CancelLogonError() {
        WhenModal(QStringLiteral("LogonErrorForm"),
                  [](QWidget*) { QTest::mouseClick(LogonErrorForm->Button2, Qt::LeftButton); });
    }

    // Logs on and runs the set-up exchange to its end with these names in the who-list.
    void PlayWith(ScriptServer& server, const QStringList& names) {
        LogOnAs(server, QStringLiteral("demo"), QStringLiteral("demo"));
        server.Send("login: ");
        ASSERT_TRUE(server.Received("demo\n"));
        server.Send("Password: ");
        ASSERT_TRUE(server.Received("demo\ndemo\n"));
        server.Send("Welcome to Orvanta DataSpace.\r\n");
        ASSERT_TRUE(server.Received("demo\ndemo\nspynet notice\n"));
        server.Send("OK - SpyNet Notice is now ON.\r\n");
        ASSERT_TRUE(server.Received("demo\ndemo\nspynet notice\nqw\n"));
        QByteArray who = ">qw\r\n";
        for (qsizetype i = 0; i < names.size(); i += 8)
            who += names.mid(i, 8).join(' ').toLatin1() + "\r\n";
        who += QByteArray::number(names.size()) + " players in Orvanta\r\n";
        server.Send(who);
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->GetLinkState() == orv::LinkState::Normal; }, 5000));
        server.received.clear();
    }
    QString Count() const { return Find<QLabel>("StatusPanel2")->text(); }
};

TEST_F(LogonTest, ASavedAccountLogsOnByItselfAndTheSetUpBuildsTheList) {
    Store("Ac0", "Zed~demo~pw~x\n");
    ScriptServer server;
    Connect(server); // the dialog shows the saved account and is only confirmed
    EXPECT_EQ(form->windowTitle(), "Orv2Term - Version 1.04 - 127.0.0.1 - Zed");

    // A prompt without a line end is answered as soon as its colon arrives.
    server.Send("Orvanta test server\r\nlogin: ");
    ASSERT_TRUE(server.Received("demo\n"));
    server.Send("Password: ");
    ASSERT_TRUE(server.Received("demo\npw~x\n"));
    // The space after a prompt's colon starts the next line. What follows the welcome in the same
    // chunk waits for more text.
    server.Send("Welcome to Orvanta DataSpace.\r\nYou are in the hangar.\r\n");
    ASSERT_TRUE(server.Received("demo\npw~x\nspynet notice\n"));
    EXPECT_EQ(LastLines(5),
              QStringList({"Connected to talmaro", "Orvanta test server ", "Logging demo into Orvanta...",
                           "Sending password...", " Welcome to Orvanta DataSpace. "}));
    EXPECT_EQ(form->GetLinkState(), orv::LinkState::Setup);
    EXPECT_TRUE(Input->isReadOnly());
    EXPECT_EQ(Input->toPlainText(), WaitText);
    EXPECT_FALSE(Action("PlayerListItem")->isEnabled());

    // Notices were on already, so the toggle switched them off: it is sent again. The held line
    // comes out with this chunk.
    server.Send("OK - SpyNet Notice is now OFF.\r\n");
    ASSERT_TRUE(server.Received("demo\npw~x\nspynet notice\nspynet notice\n"));
    EXPECT_EQ(LastLines(1), QStringList{"You are in the hangar. "});
    server.Send("OK - SpyNet Notice is now ON.\r\n");
    ASSERT_TRUE(server.Received("demo\npw~x\nspynet notice\nspynet notice\nqw\n"));

    server.Send(">qw\r\nzeta Alpha beta\r\nGamma delta\r\n5 players in Orvanta\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->GetLinkState() == orv::LinkState::Normal; }, 5000));
    EXPECT_EQ(Rows(), QStringList({"Alpha", "beta", "delta", "Gamma", "zeta"}));
    EXPECT_EQ(Count(), "5 players on-line");
    EXPECT_EQ(Total(), "All Players");
    EXPECT_EQ(Input->toPlainText(), "");
    EXPECT_FALSE(Input->isReadOnly());
    EXPECT_TRUE(Action("PlayerListItem")->isEnabled());
    EXPECT_EQ(LastLines(1), QStringList{"You are in the hangar. "}) << "nothing of the exchange is shown";
    EXPECT_EQ(server.received, "demo\npw~x\nspynet notice\nspynet notice\nqw\n");
}

TEST_F(LogonTest, ALinkLostDuringTheSetUpHandsTheInputPaneBack) {
    ScriptServer server;
    LogOnAs(server, QStringLiteral("demo"), QStringLiteral("demo"));
    server.Send("login: ");
    server.Send("Password: ");
    server.Send("Welcome to Orvanta DataSpace.\r\n");
    ASSERT_TRUE(server.Received("demo\ndemo\nspynet notice\n"));
    ASSERT_TRUE(Input->isReadOnly());
    server.peer->disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Status() == "Disconnected"; }, 5000));
    EXPECT_EQ(form->GetLinkState(), orv::LinkState::Normal);
    EXPECT_FALSE(Input->isReadOnly());
    EXPECT_EQ(Input->toPlainText(), "");
    EXPECT_TRUE(Action("PlayerListItem")->isEnabled());
}

TEST_F(LogonTest, RefusalsAreCorrectedFromTheErrorBoxUntilThePlayerGivesUp) {
    ScriptServer server;
    ASSERT_NO_FATAL_FAILURE(LogOnAs(server, QStringLiteral("wrong"), QStringLiteral("bad")));
    EXPECT_EQ(Stored("Ac0").Text, "Zed~wrong~bad\n");
    server.Send("login: ");
    ASSERT_TRUE(server.Received("wrong\n"));
    server.Send("Password: ");
    ASSERT_TRUE(server.Received("wrong\nbad\n"));

    // The refusal and the next prompt in one chunk: the corrected account answers it at once.
    // The box comes up empty the first time.
    WhenModal(QStringLiteral("LogonErrorForm"), [](QWidget*) {
        EXPECT_EQ(LogonErrorForm->AccountEdit->text(), "");
        EXPECT_EQ(LogonErrorForm->PasswordEdit->text(), "");
        LogonErrorForm->AccountEdit->setText(QStringLiteral("demo"));
        LogonErrorForm->PasswordEdit->setText(QStringLiteral("demo"));
        QTest::mouseClick(LogonErrorForm->Button1, Qt::LeftButton);
    });
    server.Send("Login incorrect\r\nlogin: ");
    ASSERT_TRUE(server.Received("wrong\nbad\ndemo\n"));
    EXPECT_EQ(Stored("Ac0").Text, "Zed~demo~demo\n");
    EXPECT_EQ(TCPIPForm->AccountEdit->text(), "demo");
    EXPECT_EQ(TCPIPForm->PasswordEdit->text(), "demo");

    // A second refusal in the same run is handled like the first; Enter answers OK.
    server.Send("Password: ");
    ASSERT_TRUE(server.Received("wrong\nbad\ndemo\ndemo\n"));
    AnswerLogonError(QStringLiteral("kx1234"), QStringLiteral("secret"), true);
    server.Send("Login incorrect\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return TCPIPForm->AccountEdit->text() == "kx1234"; }, 5000));
    server.Send("login: ");
    ASSERT_TRUE(server.Received("wrong\nbad\ndemo\ndemo\nkx1234\n"));
    server.Send("Password: ");
    const QByteArray answered = "wrong\nbad\ndemo\ndemo\nkx1234\nsecret\n";
    ASSERT_TRUE(server.Received(answered));
    EXPECT_EQ(Stored("Ac0").Text, "Zed~kx1234~secret\n");

    // Cancel closes the connection; the rest of the chunk is taken and dropped, its prompt unanswered.
    CancelLogonError();
    server.Send("Login incorrect\r\nlogin: \r\nstill talking\r\n");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return form->GetLinkState() == orv::LinkState::LogonAbandoned; }, 5000));
    EXPECT_EQ(LastLines(3), ClosedLines);
    EXPECT_EQ(Total(), "Not Connected");
    EXPECT_EQ(form->windowTitle(), "Orv2Term - Version 1.04 - Zed");
    EXPECT_TRUE(Action("LogontoOrv")->isEnabled());
    EXPECT_FALSE(Action("Logoff")->isEnabled());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return server.peer->state() == QAbstractSocket::UnconnectedState; }, 5000));
    EXPECT_EQ(server.received, answered);
    EXPECT_EQ(LastLines(3), ClosedLines);

    // Neither a refusal nor a prompt was ever shown; each try was.
    const QStringList shown = Lines();
    for (const QString& line : shown)
        EXPECT_FALSE(line.contains("ogin") || line.contains("word:") || line.contains("still talking"))
            << line.toStdString();
    for (const char* account : {"wrong", "demo", "kx1234"})
        EXPECT_EQ(shown.count(QStringLiteral("Logging %1 into Orvanta...").arg(account)), 1) << account;
    EXPECT_EQ(shown.count("Sending password..."), 3);
}

TEST_F(LogonTest, TheListShowsFriendsAndFoesAbove1024PlayersAndEveryoneAgainBelow1000) {
    form->Foes.SetNames({"P0500"});
    QStringList names;
    for (int i = 1; i <= 1025; ++i)
        names << QStringLiteral("P%1").arg(i, 4, 10, QLatin1Char('0'));
    ScriptServer server;
    ASSERT_NO_FATAL_FAILURE(PlayWith(server, names));
    const auto report = [&](const QString& name, const char* what) {
        server.Send(QStringLiteral("SPYNET REPORT: Captain %1 has %2 Orvanta DataSpace.\r\n")
                        .arg(name, what)
                        .toLatin1());
    };

    EXPECT_EQ(Total(), "Friends & Foes");
    EXPECT_EQ(Rows(), QStringList{"P0500"});
    EXPECT_EQ(Count(), "1025 players on-line");

    // Down to 1000 the mode holds (the roster's own tests cover the rows in between).
    for (int i = 1001; i <= 1025; ++i)
        report(names[i - 1], "left");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Count() == "1000 players on-line"; }, 5000));
    EXPECT_EQ(Total(), "Friends & Foes");
    EXPECT_EQ(Rows(), QStringList{"P0500"});

    report(QStringLiteral("P1000"), "left");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Count() == "999 players on-line"; }, 5000));
    EXPECT_EQ(Total(), "All Players");
    EXPECT_EQ(Rows(), names.mid(0, 999));
}

TEST_F(LogonTest, PopupMenuAndDoubleClickActOnTheSelectedPlayer) {
    ScriptServer server;
    ASSERT_NO_FATAL_FAILURE(PlayWith(server, {"zeta", "Alpha", "beta", "Gamma", "delta"}));
    auto* list = Find<QListWidget>("PlayerList");
    QWidget* viewport = list->viewport();

    // Nothing selected: only Buy Round is offered, and a right-click on a row selects nothing.
    QMenu* popup = OpenPlayerPopup(RowCentre("Alpha"));
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_TRUE(Action("BuyRoundItem")->isEnabled());
    for (const char* item : {"ExamineItem", "HugItem", "KissItem", "SpyNetPopUpItem", "TellItem"})
        EXPECT_FALSE(Action(item)->isEnabled()) << item;
    list->setFocus();
    ChooseFromPopup(popup, Action("BuyRoundItem"));
    EXPECT_TRUE(server.Received("buy round\n"));
    EXPECT_EQ(form->focusWidget(), Input);

    QTest::mouseClick(viewport, Qt::LeftButton, {}, RowCentre("Gamma"));
    QByteArray sent = "buy round\n";
    const std::pair<const char*, const char*> commands[] = {{"ExamineItem", "ex Gamma\n"},
                                                            {"HugItem", "Hug Gamma \n"},
                                                            {"KissItem", "Kiss Gamma \n"},
                                                            {"SpyNetPopUpItem", "Spynet Report Gamma \n"}};
    for (const auto& [item, command] : commands) {
        popup = OpenPlayerPopup(RowCentre("Alpha")); // the menu acts on the entry last left-clicked
        EXPECT_TRUE(Action(item)->isEnabled()) << item;
        list->setFocus();
        ChooseFromPopup(popup, Action(item));
        sent += command;
        EXPECT_TRUE(server.Received(sent)) << item;
        EXPECT_EQ(form->focusWidget(), Input) << item;
    }
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems().front()->text(), "Gamma");

    // Tell replaces what was typed; a double-click keeps it and adds the name and a space.
    QTest::keyClicks(Input, QStringLiteral("say hal"));
    ChooseFromPopup(OpenPlayerPopup(RowCentre("Gamma")), Action("TellItem"));
    EXPECT_EQ(Input->toPlainText(), "Tell Gamma ");
    // A real double-click: a click, then the second press, which arrives as the double-click.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, RowCentre("beta"));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, RowCentre("beta"));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, RowCentre("beta"));
    EXPECT_EQ(Input->toPlainText(), "Tell Gamma beta ");
    EXPECT_EQ(Input->textCursor().position(), Input->toPlainText().size());
    EXPECT_EQ(form->focusWidget(), Input);
    QTest::keyClicks(Input, QStringLiteral("hi"));
    EXPECT_EQ(Input->toPlainText(), "Tell Gamma beta hi");
    EXPECT_EQ(server.received, sent) << "Tell and the double-click send nothing";
}

} // namespace
