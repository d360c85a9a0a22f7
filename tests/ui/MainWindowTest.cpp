#include "UiFixture.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFocusEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QUrl>

#include <utility>
#include <vector>

namespace {

using Items = std::vector<std::pair<const char*, const char*>>; // object name, caption ("-" a separator)

// Every menu as the player sees it, top to bottom.
const std::vector<std::pair<std::pair<const char*, const char*>, Items>> Menus = {
    {{"File1", "&File"},
     {{"OpenItem", "&Open Log File"},
      {"CloseItem", "&Close Log File"},
      {"SaveItem", "&Save Screen Buffer"},
      {"LogAllItem", "&Log All Sessions"},
      {"N1", "-"},
      {"ExitItem", "&Exit"}}},
    {{"Edit1", "&Edit"}, {{"CopyItem", "&Copy"}, {"PasteItem", "&Paste"}, {"SelectItem", "&Select All"}}},
    {{"Connect1", "&Connect"},
     {{"LogontoOrv", "&Log On To Orv..."},
      {"NewAccountItem", "New Account/Avatar"},
      {"N10", "-"},
      {"Logoff", "Log &Off"}}},
    {{"Options", "&Options"},
     {{"FKeysItem", "F-&Key Setup..."},
      {"FriendsItem", "&Friends && Foes..."},
      {"KeypadTravel", "Keypad &Travel"},
      {"N5", "-"},
      {"ColourItem", "&Background Color..."},
      {"FontsItem", "F&onts..."},
      {"N4", "-"},
      {"TextAlertItem", "&Incoming Text Alert"},
      {"LargeBufItem", "&Large Buffer"},
      {"PlayerListItem", "&Player List"},
      {"SpyNetItem", "SpyNet &Notices"},
      {"SupressBlanksItem", "&Supress Blank Lines"},
      {"N2", "-"},
      {"DiagItem", "&Diagnostics"}}},
    {{"View1", "&View"},
     {{"StatusBarItem", "&Status Bar"},
      {"ToolBarItem", "&Tool Bar"},
      {"N7", "-"},
      {"ScrollBackItem", "Scrollback &Window"}}},
    {{"Help1", "&Help"},
     {{"HelpItem", "&Help"},
      {"About", "&About"},
      {"N6", "-"},
      {"MailItem", "Mail Orv Feedback"},
      {"ReadtheNews1", "&Read The Orv News"},
      {"N9", "-"},
      {"SystemMapsItem", "Solar System Maps"},
      {"OrvInfoItem", "Orv Information"}}},
};

struct Button {
    const char* name;
    const char* hint;
};
const Button Buttons[] = {
    {"OpenBtn", "Open Log File"},
    {"CloseBtn", "Close Log File"},
    {"SaveBtn", "Save Screen Buffer"},
    {"LogOnBtn", "Log On To Orvanta"},
    {"LogOffBtn", "Log Off"},
    {"ScrollBackBtn", "Scrollback Window"},
    {"NewsBtn", "Read the Orvanta News"},
    {"HelpBtn", "Help"},
    {"FKeyBtn", "F-Key Setup"},
    {"FoeBtn", "Friends & Foes"},
    {"SpeedButton1", ""},
    {"KeyPadBtn", "Key-Pad Travel"},
};

// Collects the addresses the window asks the desktop to open.
class Desktop : public QObject {
    Q_OBJECT

  public:
    Desktop() {
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "Open");
    }
    ~Desktop() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    }
    QStringList opened;

  public slots:
    void Open(const QUrl& url) { opened << url.toString(); }
};

} // namespace

TEST_F(UiTest, MenusCarryEveryCaptionInOrderWithTheirStartStates) {
    const QList<QAction*> bar = form->menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(Menus.size()));
    for (std::size_t m = 0; m < Menus.size(); ++m) {
        const auto& [menuName, items] = Menus[m];
        QMenu* menu = bar[static_cast<qsizetype>(m)]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName(), menuName.first);
        EXPECT_EQ(menu->title(), menuName.second);
        const QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(items.size())) << menuName.first;
        for (std::size_t i = 0; i < items.size(); ++i) {
            QAction* action = actions[static_cast<qsizetype>(i)];
            EXPECT_EQ(action->objectName(), items[i].first);
            if (QString(items[i].second) == "-")
                EXPECT_TRUE(action->isSeparator()) << items[i].first;
            else
                EXPECT_EQ(action->text(), items[i].second) << items[i].first;
        }
    }

    // Disabled at start: only Close Log File and Log Off.
    for (const auto& [menu, items] : Menus)
        for (const auto& [name, caption] : items)
            EXPECT_EQ(Action(name)->isEnabled(), QString(name) != "CloseItem" && QString(name) != "Logoff")
                << name;
    // Checked at start: Player List, Status Bar and Tool Bar; the other switches are off.
    for (const char* on : {"PlayerListItem", "StatusBarItem", "ToolBarItem"})
        EXPECT_TRUE(Action(on)->isCheckable() && Action(on)->isChecked()) << on;
    for (const char* off : {"LogAllItem", "KeypadTravel", "TextAlertItem", "LargeBufItem", "SpyNetItem",
                            "SupressBlanksItem", "DiagItem", "ScrollBackItem"})
        EXPECT_TRUE(Action(off)->isCheckable() && !Action(off)->isChecked()) << off;

    EXPECT_EQ(Find<QLabel>("StatusPanel1")->text(), "");
    EXPECT_TRUE(Find<QWidget>("StatusBar")->isVisible());
    EXPECT_TRUE(Find<QWidget>("ToolBar")->isVisible());
    EXPECT_EQ(form->OutputModel().LineLimit(), 200u);
}

