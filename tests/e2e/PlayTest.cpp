#include "UiFixture.h"

#include "DemoClient.h"
#include "DemoServer.h"
#include "ui/Logerr.h"
#include "ui/New_account.h"

namespace {

// The real main window against the demo server, both in this process.
class PlayTest : public UiTest {
  protected:
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
    // Waits until a line shown from index `from` on satisfies the test; returns its index or -1.
    qsizetype WaitForLine(qsizetype from, const std::function<bool(const QString&)>& test) const {
        qsizetype found = -1;
        (void)Await([&] {
            const QStringList shown = Lines();
            for (qsizetype i = from; i < shown.size() && found < 0; ++i)
                if (test(shown[i])) found = i;
            return found >= 0;
        });
        return found;
    }
    qsizetype WaitForLine(qsizetype from, const QString& line) const {
        return WaitForLine(from, [&](const QString& shown) { return shown == line; });
    }
    // The n lines shown from the first that equals first on.
    QStringList LinesFrom(const QString& first, qsizetype n) const {
        const QStringList shown = Lines();
        return shown.indexOf(first) < 0 ? QStringList() : shown.mid(shown.indexOf(first), n);
    }

    FakeSound sound;
    std::unique_ptr<orvdemo::DemoServer> server;
};

TEST_F(PlayTest, APlayerLogsOnByHimselfPlaysAndLogsOff) {
    server = demotest::startServer(5);
    LogOnTo(Port(), QStringLiteral("demo"), QStringLiteral("demo"));
    ASSERT_TRUE(WaitPlaying());

    // Only the dialogue's own messages and the welcome are shown of the log-on and the set-up.
    EXPECT_EQ(LinesFrom("Logging demo into Orvanta...", 3),
              QStringList({"Logging demo into Orvanta...", "Sending password...",
                           " Welcome to Orvanta DataSpace. "}));
    for (const QString& line : Lines())
        EXPECT_FALSE(line.contains("ogin:") || line.contains("word:") || line.contains("SpyNet Notice") ||
                     line.contains(">qw") || line.contains("players in Orvanta"))
            << line.toStdString();

    // Everybody on line is listed, sorted as the list box sorts, and counted.
    const int online = server->playersOnline();
    EXPECT_EQ(online, 6);
    const QStringList rows = Rows();
    EXPECT_EQ(rows.size(), online);
    EXPECT_TRUE(rows.contains("Zed"));
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    }));
    EXPECT_EQ(Count(), QStringLiteral("%1 players on-line").arg(online));
    EXPECT_EQ(Total(), "All Players");
    EXPECT_EQ(Input->toPlainText(), "");

    // A typed command goes out with Enter; the game's echo and answer come back into the pane.
    const qsizetype before = Lines().size();
    Enter(QStringLiteral("  look"));
    const qsizetype echo = WaitForLine(before, ">look ");
    ASSERT_GE(echo, 0);
    EXPECT_GE(WaitForLine(echo + 1, [](const QString& line) { return line.startsWith("Exits:"); }), 0);

    Action("Logoff")->trigger();
    EXPECT_EQ(Status(), "Disconnected");
    EXPECT_TRUE(Until([&] { return server->clientCount() == 0; }));
    EXPECT_EQ(Rows(), rows) << "the last list stays on show";
}

TEST_F(PlayTest, AFriendsComingAndGoingIsAlertedAndTheListFollowsEveryone) {
    server = demotest::startServer(4);
    form->SetSoundPlayer(&sound);
    form->Foes.SetNames({"Nova"});
    form->Foes.SetRanksAlertMask(orv::FriendsAndFoes::AudibleBit);
    ASSERT_FALSE(Action("SpyNetItem")->isChecked());
    LogOnTo(Port(), QStringLiteral("demo"), QStringLiteral("demo"));
    ASSERT_TRUE(WaitPlaying());
    const qsizetype listed = Rows().size();

    // The friend logs on from another connection: alerted, shown with notices off, listed.
    demotest::Client nova(server->port());
    nova.logOn("kx1234", "secret");
    const QString entered = "SPYNET REPORT: Adventureuse Nova has entered Orvanta DataSpace. ";
    ASSERT_GE(WaitForLine(0, entered), 0);
    EXPECT_TRUE(Rows().contains("Nova"));
    EXPECT_EQ(Count(), QStringLiteral("%1 players on-line").arg(listed + 1));
    const std::string alert = QFile::encodeName(form->StartDir).toStdString() + "/alert.wav";
    EXPECT_EQ(sound.played, std::vector<std::string>{alert});

    const qsizetype shownBefore = Lines().size();
    // The friend leaves: alerted and shown again, and the row goes.
    nova.send("quit\n");
    ASSERT_GE(WaitForLine(shownBefore, "SPYNET REPORT: Adventureuse Nova has left Orvanta DataSpace. "), 0);
    EXPECT_FALSE(Rows().contains("Nova"));
    EXPECT_EQ(sound.played, std::vector<std::string>(2, alert));
    EXPECT_EQ(Rows().size(), server->playersOnline());
}

