// The main window's player list commands and its side of the log-on, new-account and set-up
// dialogues.
#include "ui/Main.h"

#include "ui/Boxes.h"
#include "ui/Layout.h"

#include "session/Commands.h"
#include "ui/Codepage.h"
#include "ui/F_keys.h"
#include "ui/Foes.h"
#include "ui/Logerr.h"
#include "ui/New_account.h"
#include "ui/Tcp.h"

#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include <functional>
#include <utility>

using orv::PlayerAction;
using orv::ui::DecodeCp1252;
using orv::ui::EncodeCp1252;

namespace {

// Only the primary button selects in the player list, so the popup menu acts on the entry last
// clicked; a double-click anywhere in the list acts on that entry too. Owned by the list.
class PlayerListMouse : public QObject {
  public:
    PlayerListMouse(QListWidget* list, TMainForm* form) : QObject(list), form_(form) {
        list->viewport()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const auto type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
            type != QEvent::MouseButtonDblClick)
            return false;
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return true;
        if (type == QEvent::MouseButtonDblClick) form_->PlayerListDblClick();
        return false;
    }

  private:
    TMainForm* form_;
};

// Shift+F10 and the Menu key open the popup menu from the keyboard, whether as a key press or as
// the context-menu request the desktop makes of the Menu key. Owned by the list.
class PlayerListKeys : public QObject {
  public:
    PlayerListKeys(QListWidget* list, std::function<void()> open) : QObject(list), open_(std::move(open)) {
        list->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        bool asked = false;
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            asked = key->key() == Qt::Key_Menu ||
                    (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
        } else if (event->type() == QEvent::ContextMenu) {
            asked = static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard;
        }
        if (asked) open_();
        return asked;
    }

  private:
    std::function<void()> open_;
};

} // namespace

// ---- The popup menu and double-click --------------------------------------------------------