TEST_F(UiTest, ToolbarHoldsTwelveButtonsAsDesigned) {
    auto* bar = Find<QWidget>("ToolBar");
    EXPECT_EQ(bar->height(), form->Scaled(36));
    int previousRight = 0;
    for (const Button& b : Buttons) {
        auto* button = Find<QToolButton>(b.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->parentWidget(), bar);
        EXPECT_EQ(button->toolTip(), b.hint) << b.name;
        EXPECT_FALSE(button->accessibleName().isEmpty()) << b.name;
        EXPECT_GT(button->geometry().left(), previousRight) << b.name << " overlaps its neighbour";
        previousRight = button->geometry().right();
        EXPECT_EQ(button->isEnabled(), QString(b.name) != "CloseBtn" && QString(b.name) != "LogOffBtn")
            << b.name;
    }
    EXPECT_EQ(Find<QToolButton>("SpeedButton1")->accessibleName(), "Incoming Text Alert");
}

TEST_F(UiTest, EditCommandsFollowTheActiveControl) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    auto* list = Find<QListWidget>("PlayerList");
    const auto enabled = [&] {
        return std::vector<bool>{Action("CopyItem")->isEnabled(), Action("PasteItem")->isEnabled(),
                                 Action("SelectItem")->isEnabled()};
    };
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true})) << "Input is the active control at start";

    Output->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, true}));
    list->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(enabled(), (std::vector<bool>{false, false, false}));
    Input->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true}));
    // A menu opening, or another window taking the keyboard, leaves the active control as it was.
    for (const Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
        QFocusEvent away(QEvent::FocusOut, reason);
        QApplication::sendEvent(Input, &away);
        EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true}));
    }

    // Output active: Select All and Copy take the whole pane, Input is left alone.
    form->ShowLine("alpha beta");
    QTest::keyClicks(Input, QStringLiteral("typed"));
    Output->setFocus(Qt::MouseFocusReason);
    Action("SelectItem")->trigger();
    Action("CopyItem")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), Lines().join('\n'));
    EXPECT_TRUE(Input->textCursor().selectedText().isEmpty());

    // Input active: the commands act on it, Paste included.
    Input->setFocus(Qt::MouseFocusReason);
    Action("SelectItem")->trigger();
    EXPECT_EQ(Input->textCursor().selectedText(), "typed");
    Action("CopyItem")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "typed");
    Input->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QStringLiteral(" more"));
    Action("PasteItem")->trigger();
    EXPECT_EQ(Input->toPlainText(), "typed more");
}

TEST_F(UiTest, WebCommandsAskTheDesktopForThePublishersAddresses) {
    Desktop desktop;
    for (const char* item : {"HelpItem", "ReadtheNews1", "SystemMapsItem", "OrvInfoItem", "MailItem"})
        Action(item)->trigger();
    QTest::mouseClick(Find<QToolButton>("HelpBtn"), Qt::LeftButton);
    QTest::mouseClick(Find<QToolButton>("NewsBtn"), Qt::LeftButton);
    EXPECT_EQ(desktop.opened, QStringList({
                                  "https://www.talmaro.com/orv2/orv2term/manual/index.html",
                                  "https://www.talmaro.com/orvnews/current/index.html",
                                  "https://www.talmaro.com/orvanta/orvinfo/orvmaps.html",
                                  "https://www.talmaro.com/orvanta/orvinfo/index.html",
                                  "mailto:feedback@talmaro.com",
                                  "https://www.talmaro.com/orv2/orv2term/manual/index.html",
                                  "https://www.talmaro.com/orvnews/current/index.html",
                              }));
}

#include "MainWindowTest.moc"
