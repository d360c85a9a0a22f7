#include "AccessibleEvents.h"
#include "UiFixture.h"

#include "ui/Logerr.h"

#include <random>

namespace {

class MainPlayersTest : public UiTest {
  protected:
    // Logs on as demo and answers the server into the set-up; given the who-list's names, to its end.
    void PlayWith(const QStringList& names = {}) {
        ASSERT_NO_FATAL_FAILURE(Connect(server, QStringLiteral("demo"), QStringLiteral("demo")));
        server.Send("login: Password: Welcome to Orvanta DataSpace.\r\n");
        ASSERT_TRUE(server.Received("demo\ndemo\nspynet notice\n"));
        if (names.isEmpty()) return;
        QByteArray who = "OK - SpyNet Notice is now ON.\r\n>qw\r\n";
        for (qsizetype i = 0; i < names.size(); i += 8)
            who += names.mid(i, 8).join(' ').toLatin1() + "\r\n";
        server.Send(who + QByteArray::number(names.size()) + " players in Orvanta\r\n");
        ASSERT_TRUE(server.Received("demo\ndemo\nspynet notice\nqw\n"));
        ASSERT_TRUE(Until([&] { return form->GetLinkState() == orv::LinkState::Normal; }));
        server.received.clear();
    }
    // Answers the next log-on error box with these details and OK, or Enter in the password box;
    // without an account, the player gives up with Cancel.
    static void AnswerLogonError(const QString& account, const QString& password = {},
                                 bool pressEnter = false) {
        WhenModal(QStringLiteral("LogonErrorForm"), [=](QWidget*) {
            if (account.isEmpty()) return QTest::mouseClick(LogonErrorForm->Button2, Qt::LeftButton);
            LogonErrorForm->AccountEdit->setText(account);
            LogonErrorForm->PasswordEdit->setText(password);
            pressEnter ? QTest::keyClick(LogonErrorForm->PasswordEdit, Qt::Key_Return)
                       : QTest::mouseClick(LogonErrorForm->Button1, Qt::LeftButton);
        });
    }