void TMainForm::BuildPopup() {
    Popup = new QMenu(PlayerList);
    Popup->setObjectName(QStringLiteral("Popup"));
    Popup->setAccessibleName(QStringLiteral("Player commands"));
    const auto item = [this](const char* name, const QString& caption, void (TMainForm::*handler)()) {
        QAction* action = Popup->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    BuyRoundItem = item("BuyRoundItem", QStringLiteral("Buy Round"), &TMainForm::BuyRoundItemClick);
    ExamineItem = item("ExamineItem", QStringLiteral("Examine"), &TMainForm::ExamineItemClick);
    HugItem = item("HugItem", QStringLiteral("Hug"), &TMainForm::HugItemClick);
    KissItem = item("KissItem", QStringLiteral("Kiss"), &TMainForm::KissItemClick);
    SpyNetPopUpItem =
        item("SpyNetPopUpItem", QStringLiteral("SpyNet Report"), &TMainForm::SpyNetPopUpItemClick);
    Popup->addSeparator()->setObjectName(QStringLiteral("N3"));
    TellItem = item("TellItem", QStringLiteral("Tell"), &TMainForm::TellItemClick);
    connect(Popup, &QMenu::aboutToShow, this, &TMainForm::PopupPopup);
    new PlayerListMouse(PlayerList, this);
    connect(PlayerList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { Popup->popup(PlayerList->viewport()->mapToGlobal(at)); });
    // From the keyboard the menu opens at the selected row, its first command current as the arrow
    // keys would make it, so that a screen reader names the menu and the command at once.
    new PlayerListKeys(PlayerList, [this] {
        if (Popup->isVisible()) return;
        const QList<QListWidgetItem*> selected = PlayerList->selectedItems();
        QPoint at;
        if (!selected.isEmpty()) {
            PlayerList->scrollToItem(selected.front());
            at = PlayerList->visualItemRect(selected.front()).bottomLeft();
        }
        Popup->popup(PlayerList->viewport()->mapToGlobal(at));
        for (QAction* action : Popup->actions())
            if (!action->isSeparator() && action->isEnabled()) {
                Popup->setActiveAction(action);
                break;
            }
    });
}

std::optional<std::string> TMainForm::SelectedPlayer() const {
    const QList<QListWidgetItem*> selected = PlayerList->selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    return EncodeCp1252(selected.front()->text());
}

void TMainForm::PopupPopup() {
    BuyRoundItem->setEnabled(true);
    const bool selected = SelectedPlayer().has_value();
    for (QAction* action : {ExamineItem, HugItem, KissItem, SpyNetPopUpItem, TellItem})
        action->setEnabled(selected);
}

void TMainForm::SendPlayerCommand(PlayerAction action) {
    const std::optional<std::string> name = SelectedPlayer();
    if (action != PlayerAction::BuyRound && !name) return;
    SendText(orv::PlayerCommand(action, name.value_or(std::string())));
    Input->setFocus();
}

void TMainForm::BuyRoundItemClick() {
    SendPlayerCommand(PlayerAction::BuyRound);
}
void TMainForm::ExamineItemClick() {
    SendPlayerCommand(PlayerAction::Examine);
}
void TMainForm::HugItemClick() {
    SendPlayerCommand(PlayerAction::Hug);
}
void TMainForm::KissItemClick() {
    SendPlayerCommand(PlayerAction::Kiss);
}
void TMainForm::SpyNetPopUpItemClick() {
    SendPlayerCommand(PlayerAction::SpyNetReport);
}

void TMainForm::TellItemClick() {
    const std::optional<std::string> name = SelectedPlayer();
    if (!name) return;
    SetInputText(orv::TellText(*name));
    Input->setFocus();
}

void TMainForm::PlayerListDblClick() {
    const std::optional<std::string> name = SelectedPlayer();
    if (!name) return;
    SetInputText(orv::AppendWord(EncodeCp1252(Input->toPlainText()), *name, std::string::npos));
    Input->setFocus();
}

// ---- The dialogues' side in the window ------------------------------------------------------

std::string TMainForm::LogonAccount() const {
    return dialogs_.Connection != nullptr ? EncodeCp1252(dialogs_.Connection->AccountEdit->text())
                                          : std::string();
}

std::string TMainForm::LogonPassword() const {
    return dialogs_.Connection != nullptr ? EncodeCp1252(dialogs_.Connection->PasswordEdit->text())
                                          : std::string();
}

bool TMainForm::AskCorrectedLogon() {
    link_->StopReconnect();
    if (dialogs_.LogonError == nullptr || dialogs_.Connection == nullptr) return false;
    const int result = dialogs_.LogonError->exec();
    activateWindow();
    if (result != orv::ui::DialogResult::OK) return false;
    dialogs_.Connection->AccountEdit->setText(dialogs_.LogonError->AccountEdit->text());
    dialogs_.Connection->PasswordEdit->setText(dialogs_.LogonError->PasswordEdit->text());
    dialogs_.Connection->SaveAccount();
    return true;
}

void TMainForm::BeginSetup(std::string_view waitText) {
    PlayerListItem->setEnabled(false);
    SetInputText(waitText);
    Input->setReadOnly(true);
}

void TMainForm::FinishSetup() {
    SetLinkState(orv::LinkState::Normal);
    Input->clear();
    Input->setReadOnly(false);
    PlayerListItem->setEnabled(true);
}

orv::NewAccountDetails TMainForm::NewAccountForm() const {
    return dialogs_.NewAccount != nullptr ? dialogs_.NewAccount->Details() : orv::NewAccountDetails{};
}

void TMainForm::ShowError(std::string_view text) {
    orv::ui::ShowErrorBox(this, QStringLiteral("Error"), DecodeCp1252(text));
    activateWindow();
}

void TMainForm::UntickNewAccount() {
    if (dialogs_.NewAccount != nullptr) dialogs_.NewAccount->NewAcCheck->setChecked(false);
}

bool TMainForm::PlayerListTicked() const {
    return PlayerListItem->isChecked();
}

bool TMainForm::SpyNetNoticesTicked() const {
    return SpyNetItem->isChecked();
}

std::string TMainForm::AlertPath() const {
    return orv::ui::FileName(StartDir + QStringLiteral("/alert.wav"));
}

void TMainForm::PlayAlert() {
    sound_->PlayAsync(AlertPath());
}

// ---- The dialogs ------------------------------------------------------------------------------

FKeyLinks TMainForm::KeyLinks() {
    return {[this](const std::string& name) { return Store->GetFKeyText(name); },
            [this](const std::string& name, const std::string& text) {
                return orv::ui::WriteOrReport(this, [&] { Store->SetFKeyText(name, text); });
            },
            [this](std::size_t index, const std::string& text) { SetKeyText(index, text); }};
}

FriendsLinks TMainForm::FriendsFormLinks() {
    return {[this] { return Store->GetRanksAlert(); },
            [this](std::int32_t mask) { orv::ui::WriteOrReport(this, [&] { Store->SetRanksAlert(mask); }); },
            [this] { Players->RebuildList(); }, [this](std::string_view line) { ShowLine(line); }};
}
