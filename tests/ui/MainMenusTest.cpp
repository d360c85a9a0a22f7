#include "UiFixture.h"

namespace {

class MainMenusTest : public UiTest {};

// A command as the player finds it: object name, caption with its mnemonic (a tool button's is its
// tip), and its start state (" (off)" disabled, " [ ]" or " [x]" a switch); a separator's caption
// is "-".
template <class Command> std::string Entry(const Command* command) {
    QString caption = command->toolTip();
    if constexpr (std::is_same_v<Command, QAction>)
        caption = command->isSeparator() ? QStringLiteral("-") : command->text();
    std::string text = command->objectName().toStdString() + "=" + caption.toStdString();
    if (!command->isEnabled()) text += " (off)";
    if (command->isCheckable()) text += command->isChecked() ? " [x]" : " [ ]";
    return text;
}

// Each menu of the bar, then the player list's popup menu, then the tool bar from left to right.
const std::vector<std::string> Commands = {
    "File1=&File: OpenItem=&Open Log File, CloseItem=&Close Log File (off), SaveItem=&Save Screen Buffer, "
    "LogAllItem=&Log All Sessions [ ], N1=-, ExitItem=&Exit",
    "Edit1=&Edit: CopyItem=&Copy, PasteItem=&Paste, SelectItem=&Select All, N11=-, FindItem=&Find...",
    "Connect1=&Connect: LogontoOrv=&Log On To Orv..., NewAccountItem=New Account/Avatar, N10=-, "
    "Logoff=Log &Off (off)",
    "Options=&Options: FKeysItem=F-&Key Setup..., FriendsItem=&Friends && Foes..., "
    "KeypadTravel=Keypad &Travel [ ], N5=-, ColourItem=&Background Color..., FontsItem=F&onts..., N4=-, "
    "TextAlertItem=&Incoming Text Alert [ ], LargeBufItem=&Large Buffer [ ], "
    "PlayerListItem=&Player List [x], SpyNetItem=SpyNet &Notices [ ], "
    "SupressBlanksItem=&Supress Blank Lines [ ], N2=-, DiagItem=&Diagnostics [ ], N12=-, "
    "ReconnectItem=&Reconnect When Dropped [ ]",
    "View1=&View: StatusBarItem=&Status Bar [x], ToolBarItem=&Tool Bar [x], N7=-, "
    "ScrollBackItem=Scrollback &Window [ ]",
    "Help1=&Help: HelpItem=&Help, About=&About, N6=-, MailItem=Mail Orv Feedback, "
    "ReadtheNews1=&Read The Orv News, N9=-, SystemMapsItem=Solar System Maps, OrvInfoItem=Orv Information",
    "Popup=: BuyRoundItem=Buy Round, ExamineItem=Examine, HugItem=Hug, KissItem=Kiss, "
    "SpyNetPopUpItem=SpyNet Report, N3=-, TellItem=Tell",
    "ToolBar=: OpenBtn=Open Log File, CloseBtn=Close Log File (off), SaveBtn=Save Screen Buffer, "
    "LogOnBtn=Log On To Orvanta, LogOffBtn=Log Off (off), ScrollBackBtn=Scrollback Window, "
    "NewsBtn=Read the Orvanta News, HelpBtn=Help, FKeyBtn=F-Key Setup, FoeBtn=Friends & Foes, "
    "SpeedButton1= [ ], KeyPadBtn=Key-Pad Travel [ ]"};

// Collects the addresses the window asks the desktop to open.
class Desktop : public QObject {
    Q_OBJECT

  public:
    QStringList opened;

  public slots:
    void Open(const QUrl& url) { opened << url.toString(); }
};

TEST_F(MainMenusTest, EveryCommandStartsWithItsCaptionMnemonicAndState) {
    std::vector<std::string> shown;
    const auto list = [&shown](const QWidget* holder, const QString& title, const auto& commands) {
        std::string line = holder->objectName().toStdString() + "=" + title.toStdString() + ":";
        for (const auto* command : commands)
            line += (line.ends_with(':') ? " " : ", ") + Entry(command);
        shown.push_back(line);
    };
    for (const QAction* menu : form->menuBar()->actions())
        list(menu->menu(), menu->menu()->title(), menu->menu()->actions());
    list(Find<QMenu>("Popup"), QString(), Find<QMenu>("Popup")->actions());
    list(form->ToolBar, QString(), form->ToolBar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly));
    EXPECT_EQ(shown, Commands);
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

TEST_F(MainMenusTest, WebCommandsAskTheDesktopForThePublishersAddresses) {
    Desktop desktop;
    for (const char* scheme : {"https", "mailto"})
        QDesktopServices::setUrlHandler(scheme, &desktop, "Open");
    for (const char* item : {"HelpItem", "ReadtheNews1", "SystemMapsItem", "OrvInfoItem", "MailItem"})
        Action(item)->trigger();
    QTest::mouseClick(Find<QToolButton>("HelpBtn"), Qt::LeftButton);
    QTest::mouseClick(Find<QToolButton>("NewsBtn"), Qt::LeftButton);
    const QString help = "https://www.talmaro.com/orv2/orv2term/manual/index.html";
    const QString news = "https://www.talmaro.com/orvnews/current/index.html";
    EXPECT_EQ(desktop.opened, QStringList({help, news, "https://www.talmaro.com/orvanta/orvinfo/orvmaps.html",
                                           "https://www.talmaro.com/orvanta/orvinfo/index.html",
                                           "mailto:feedback@talmaro.com", help, news}));
    for (const char* scheme : {"https", "mailto"})
        QDesktopServices::unsetUrlHandler(scheme);
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

#include "MainMenusTest.moc"
