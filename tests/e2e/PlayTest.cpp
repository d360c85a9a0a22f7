#include "UiFixture.h"

#include "DemoServer.h"
#include "ui/Logerr.h"
#include "ui/New_account.h"

namespace {

// The real main window against the demo server, both in this process.
class PlayTest : public UiTest {
  protected:
    // A demo server of so many players on a free port; nobody comes or goes unless a client does.
    void Serve(int players) {
        server = std::make_unique<orvdemo::DemoServer>(
            orvdemo::DemoServer::Options{.players = players, .seed = 7, .activityMs = 0});
        ASSERT_TRUE(server->listen(QHostAddress::LocalHost, 0));
    }
    QString Port() const { return QString::number(server->port()); }

    // Runs the event loop until done holds; on a time-out, fails showing what the pane holds.
    bool Await(const std::function<bool()>& done) const {
        if (Until(done)) return true;
        ADD_FAILURE() << "timed out; shown: " << Lines().join('|').toStdString();
        return false;
    }
    // The set-up exchange is over: the list drawn and the input pane given back.
    bool WaitPlaying() {
        return Await([&] {
            return Status() == "Connected" && form->GetLinkState() == orv::LinkState::Normal &&
                   !Input->isReadOnly() && Action("PlayerListItem")->isEnabled() && !Rows().isEmpty();
        });
    }
    // Waits until the pane shows this line.
    bool WaitForLine(const QString& line) const {
        return Await([&] { return Lines().contains(line); });
    }

    FakeSound sound;
    std::unique_ptr<orvdemo::DemoServer> server;
};

TEST_F(PlayTest, APlayerLogsOnSeesAFriendComeAndGoAndLogsOff) {
    ASSERT_NO_FATAL_FAILURE(Serve(5));
    form->SetSoundPlayer(&sound);
    form->Foes.SetNames({"Nova"});
    form->Foes.SetRanksAlertMask(orv::FriendsAndFoes::AudibleBit);
    ASSERT_FALSE(Action("SpyNetItem")->isChecked());
    LogOnTo(Port(), QStringLiteral("demo"), QStringLiteral("demo"));
    ASSERT_TRUE(WaitPlaying());

    // Everybody on line is listed, sorted as the list box sorts.
    const QStringList rows = Rows();
    EXPECT_EQ(rows.size(), server->playersOnline());
    EXPECT_TRUE(rows.contains("Zed"));
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    }));

    // The friend logs on from another connection: alerted, shown with notices off, listed.
    QTcpSocket nova;
    nova.connectToHost(QHostAddress::LocalHost, server->port());
    QByteArray prompt;
    ASSERT_TRUE(Until([&] { return (prompt += nova.readAll()).contains("login: "); }));
    nova.write("kx1234\nsecret\n");
    ASSERT_TRUE(WaitForLine("SPYNET REPORT: Adventureuse Nova has entered Orvanta DataSpace. "));
    EXPECT_TRUE(Rows().contains("Nova"));
    const std::string alert = QFile::encodeName(form->StartDir).toStdString() + "/alert.wav";
    EXPECT_EQ(sound.played, std::vector<std::string>{alert});
    // The friend leaves: alerted and shown again, and the row goes.
    nova.write("quit\n");
    ASSERT_TRUE(WaitForLine("SPYNET REPORT: Adventureuse Nova has left Orvanta DataSpace. "));
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(sound.played, std::vector<std::string>(2, alert));

    Action("Logoff")->trigger();
    EXPECT_EQ(Status(), "Disconnected");
    EXPECT_TRUE(Until([&] { return server->clientCount() == 0; }));
    EXPECT_EQ(Rows(), rows) << "the last list stays on show";
}