TEST_F(PlayTest, ANewAccountsCharacterEntersTheGameAndATakenNameSendsThePlayerBack) {
    server = demotest::startServer(3);
    TNewAccountForm* account = NewAccountForm;
    account->HostEdit->setText(QStringLiteral("127.0.0.1"));
    account->PortEdit->setText(Port());
    account->IDEdit->setText(QStringLiteral("pilot7"));
    account->PwEdit->setText(QStringLiteral("Secret12"));
    account->PwConfEdit->setText(QStringLiteral("Secret12"));
    account->EMailEdit->setText(QStringLiteral("pilot@example.org"));
    account->NameEdit->setText(QStringLiteral("Quill"));
    account->RaceEdit->setText(QStringLiteral("Sand Walker"));
    account->GenderButtons->button(1)->click();
    // Every stat point spent, so sending asks nothing: 30, 40, 40 and 30.
    for (auto [spin, steps] : {std::pair{account->StrSpin, 10}, std::pair{account->UpDown1, 20},
                               std::pair{account->DexSpin, 20}, std::pair{account->UpDown2, 10}})
        for (int i = 0; i < steps; ++i)
            QTest::mouseClick(spin->UpButton, Qt::LeftButton);
    ASSERT_EQ(account->UnusedEdit->text(), "0");
    ASSERT_TRUE(account->NewAcCheck->isChecked());
    const auto sendForm = [&] {
        WhenModal(QStringLiteral("NewAccountForm"),
                  [account](QWidget*) { QTest::mouseClick(account->SendBtn, Qt::LeftButton); });
        Action("NewAccountItem")->trigger();
    };

    sendForm();
    ASSERT_TRUE(WaitPlaying());
    EXPECT_EQ(LinesFrom("Setting up new account", 5),
              QStringList({"Setting up new account", "New account set up.", "New character being set up.",
                           " ", " "}));
    EXPECT_TRUE(Rows().contains("Quill"));
    EXPECT_EQ(Rows().size(), server->playersOnline());
    Action("Logoff")->trigger();
    ASSERT_TRUE(Until([&] { return server->clientCount() == 0; }));

    // Another new account whose character name is taken: the account is made, the character refused.
    account->IDEdit->setText(QStringLiteral("pilot8"));
    account->NameEdit->setText(QStringLiteral("Nova"));
    sendForm();
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
    EXPECT_FALSE(Lines().join('|').contains("I'm sorry")) << "the refusal itself is not shown";
    EXPECT_FALSE(account->NewAcCheck->isChecked());
    EXPECT_EQ(form->GetLinkState(), orv::LinkState::Normal);
}

TEST_F(PlayTest, ADroppedLinkLogsOnAgainByItselfAndARefusedPasswordIsNotTriedAgain) {
    server = demotest::startServer(5);
    int connections = 0;
    QObject::connect(server.get(), &orvdemo::DemoServer::logMessage,
                     [&](const QString& text) { connections += text.endsWith(" connected") ? 1 : 0; });
    Action("ReconnectItem")->trigger();
    LogOnTo(Port(), QStringLiteral("demo"), QStringLiteral("demo"));
    ASSERT_TRUE(WaitPlaying());

    server->dropAll();
    const qsizetype dropped = WaitForLine(0, "Reconnecting in 2 s (try 1 of 10)");
    ASSERT_GE(dropped, 0);
    EXPECT_TRUE(Await([&] { return form->StatusBar->currentMessage().startsWith("Reconnecting in "); }));
    ASSERT_GE(WaitForLine(dropped, "Reconnected (try 1 of 10)"), 0);
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
    QTest::qWait(5000); // past the second try's wait
    EXPECT_EQ(connections, 3);
    EXPECT_EQ(form->StatusBar->currentMessage(), "");
}

} // namespace
