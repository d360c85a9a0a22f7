#include "UiFixture.h"

#include <QListWidget>
#include <QStatusBar>
#include <QToolButton>

#include <string>
#include <vector>

namespace {

const QStringList ErrorLines = {
    "   ",
    "Your computer has reported an internet connection error.",
    "This may be because your comm settings are wrong,",
    "because of serious network delays, or because the",
    "Orvanta Server computer is temporarily unavailable.",
};
const QStringList ClosedLines = {" ", " --- No longer connected to talmaro' servers ---"};

} // namespace

TEST_F(UiTest, StartsIdleWithTheDesignedFrame) {
    EXPECT_EQ(form->windowTitle(), "Orv2Term - Version 1.04");
    EXPECT_EQ(Status(), "Not Connected");
    EXPECT_EQ(Total(), "All Players");
    for (const char* panel : {"StatusPanel1", "StatusPanel2", "StatusPanel3"})
        EXPECT_EQ(Find<QLabel>(panel)->text(), "");
    EXPECT_EQ(Find<QLabel>("StatusPanel0")->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);

    EXPECT_FALSE(form->DiagnosticsOn());
    EXPECT_EQ(form->focusWidget(), Input);
    EXPECT_TRUE(QFontInfo(Output->font()).fixedPitch());
    EXPECT_EQ(LastLines(3).first(), "              Orv2Term - Version 1.04");

    EXPECT_EQ(TCPIPForm->windowTitle(), "Log On to Orvanta");
    EXPECT_EQ(TCPIPForm->findChild<QLineEdit*>("PortEdit")->text(), "30003");
    EXPECT_EQ(TCPIPForm->findChild<QLineEdit*>("HostEdit")->maxLength(), 80);
    EXPECT_EQ(TCPIPForm->findChild<QLineEdit*>("PortEdit")->maxLength(), 8);

    Action("PlayerListItem")->trigger();
    EXPECT_FALSE(Find<QWidget>("PlayerPanel")->isVisible());
}

TEST_F(UiTest, CancellingTheDialogChangesNothing) {
    const QStringList before = Lines();
    LogOnWith(QStringLiteral("1"), false);
    EXPECT_EQ(Status(), "Not Connected");
    EXPECT_EQ(Total(), "All Players");
    EXPECT_TRUE(Action("LogontoOrv")->isEnabled());
    EXPECT_EQ(form->GetLinkState(), orv::LinkState::Normal);
    EXPECT_EQ(Lines(), before);
}

TEST_F(UiTest, ConnectsSilentlyAndReportsTheServerClosing) {
    ScriptServer server;
    auto* list = Find<QListWidget>("PlayerList");
    list->addItem(QStringLiteral("Stale"));
    form->AvatarName = "Zed";

    LogOnWith(server.Port());
    EXPECT_EQ(Status(), "Connecting");
    EXPECT_EQ(Total(), "Connecting");
    EXPECT_EQ(list->count(), 0);
    EXPECT_FALSE(Action("LogontoOrv")->isEnabled() || Action("NewAccountItem")->isEnabled() ||
                 Find<QToolButton>("LogOnBtn")->isEnabled() || Action("Logoff")->isEnabled());
    EXPECT_EQ(form->GetLinkState(), orv::LinkState::Logon);

    WaitConnected(server);
    EXPECT_EQ(Total(), "Connected");
    EXPECT_EQ(LastLines(1), QStringList{"Connected to talmaro"});
    EXPECT_TRUE(Action("Logoff")->isEnabled() && Find<QToolButton>("LogOffBtn")->isEnabled());
    EXPECT_EQ(form->windowTitle(), "Orv2Term - Version 1.04 - 127.0.0.1 - Zed");

    // The client speaks only when spoken to: its first bytes are the answer to the first command.
    server.Send("\xff\xfd\x18");
    EXPECT_TRUE(server.Received("\xff\xfc\x18"));

    // Text sent just before the close is shown before the closing lines.
    server.Send("last words\r\n");
    server.peer->disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Status() == "Disconnected"; }, 5000));
    EXPECT_EQ(LastLines(3), QStringList({"last words "}) + ClosedLines);
    EXPECT_EQ(Total(), "Disconnected");
    EXPECT_EQ(form->GetLinkState(), orv::LinkState::Normal);
    EXPECT_TRUE(Action("LogontoOrv")->isEnabled() && Action("NewAccountItem")->isEnabled() &&
                Find<QToolButton>("LogOnBtn")->isEnabled());
    EXPECT_FALSE(Action("Logoff")->isEnabled() || Find<QToolButton>("LogOffBtn")->isEnabled());
    EXPECT_EQ(form->windowTitle(), "Orv2Term - Version 1.04 - Zed");
    form->AvatarName.clear();
    form->UpdateCaption();
    EXPECT_EQ(form->windowTitle(), "Orv2Term - Version 1.04");
}