// The window's side of the new-account dialogue: the form's details go out, the server's refusal
// comes back as an error box, and the form is left for the account now made, from which a free
// name enters the game.
TEST_F(PlayTest, ANewAccountIsMadeAndATakenCharacterNameSendsThePlayerBackToTheForm) {
    ASSERT_NO_FATAL_FAILURE(Serve(3));
    TNewAccountForm* account = NewAccountForm;
    const std::pair<QLineEdit*, QString> boxes[] = {
        {account->HostEdit, "127.0.0.1"},  {account->PortEdit, Port()},
        {account->IDEdit, "pilot8"},       {account->PwEdit, "Secret12"},
        {account->PwConfEdit, "Secret12"}, {account->EMailEdit, "pilot@example.org"},
        {account->NameEdit, "Nova"},       {account->RaceEdit, "Sand Walker"}};
    for (const auto& [box, text] : boxes)
        box->setText(text);
    account->GenderButtons->button(1)->click();
    // Every stat point spent, so sending asks nothing: 30, 40, 40 and 30.
    for (auto [spin, steps] : {std::pair{account->StrSpin, 10}, std::pair{account->UpDown1, 20},
                               std::pair{account->DexSpin, 20}, std::pair{account->UpDown2, 10}})
        for (int i = 0; i < steps; ++i)
            QTest::mouseClick(spin->UpButton, Qt::LeftButton);
    ASSERT_EQ(account->UnusedEdit->text(), "0");
    ASSERT_TRUE(account->NewAcCheck->isChecked());
    const auto send = [this, account] {
        WhenModal(QStringLiteral("NewAccountForm"),
                  [account](QWidget*) { QTest::mouseClick(account->SendBtn, Qt::LeftButton); });
        Action("NewAccountItem")->trigger();
    };
    send();

    QString refusal;
    WhenModal(QString(), [&refusal](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        refusal = box->text();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    ASSERT_TRUE(Await([&] { return !refusal.isEmpty() && Status() == "Disconnected"; }));
    EXPECT_EQ(refusal, "The character name you chose is\nunavailable. Please try again.");
    EXPECT_EQ(LastLines(3), ClosedLines);
    EXPECT_FALSE(account->NewAcCheck->isChecked());

    account->NameEdit->setText(QStringLiteral("Nyx"));
    send();
    ASSERT_TRUE(WaitPlaying());
    EXPECT_TRUE(Rows().contains("Nyx"));
}

TEST_F(PlayTest, ADroppedLinkLogsOnAgainByItselfAndARefusedPasswordIsNotTriedAgain) {
    ASSERT_NO_FATAL_FAILURE(Serve(5));
    int connections = 0;
    QObject::connect(server.get(), &orvdemo::DemoServer::logMessage,
                     [&](const QString& text) { connections += text.endsWith(" connected") ? 1 : 0; });
    Action("ReconnectItem")->trigger();
    LogOnTo(Port(), QStringLiteral("demo"), QStringLiteral("demo"));
    ASSERT_TRUE(WaitPlaying());

    server->dropAll();
    ASSERT_TRUE(WaitForLine("Reconnecting in 2 s (try 1 of 10)"));
    EXPECT_TRUE(Await([&] { return form->StatusBar->currentMessage().startsWith("Reconnecting in "); }));
    EXPECT_EQ(form->StatusBar->accessibleDescription(), form->StatusBar->currentMessage());
    WhenModal(QStringLiteral("AboutBox"), [&](QWidget* about) { // no try behind an open dialog
        EXPECT_FALSE(QTest::qWaitFor([&] { return connections > 1; }, 2500));
        about->close();
    });
    Action("About")->trigger();
    ASSERT_TRUE(WaitForLine("Reconnected (try 1 of 10)"));
    ASSERT_TRUE(WaitPlaying());
    EXPECT_TRUE(Await([&] { return Rows().size() == server->playersOnline(); })) << "the list is rebuilt";
    EXPECT_EQ(connections, 2);

    // The password changed meanwhile: the try is refused, the player gives up, and nothing follows.
    TCPIPForm->PasswordEdit->setText(QStringLiteral("wrong"));
    WhenModal(QStringLiteral("LogonErrorForm"),
              [](QWidget*) { QTest::mouseClick(LogonErrorForm->Button2, Qt::LeftButton); });
    server->dropAll();
    ASSERT_TRUE(Await(
        [&] { return Status() == "Not Connected" || Lines().contains("Connection to Orvanta Closed"); }));
    EXPECT_FALSE(Lines().join('\n').contains("try 2 of 10")) << "a try would be counting down by now";
    EXPECT_EQ(connections, 3);
    EXPECT_EQ(form->StatusBar->currentMessage(), "");
}

} // namespace
