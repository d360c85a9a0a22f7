// The main window's menus and tool bar, each built from one table, and the commands that only open
// a dialog, a web page or flip an option.
#include "ui/Main.h"

#include "ui/Boxes.h"
#include "ui/FindBar.h"
#include "ui/Layout.h"

#include "ui/About.h"
#include "ui/Accessible.h"
#include "ui/F_keys.h"
#include "ui/Foes.h"
#include "ui/Icons.h"
#include "ui/OutputPane.h"

#include <QAction>
#include <QDesktopServices>
#include <QFocusEvent>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTextCursor>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <initializer_list>

namespace {

const QString WebSite = QStringLiteral("https://www.talmaro.com");
const QString FeedbackAddress = QStringLiteral("mailto:feedback@talmaro.com");

enum ItemFlag { Plain = 0, Checkable = 1, Checked = 2 | Checkable, Disabled = 4 };

// One menu item, or a separator when it has no member.
struct MenuItem {
    const char* Name;
    const char* Caption;
    QAction* TMainForm::*Member;
    void (TMainForm::*Handler)();
    int Flags;
};

struct MenuColumn {
    const char* Name;
    const char* Caption;
    QMenu* TMainForm::*Member;
    std::initializer_list<MenuItem> Items;
};

MenuItem Separator(const char* name) {
    return {name, nullptr, nullptr, nullptr, Plain};
}

// Left edges as designed; the gaps between the groups are part of the design. A button that
// mirrors a checked menu item triggers the item, so the item's check mark stays the one truth.
struct ToolButton {
    const char* Name;
    int Left;
    const char* Hint;
    QIcon (*Icon)();
    QToolButton* TMainForm::*Member;
    void (TMainForm::*Handler)();
    QAction* TMainForm::*Mirrors;
    bool Checkable = false;
    int Width = 25;
};

} // namespace

