#pragma once

#include "gametext/Foes.h"
#include "gametext/Players.h"
#include "gametext/Recognisers.h"
#include "session/CommandHistory.h"
#include "session/Commands.h"
#include "session/Connection.h"
#include "session/Host.h"
#include "session/LinkState.h"
#include "session/Output.h"
#include "session/Textproc.h"
#include "store/Log.h"
#include "store/Reg.h"

#include <QFont>
#include <QMainWindow>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

struct FKeyLinks;
struct FriendsLinks;
class TAboutBox;
class TFKeyForm;
class TFriendsForm;
class TLogonErrorForm;
class TNewAccountForm;
class TTCPIPForm;
class QAction;
class QKeyEvent;
class QTimer;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QStatusBar;
class QTcpSocket;
class QToolButton;

namespace orv::ui {
class FindBar;
class OutputPane;
class PlayerListPanel;
class SocketAdapter;
class SoundPlayer;
} // namespace orv::ui

// The client's main window. It holds the widgets and wires them to the core: the connection (which
// owns the LinkState and every rule of how a link starts and ends), the text processor, the output
// model, the player roster, the friends-and-foes list, the settings store and the session log. Its
// handlers translate a Qt event into a call on the core; the core reaches back through SessionHost
// (lines to show, bytes to send, the option checks), DialogueHost (the dialogs the log-on and
// new-account dialogues read and show), GameLineHost (what the recognisers change) and LinkView (what
// the connection shows of itself).
class TMainForm : public QMainWindow,
                  public orv::SessionHost,
                  public orv::DialogueHost,
                  public orv::GameLineHost,
                  public orv::LinkView {
    Q_OBJECT

  public:
    explicit TMainForm(QWidget* parent = nullptr);
    // Logs and saved buffers take their stamps from clock, which must outlive the window.
    explicit TMainForm(const orv::Clock& clock, QWidget* parent = nullptr);
    // Deletes the text processor, writes the settings' exit batch, then closes an open log.
    ~TMainForm() override;

    // orv::SessionHost and the recognisers' send and show.
    void SendText(std::string_view bytes) override;
    void SendTelnet(std::string_view bytes) override;
    bool DiagnosticsOn() const override { return diagnosticsOn_; }
    void ShowLine(std::string_view line) override;
    orv::LinkState GetLinkState() const override { return link_->State(); }
    void SetLinkState(orv::LinkState state) override { link_->SetState(state); }
    bool SupressBlanks() const override;

    // orv::DialogueHost
    std::string LogonAccount() const override;
    std::string LogonPassword() const override;
    bool AskCorrectedLogon() override;
    void AbandonLogon() override { link_->AbandonLogon(); }
    void BeginSetup(std::string_view waitText) override;
    orv::NewAccountDetails NewAccountForm() const override;
    void ShowError(std::string_view text) override;
    void UntickNewAccount() override;

    // orv::GameLineHost
    bool SettingUp() const override { return GetLinkState() == orv::LinkState::Setup; }
    void WhoListStarted() override { SetLinkState(orv::LinkState::WhoList); }
    bool PlayerListTicked() const override;
    bool SpyNetNoticesTicked() const override;
    void SetTotalCaption(std::string_view caption) override;
    void FinishSetup() override;
    void PlayAlert() override;

    // orv::LinkView
    void ShowCondition(std::string_view condition) override;
    void ShowCountdown(std::string_view countdown) override;
    void EnableConnectCommands(bool enabled) override;
    void EnableLogoff(bool enabled) override;
    void ClearPlayerList() override;

    // The player list's popup menu and double-click: commands on the selected player.
    void PopupPopup();
    void BuyRoundItemClick();
    void ExamineItemClick();
    void HugItemClick();
    void KissItemClick();
    void SpyNetPopUpItemClick();
    void TellItemClick();
    void PlayerListDblClick();

    // What the dialogs created at start-up need of the window, and the dialogs it opens.
    FKeyLinks KeyLinks();
    FriendsLinks FriendsFormLinks();
    struct Dialogs {
        TTCPIPForm* Connection = nullptr;
        TNewAccountForm* NewAccount = nullptr;
        TLogonErrorForm* LogonError = nullptr;
        TFKeyForm* FKeys = nullptr;
        TFriendsForm* Friends = nullptr;
        TAboutBox* About = nullptr;
    };
    void SetDialogs(const Dialogs& dialogs) { dialogs_ = dialogs; }

    orv::FriendsAndFoes Foes;
    orv::PlayerRoster& Roster() const { return *Players; }

    // Reads every stored setting into the window, in the order the start-up needs.
    void ApplySettings();

    // File menu.
    void OpenItemClick();
    void CloseItemClick();
    void SaveItemClick();
    void LogAllItemClick();
    void ExitItemClick();

    // Edit menu: Copy and Select All act on Output when it is the active control, else on Input.
    void CopyItemClick();
    void PasteItemClick();
    void SelectItemClick();

    // Connection commands.
    void LogontoOrvClick();
    void LogoffClick() override;
    void UpdateCaption() override;
    void NewAccountItemClick();

    // Options menu commands that open a dialog.
    void FKeysItemClick();
    void FriendsItemClick();
    void ColourItemClick();
    void FontsItemClick();

    // Option and view toggles. Each runs after its check mark has changed.
    void LargeBufItemClick();
    void SupressBlanksItemClick();
    void TextAlertItemClick();
    void ScrollBackItemClick();
    void FindItemClick();
    void ReconnectItemClick();
    void KeypadTravelClick();
    void DiagItemClick();
    void PlayerListItemClick();
    void SpyNetItemClick();
    void StatusBarItemClick();
    void ToolBarItemClick();

    // A splitter dropped by the user: the pane it sizes is stored at once.
    void Splitter1Moved();
    void Splitter2Moved();
    void Splitter3Moved();

    // Help menu: the publisher's pages and feedback address, opened by the desktop.
    void HelpItemClick();
    void AboutClick();
    void MailItemClick();
    void ReadtheNewsClick();
    void SystemMapsItemClick();
    void OrvInfoItemClick();

    // A key released in Input, as the game's keyboard layer numbers it.
    void InputKeyUp(int virtualKey, Qt::KeyboardModifiers modifiers);

    // Makes Output show exactly the output model's lines now rather than at the next frame.
    // Everything that reads the pane calls it first.
    void SyncOutput();

    // The texts of F1 to F12; an empty text means the key has none.
    void SetKeyText(std::size_t index, std::string text) { KeyTexts.at(index) = std::move(text); }

    const orv::OutputBuffer& OutputModel() const { return Buffer; }
    // The other windows reach the store through the main window.
    orv::SettingsStore& Settings() const { return *Store; }

    // The font the panes follow (TotalPanel keeps its own).
    const QFont& WindowFont() const { return windowFont_; }

    // The character name shown in the title; the connection dialog sets it.
    std::string AvatarName;
    // Working directory at start-up: base of alert.wav, ff.dat and the logs folder.
    QString StartDir;

    // Test seam: the alert sound.
    void SetSoundPlayer(orv::SoundPlayer* player) { sound_ = player; }

    QWidget* ToolBar;
    QWidget* MainPanel;
    QWidget* TextPanel;
    QSplitter* Splitter2;
    QSplitter* Splitter1;
    QWidget* TopPanel;
    QWidget* OutputPanel;
    QSplitter* Splitter3;
    QPlainTextEdit* ScrollBackMemo;
    QPlainTextEdit* Output;
    QWidget* PlayerPanel;
    QLabel* TotalPanel;
    QListWidget* PlayerList;
    QWidget* InputPanel;
    QPlainTextEdit* Input;
    QStatusBar* StatusBar;
    std::array<QLabel*, 4> StatusPanels;

    QMenu* File1;
    QMenu* Edit1;
    QMenu* Connect1;
    QMenu* Options;
    QMenu* View1;
    QMenu* Help1;
    QAction* OpenItem;
    QAction* CloseItem;
    QAction* SaveItem;
    QAction* LogAllItem;
    QAction* ExitItem;
    QAction* CopyItem;
    QAction* PasteItem;
    QAction* SelectItem;
    QAction* LogontoOrv;
    QAction* NewAccountItem;
    QAction* Logoff;
    QAction* FKeysItem;
    QAction* FriendsItem;
    QAction* KeypadTravel;
    QAction* ColourItem;
    QAction* FontsItem;
    QAction* TextAlertItem;
    QAction* LargeBufItem;
    QAction* PlayerListItem;
    QAction* SpyNetItem;
    QAction* SupressBlanksItem;
    QAction* DiagItem;
    QAction* StatusBarItem;
    QAction* ToolBarItem;
    QAction* ScrollBackItem;
    QAction* FindItem;
    QAction* ReconnectItem;
    QAction* HelpItem;
    QAction* About;
    QAction* MailItem;
    QAction* ReadtheNews1;
    QAction* SystemMapsItem;
    QAction* OrvInfoItem;

    QToolButton* OpenBtn;
    QToolButton* CloseBtn;
    QToolButton* SaveBtn;
    QToolButton* LogOnBtn;
    QToolButton* LogOffBtn;
    QToolButton* ScrollBackBtn;
    QToolButton* NewsBtn;
    QToolButton* HelpBtn;
    QToolButton* FKeyBtn;
    QToolButton* FoeBtn;
    QToolButton* SpeedButton1;
    QToolButton* KeyPadBtn;

    QMenu* Popup;
    QAction* BuyRoundItem;
    QAction* ExamineItem;
    QAction* HugItem;
    QAction* KissItem;
    QAction* SpyNetPopUpItem;
    QAction* TellItem;

    QTcpSocket* CliSocket;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    class Placement;
    class LogView;

    void BuildMenus();
    void BuildToolBar();
    void BuildPanes();
    void BuildStatusBar();
    void BuildPopup();
    void ApplyWindowFont(const QFont& font);
    void PaintPanes(std::uint32_t colour, bool withScrollBack);
    void SetPlayerPanelWidth(int designed);
    void SetInputPanelHeight(int designed);
    void SetLineLimit(std::int32_t lines);
    void FollowFocus(QObject* watched, QEvent* event);
    void OpenPage(const char* path);

    // The selected player's name, or nothing when no entry is selected.
    std::optional<std::string> SelectedPlayer() const;
    void SendPlayerCommand(orv::PlayerAction action);
    void SetInputText(std::string_view bytes);
    // A press of Ctrl+Up or Ctrl+Down calls back a command sent; true when it was one.
    bool RecallCommand(const QKeyEvent& key);
    std::string AlertPath() const;

    Dialogs dialogs_;
    std::array<std::string, 12> KeyTexts;
    orv::OutputBuffer Buffer;
    std::unique_ptr<orv::ui::SocketAdapter> socket_;
    std::unique_ptr<orv::Connection> link_;
    QTimer* reconnectTimer_;
    orv::ui::FindBar* findBar_;
    orv::CommandHistory history_;
    std::unique_ptr<Placement> placement_;
    std::unique_ptr<LogView> logView_;
    orv::ui::OutputPane* outputPane_;
    orv::ui::PlayerListPanel* playerList_;
    std::unique_ptr<orv::PlayerRoster> Players;
    std::unique_ptr<orv::LineRecognisers> Recognisers;
    std::unique_ptr<orv::TextProcessor> Proc;
    std::unique_ptr<orv::SettingsStore> Store;
    std::unique_ptr<orv::SessionLog> Logger;
    QFont windowFont_;
    int scrollBackHeight_ = 190; // as designed; the pane takes it each time it opens
    bool diagnosticsOn_ = false;

    orv::ui::SoundPlayer* defaultSound_;
    orv::SoundPlayer* sound_;

    std::set<int> pressedInInput_; // keys whose press Input received, awaiting their release
};