TEST_F(UiTest, LogOffLeavesThreeLinesAndLosesNoQueuedCommand) {
    ScriptServer server;
    Connect(server);
    QTest::keyClicks(Input, QStringLiteral("quit"));
    QTest::keyClick(Input, Qt::Key_Return);
    Action("Logoff")->trigger();

    EXPECT_EQ(LastLines(3), ClosedLines + QStringList{"Connection to Orvanta Closed"});
    EXPECT_EQ(Status(), "Disconnected");
    EXPECT_EQ(form->windowTitle(), "Orv2Term - Version 1.04");
    EXPECT_TRUE(server.Received("quit\n"));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return server.peer->state() == QAbstractSocket::UnconnectedState; }, 5000));
    // No late disconnect report follows.
    EXPECT_EQ(LastLines(1), QStringList{"Connection to Orvanta Closed"});

    // The same window connects again.
    ScriptServer again;
    Connect(again);
    EXPECT_EQ(LastLines(1), QStringList{"Connected to talmaro"});
}

TEST_F(UiTest, FailedAttemptsReportTheErrorAndAllowAnotherTry) {
    const auto expectIdleAfterError = [&] {
        EXPECT_EQ(LastLines(5), ErrorLines);
        EXPECT_EQ(Status(), "Disconnected");
        EXPECT_EQ(Total(), "Disconnected");
        EXPECT_EQ(form->GetLinkState(), orv::LinkState::Normal);
        EXPECT_TRUE(Action("LogontoOrv")->isEnabled() && Action("NewAccountItem")->isEnabled() &&
                    Find<QToolButton>("LogOnBtn")->isEnabled());
        EXPECT_FALSE(Action("Logoff")->isEnabled());
    };

    LogOnWith(QStringLiteral("abc"));
    expectIdleAfterError();

    quint16 closedPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        closedPort = probe.serverPort();
    }
    const qsizetype before = Lines().size();
    LogOnWith(QString::number(closedPort));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Status() == "Disconnected"; }, 5000));
    expectIdleAfterError();
    EXPECT_EQ(Lines().size(), before + 5) << "the failure is reported once";
}

TEST_F(UiTest, DiagnosticsShowTheTelnetTraceWhileTheRepliesGoOutEitherWay) {
    ScriptServer server;
    Connect(server);
    const QByteArray commands("\xff\xfb\x01\xff\xfd\x1f\xff\xfd\x18\xff\xfa\x18\x01\xff\xf0", 15);
    const QByteArray replies =
        QByteArray("\xff\xfe\x01\xff\xfb\x1f\xff\xfa\x1f\0\0\0\0\xff\xf0\xff\xfc\x18", 18) +
        QByteArray("\xff\xfa\x18\0KX-ORVTERM32\xff\xf0", 18);

    Find<QAction>("DiagItem")->trigger();
    server.Send(commands);
    ASSERT_TRUE(server.Received(replies));
    EXPECT_EQ(LastLines(8), QStringList({
                                "Telnet Command from Server: IAC WILL ECHO",
                                "Telnet Reply to Server: IAC DON'T ECHO",
                                "Telnet Command from Server: IAC DO NAWS",
                                "Telnet Reply to Server: IAC WILL NAWS",
                                "Telnet Info to Server: IAC SB NAWS 0 0 0 0 IAC SE",
                                "Telnet Command from Server: IAC DO TERMTYPE",
                                "Telnet Reply to Server: IAC WON'T TERMTYPE",
                                "Telnet Command from Server: IAC SB TERMINAL-TYPE SEND IAC SE",
                            }));

    Find<QAction>("DiagItem")->trigger();
    const qsizetype shown = Lines().size();
    server.Send(commands);
    ASSERT_TRUE(server.Received(replies + replies));
    EXPECT_EQ(Lines().size(), shown);
}

TEST_F(UiTest, ServerTextIsShownInTheGamesCodePage) {
    ScriptServer server;
    Connect(server);
    server.Send("\x93Hi\x94 \x80"
                "5 caf\xe9\r\nmid\rline\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Lines().last() == "mid line "; }, 5000));
    EXPECT_EQ(LastLines(2).first(), QString::fromUtf8("\u201cHi\u201d \u20ac5 caf\u00e9 "));
}