void TMainForm::BuildMenus() {
    orv::ui::InstallAccessibleInterfaces(); // the toggles say whether they are on
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    using T = TMainForm;
    const MenuColumn menus[] = {
        {"File1",
         "&File",
         &T::File1,
         {{"OpenItem", "&Open Log File", &T::OpenItem, &T::OpenItemClick, Plain},
          {"CloseItem", "&Close Log File", &T::CloseItem, &T::CloseItemClick, Disabled},
          {"SaveItem", "&Save Screen Buffer", &T::SaveItem, &T::SaveItemClick, Plain},
          {"LogAllItem", "&Log All Sessions", &T::LogAllItem, &T::LogAllItemClick, Checkable},
          Separator("N1"),
          {"ExitItem", "&Exit", &T::ExitItem, &T::ExitItemClick, Plain}}},
        {"Edit1",
         "&Edit",
         &T::Edit1,
         {{"CopyItem", "&Copy", &T::CopyItem, &T::CopyItemClick, Plain},
          {"PasteItem", "&Paste", &T::PasteItem, &T::PasteItemClick, Plain},
          {"SelectItem", "&Select All", &T::SelectItem, &T::SelectItemClick, Plain},
          Separator("N11"),
          {"FindItem", "&Find...", &T::FindItem, &T::FindItemClick, Plain}}},
        {"Connect1",
         "&Connect",
         &T::Connect1,
         {{"LogontoOrv", "&Log On To Orv...", &T::LogontoOrv, &T::LogontoOrvClick, Plain},
          {"NewAccountItem", "New Account/Avatar", &T::NewAccountItem, &T::NewAccountItemClick, Plain},
          Separator("N10"),
          {"Logoff", "Log &Off", &T::Logoff, &T::LogoffClick, Disabled}}},
        {"Options",
         "&Options",
         &T::Options,
         {{"FKeysItem", "F-&Key Setup...", &T::FKeysItem, &T::FKeysItemClick, Plain},
          {"FriendsItem", "&Friends && Foes...", &T::FriendsItem, &T::FriendsItemClick, Plain},
          {"KeypadTravel", "Keypad &Travel", &T::KeypadTravel, &T::KeypadTravelClick, Checkable},
          Separator("N5"),
          {"ColourItem", "&Background Color...", &T::ColourItem, &T::ColourItemClick, Plain},
          {"FontsItem", "F&onts...", &T::FontsItem, &T::FontsItemClick, Plain},
          Separator("N4"),
          {"TextAlertItem", "&Incoming Text Alert", &T::TextAlertItem, &T::TextAlertItemClick, Checkable},
          {"LargeBufItem", "&Large Buffer", &T::LargeBufItem, &T::LargeBufItemClick, Checkable},
          {"PlayerListItem", "&Player List", &T::PlayerListItem, &T::PlayerListItemClick, Checked},
          {"SpyNetItem", "SpyNet &Notices", &T::SpyNetItem, &T::SpyNetItemClick, Checkable},
          {"SupressBlanksItem", "&Supress Blank Lines", &T::SupressBlanksItem, &T::SupressBlanksItemClick,
           Checkable},
          Separator("N2"),
          {"DiagItem", "&Diagnostics", &T::DiagItem, &T::DiagItemClick, Checkable},
          Separator("N12"),
          {"ReconnectItem", "&Reconnect When Dropped", &T::ReconnectItem, &T::ReconnectItemClick,
           Checkable}}},
        {"View1",
         "&View",
         &T::View1,
         {{"StatusBarItem", "&Status Bar", &T::StatusBarItem, &T::StatusBarItemClick, Checked},
          {"ToolBarItem", "&Tool Bar", &T::ToolBarItem, &T::ToolBarItemClick, Checked},
          Separator("N7"),
          {"ScrollBackItem", "Scrollback &Window", &T::ScrollBackItem, &T::ScrollBackItemClick, Checkable}}},
        {"Help1",
         "&Help",
         &T::Help1,
         {{"HelpItem", "&Help", &T::HelpItem, &T::HelpItemClick, Plain},
          {"About", "&About", &T::About, &T::AboutClick, Plain},
          Separator("N6"),
          {"MailItem", "Mail Orv Feedback", &T::MailItem, &T::MailItemClick, Plain},
          {"ReadtheNews1", "&Read The Orv News", &T::ReadtheNews1, &T::ReadtheNewsClick, Plain},
          Separator("N9"),
          {"SystemMapsItem", "Solar System Maps", &T::SystemMapsItem, &T::SystemMapsItemClick, Plain},
          {"OrvInfoItem", "Orv Information", &T::OrvInfoItem, &T::OrvInfoItemClick, Plain}}},
    };
    for (const MenuColumn& column : menus) {
        const QString caption = QString::fromLatin1(column.Caption);
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(QLatin1String(column.Name));
        menu->setAccessibleName(orv::ui::SpokenCaption(caption));
        this->*column.Member = menu;
        for (const MenuItem& item : column.Items) {
            if (item.Member == nullptr) {
                menu->addSeparator()->setObjectName(QLatin1String(item.Name));
                continue;
            }
            // Made checkable before the menu holds it: how an item reads aloud is settled when it is
            // first asked.
            auto* action = new QAction(QString::fromLatin1(item.Caption), menu);
            action->setObjectName(QLatin1String(item.Name));
            action->setCheckable((item.Flags & Checkable) != 0);
            action->setChecked((item.Flags & Checked) == Checked);
            action->setEnabled((item.Flags & Disabled) == 0);
            menu->addAction(action);
            connect(action, &QAction::triggered, this, item.Handler);
            this->*item.Member = action;
        }
    }
}