    ScriptServer server; // the game server each test plays against
};

TEST_F(MainPlayersTest, ARefusalIsCorrectedFromTheErrorBoxUntilThePlayerGivesUp) {
    ASSERT_NO_FATAL_FAILURE(Connect(server, QStringLiteral("wrong"), QStringLiteral("bad")));
    server.Send("login: Password: ");
    ASSERT_TRUE(server.Received("wrong\nbad\n"));

    // The corrected account answers the prompt that came with the refusal, and is saved.
    AnswerLogonError(QStringLiteral("demo"), QStringLiteral("demo"));
    server.Send("Login incorrect\r\nlogin: ");
    ASSERT_TRUE(server.Received("wrong\nbad\ndemo\n"));
    EXPECT_EQ(Stored("Ac0").Text, "Zed~demo~demo\n");

    // A second refusal in the same run is handled like the first; Enter answers OK.
    AnswerLogonError(QStringLiteral("kx1234"), QStringLiteral("secret"), true);
    server.Send("Password: Login incorrect\r\nlogin: Password: ");
    const QByteArray answered = "wrong\nbad\ndemo\ndemo\nkx1234\nsecret\n";
    ASSERT_TRUE(server.Received(answered));
    EXPECT_EQ(Stored("Ac0").Text, "Zed~kx1234~secret\n");

    // Cancel closes the link; the prompt that came with the refusal goes unanswered.
    AnswerLogonError({});
    server.Send("Login incorrect\r\nlogin: \r\n");
    ASSERT_TRUE(Until([&] { return server.peer->state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(server.received, answered);
    EXPECT_EQ(LastLines(3), ClosedLines);
}

TEST_F(MainPlayersTest, TheSetUpHoldsTheInputPaneAndALinkLostMeanwhileHandsItBack) {
    ASSERT_NO_FATAL_FAILURE(PlayWith());
    EXPECT_TRUE(Input->isReadOnly());
    EXPECT_EQ(Input->toPlainText(), " ----- Please wait while OrvTerm builds its player list -----");
    EXPECT_FALSE(Action("PlayerListItem")->isEnabled());
    server.peer->disconnectFromHost();
    ASSERT_TRUE(Until([&] { return Status() == "Disconnected"; }));
    EXPECT_FALSE(Input->isReadOnly());
    EXPECT_EQ(Input->toPlainText(), "");
    EXPECT_TRUE(Action("PlayerListItem")->isEnabled());
}

TEST_F(MainPlayersTest, TheListShowsFriendsAndFoesAbove1024PlayersAndEveryoneAgainBelow1000) {
    form->Foes.SetNames({"P0500"});
    QStringList names;
    for (int i = 1; i <= 1025; ++i)
        names << QStringLiteral("P%1").arg(i, 4, 10, QLatin1Char('0'));
    ASSERT_NO_FATAL_FAILURE(PlayWith(names));
    EXPECT_EQ(Total(), "Friends & Foes");
    EXPECT_EQ(Rows(), QStringList{"P0500"});

    // Below 1000 everybody again (the roster's own tests cover the counts in between).
    QByteArray reports;
    for (qsizetype i = 999; i < names.size(); ++i)
        reports += "SPYNET REPORT: Captain " + names[i].toLatin1() + " has left Orvanta DataSpace.\r\n";
    server.Send(reports);
    ASSERT_TRUE(Until([&] { return Count() == "999 players on-line"; }));
    EXPECT_EQ(Total(), "All Players");
    EXPECT_EQ(Rows(), names.mid(0, 999));
}

TEST_F(MainPlayersTest, TheRowsAreTheRosterAfterALongRandomRunOfArrivalsAndDepartures) {
    // Names that share prefixes and letters past ASCII, so the list's order and its search are tried.
    QStringList pool;
    for (const char* stem : {"Elix", "Belix", "Torix", "Tor", "Zo\xEB", "Ax", "Ann-Marie", "Commander001"})
        for (const char* tail : {"", "a", "\xE9", "99", "Zz"})
            pool << QString::fromLatin1(stem) + QString::fromLatin1(tail);
    AccessibleEvents events; // each row added or removed tells a screen reader, whose copy follows
    ASSERT_NO_FATAL_FAILURE(PlayWith(pool.mid(0, 20)));
    std::mt19937 random(12);
    for (int batch = 0; batch < 40; ++batch) {
        QByteArray reports;
        for (int i = 0; i < 50; ++i) {
            const QString& name = pool[std::uniform_int_distribution<qsizetype>(0, pool.size() - 1)(random)];
            reports += "SPYNET REPORT: Captain " + name.toLatin1() +
                       (random() % 2 ? " has entered" : " has left") + " Orvanta DataSpace.\r\n";
        }
        server.Send(reports + "end\r\n");
        ASSERT_TRUE(Until([&] { return LastLines(1) == QStringList{"end "}; }));
        // Rows unique, each on line, as many as on line: the rows are the roster.
        const QStringList rows = Rows();
        ASSERT_EQ(QSet<QString>(rows.begin(), rows.end()).size(), rows.size())
            << rows.join(' ').toStdString();
        ASSERT_EQ(rows.size(), form->Roster().PlayerCount());
        for (const QString& row : rows)
            ASSERT_TRUE(form->Roster().IsOnline(row.toLatin1().toStdString())) << row.toStdString();
        QStringList copy; // a row has no object of its own: its interface names it
        for (const auto& added : events.Of(nullptr, QAccessible::ObjectCreated))
            copy << added.Name;
        for (const auto& removed : events.Of(nullptr, QAccessible::ObjectDestroyed))
            copy.removeOne(removed.Name);
        QStringList sorted = rows;
        sorted.sort(), copy.sort();
        ASSERT_EQ(copy, sorted);
    }
}

TEST_F(MainPlayersTest, PopupMenuAndDoubleClickActOnTheSelectedPlayer) {
    ASSERT_NO_FATAL_FAILURE(PlayWith({"zeta", "Alpha", "beta", "Gamma", "delta"}));
    auto* list = Find<QListWidget>("PlayerList");
    QWidget* viewport = list->viewport();

    // The menu acts on the entry last left-clicked, not on the row right-clicked, which selects
    // nothing; with nothing selected only Buy Round is offered. Each command gives Input the focus.
    const std::pair<const char*, const char*> commands[] = {{"BuyRoundItem", "buy round\n"},
                                                            {"ExamineItem", "ex Gamma\n"},
                                                            {"HugItem", "Hug Gamma \n"},
                                                            {"KissItem", "Kiss Gamma \n"},
                                                            {"SpyNetPopUpItem", "Spynet Report Gamma \n"}};
    QByteArray sent;
    for (const auto& [item, command] : commands) {
        QMenu* popup = OpenPlayerPopup(RowCentre("Alpha"));
        EXPECT_TRUE(Action("BuyRoundItem")->isEnabled());
        for (const char* other : {"ExamineItem", "HugItem", "KissItem", "SpyNetPopUpItem", "TellItem"})
            EXPECT_EQ(Action(other)->isEnabled(), !sent.isEmpty()) << other;
        list->setFocus();
        ChooseFromPopup(popup, Action(item));
        sent += command;
        EXPECT_TRUE(server.Received(sent)) << item;
        EXPECT_EQ(form->focusWidget(), Input) << item;
        QTest::mouseClick(viewport, Qt::LeftButton, {}, RowCentre("Gamma"));
    }

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
    EXPECT_EQ(server.received, sent) << "Tell and the double-click send nothing";
}

// Shift+F10, the Menu key and the desktop's context-menu request for it open the popup menu at the
// selected row with its first command current, and a screen reader hears a menu open on it.
TEST_F(MainPlayersTest, TheKeyboardOpensThePopupMenuAtTheSelectedRow) {
    ASSERT_NO_FATAL_FAILURE(PlayWith({"Alpha", "beta", "Gamma"}));
    auto* list = Find<QListWidget>("PlayerList");
    auto* popup = Find<QMenu>("Popup");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCentre("Gamma"));
    list->setFocus();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, {}, list->mapToGlobal(QPoint()));
    for (const auto& ask :
         {std::function<void()>([&] { QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier); }),
          std::function<void()>([&] { QTest::keyClick(list, Qt::Key_Menu); }),
          std::function<void()>([&] { QApplication::sendEvent(list, &request); })}) {
        AccessibleEvents events;
        ask();
        ASSERT_TRUE(Until([popup] { return popup->isVisible(); }));
        EXPECT_EQ(popup->pos(),
                  list->viewport()->mapToGlobal(list->visualItemRect(list->currentItem()).bottomLeft()));
        EXPECT_EQ(popup->activeAction(), Action("BuyRoundItem"));
        EXPECT_EQ(events.Of(popup, QAccessible::PopupMenuStart).size(), 1u);
        EXPECT_FALSE(events.Of(popup, QAccessible::Focus).empty());
        popup->close();
    }
}

} // namespace