void TMainForm::BuildToolBar() {
    namespace icons = orv::ui::icons;
    using T = TMainForm;
    const ToolButton buttons[] = {
        {"OpenBtn", 8, "Open Log File", icons::OpenLog, &T::OpenBtn, &T::OpenItemClick, nullptr},
        {"CloseBtn", 36, "Close Log File", icons::CloseLog, &T::CloseBtn, &T::CloseItemClick, nullptr},
        {"SaveBtn", 64, "Save Screen Buffer", icons::SaveBuffer, &T::SaveBtn, &T::SaveItemClick, nullptr},
        {"LogOnBtn", 104, "Log On To Orvanta", icons::LogOn, &T::LogOnBtn, &T::LogontoOrvClick, nullptr},
        {"LogOffBtn", 132, "Log Off", icons::LogOff, &T::LogOffBtn, &T::LogoffClick, nullptr, false, 24},
        {"ScrollBackBtn", 168, "Scrollback Window", icons::ScrollBack, &T::ScrollBackBtn, nullptr,
         &T::ScrollBackItem},
        {"NewsBtn", 196, "Read the Orvanta News", icons::News, &T::NewsBtn, &T::ReadtheNewsClick, nullptr},
        {"HelpBtn", 224, "Help", icons::Help, &T::HelpBtn, &T::HelpItemClick, nullptr},
        {"FKeyBtn", 260, "F-Key Setup", icons::FKeys, &T::FKeyBtn, &T::FKeysItemClick, nullptr},
        {"FoeBtn", 288, "Friends & Foes", icons::Foes, &T::FoeBtn, &T::FriendsItemClick, nullptr},
        {"SpeedButton1", 316, "", icons::TextAlert, &T::SpeedButton1, nullptr, &T::TextAlertItem, true},
        {"KeyPadBtn", 344, "Key-Pad Travel", icons::KeyPad, &T::KeyPadBtn, nullptr, &T::KeypadTravel, true},
    };
    for (const ToolButton& button : buttons) {
        auto* made = new QToolButton(ToolBar);
        made->setObjectName(QLatin1String(button.Name));
        made->setToolTip(QString::fromLatin1(button.Hint));
        made->setAccessibleName(QString::fromLatin1(button.Hint));
        made->setIcon(button.Icon());
        made->setAutoRaise(true);
        made->setFocusPolicy(Qt::NoFocus); // the keyboard stays with the panes
        made->setGeometry(orv::ui::Scaled(this, button.Left), orv::ui::Scaled(this, 6),
                          orv::ui::Scaled(this, button.Width), orv::ui::Scaled(this, 25));
        made->setIconSize(QSize(orv::ui::Scaled(this, button.Width), orv::ui::Scaled(this, 25)) -
                          QSize(2, 2)); // inside the raised edge
        made->setCheckable(button.Checkable);
        if (button.Mirrors != nullptr) {
            connect(made, &QToolButton::clicked, this->*button.Mirrors, &QAction::trigger);
        } else {
            connect(made, &QToolButton::clicked, this, button.Handler);
        }
        this->*button.Member = made;
    }
    CloseBtn->setEnabled(false);
    LogOffBtn->setEnabled(false);
    // The text alert button has no hint of its own; a screen reader still needs its name.
    SpeedButton1->setAccessibleName(QStringLiteral("Incoming Text Alert"));
    ToolBar->setMinimumWidth(orv::ui::Scaled(this, 344 + 25 + 8));
}

// ---- Edit -------------------------------------------------------------------------------------

// The Edit commands follow the active control. A focus change caused by a menu opening or by
// another window becoming active leaves the active control as it was, so it changes nothing.
void TMainForm::FollowFocus(QObject* watched, QEvent* event) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return;
    const bool in = event->type() == QEvent::FocusIn;
    CopyItem->setEnabled(in);
    SelectItem->setEnabled(in);
    PasteItem->setEnabled(in && watched == Input);
}

void TMainForm::CopyItemClick() {
    if (focusWidget() == Output) {
        SyncOutput();
        Output->copy();
    } else {
        Input->copy();
    }
}

void TMainForm::PasteItemClick() {
    Input->paste();
}

void TMainForm::SelectItemClick() {
    if (focusWidget() == Output) {
        SyncOutput();
        Output->selectAll();
    } else {
        Input->selectAll();
    }
}

void TMainForm::ExitItemClick() {
    close(); // no question, connected or not
}

// ---- Dialogs and web pages --------------------------------------------------------------------

void TMainForm::FKeysItemClick() {
    if (dialogs_.FKeys == nullptr) return;
    dialogs_.FKeys->exec();
    activateWindow();
}

void TMainForm::FriendsItemClick() {
    // Not modal: the player keeps playing while the list is open.
    if (dialogs_.Friends == nullptr) return;
    dialogs_.Friends->show();
    dialogs_.Friends->raise();
    dialogs_.Friends->activateWindow();
}

void TMainForm::AboutClick() {
    if (dialogs_.About == nullptr) return;
    dialogs_.About->exec();
    activateWindow();
}

void TMainForm::OpenPage(const char* path) {
    // Whatever the desktop makes of it, nothing is checked or reported.
    QDesktopServices::openUrl(QUrl(WebSite + QLatin1String(path)));
}

void TMainForm::HelpItemClick() {
    OpenPage("/orv2/orv2term/manual/index.html");
}

void TMainForm::ReadtheNewsClick() {
    OpenPage("/orvnews/current/index.html");
}

void TMainForm::SystemMapsItemClick() {
    OpenPage("/orvanta/orvinfo/orvmaps.html");
}

void TMainForm::OrvInfoItemClick() {
    OpenPage("/orvanta/orvinfo/index.html");
}

void TMainForm::MailItemClick() {
    QDesktopServices::openUrl(QUrl(FeedbackAddress));
}

// ---- Option and view toggles ------------------------------------------------------------------

void TMainForm::LargeBufItemClick() {
    const auto limit = static_cast<std::int32_t>(
        LargeBufItem->isChecked() ? orv::OutputBuffer::LargeLineLimit : orv::OutputBuffer::DefaultLineLimit);
    SetLineLimit(limit);
    orv::ui::WriteOrReport(this, [&] { Store->SetBufferSize(limit); });
}

void TMainForm::SupressBlanksItemClick() {
    Buffer.SetSupressBlanks(SupressBlanksItem->isChecked());
    orv::ui::WriteOrReport(this, [this] { Store->SetBlankStatus(SupressBlanksItem->isChecked()); });
}

void TMainForm::TextAlertItemClick() {
    SpeedButton1->setChecked(TextAlertItem->isChecked());
    Buffer.SetSound(sound_, AlertPath());
    Buffer.SetTextAlert(TextAlertItem->isChecked());
}

void TMainForm::ScrollBackItemClick() {
    if (!ScrollBackItem->isChecked()) {
        ScrollBackMemo->hide();
        ScrollBackMemo->clear();
        return;
    }
    SyncOutput();
    ScrollBackMemo->setPlainText(outputPane_->AllText());
    ScrollBackMemo->moveCursor(QTextCursor::End); // a caret read upward from the newest line
    ScrollBackMemo->show();
    // Its stored height, as far as the output pane under it keeps a few lines.
    const int total = Splitter3->height() - Splitter3->handleWidth();
    const int memo = std::clamp(orv::ui::Scaled(this, scrollBackHeight_), 1,
                                std::max(total - orv::ui::Scaled(this, 40), 1));
    Splitter3->setSizes({memo, std::max(total - memo, 1)});
    QScrollBar* bar = ScrollBackMemo->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void TMainForm::KeypadTravelClick() {
    KeyPadBtn->setChecked(KeypadTravel->isChecked());
}

void TMainForm::FindItemClick() {
    findBar_->Open();
}

void TMainForm::ReconnectItemClick() {
    const bool on = ReconnectItem->isChecked();
    link_->SetReconnect(on);
    orv::ui::WriteOrReport(this, [&] { Store->SetReconnect(on); });
}

void TMainForm::DiagItemClick() {
    diagnosticsOn_ = DiagItem->isChecked();
}

void TMainForm::PlayerListItemClick() {
    const bool shown = PlayerListItem->isChecked();
    // Stored before the panel changes.
    orv::ui::WriteOrReport(this, [&] { Store->SetPlayerList(shown); });
    Players->PlayerListToggled(shown);
}

void TMainForm::SpyNetItemClick() {
    // Written at exit with the rest of the store's batch.
    Store->SpynetReport = SpyNetItem->isChecked();
}

void TMainForm::StatusBarItemClick() {
    const bool shown = StatusBarItem->isChecked();
    StatusBar->setVisible(shown);
    orv::ui::WriteOrReport(this, [&] { Store->SetStatusBar(shown); });
}

void TMainForm::ToolBarItemClick() {
    const bool shown = ToolBarItem->isChecked();
    ToolBar->setVisible(shown);
    orv::ui::WriteOrReport(this, [&] { Store->SetToolBar(shown); });
}
