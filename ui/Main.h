#pragma once

#include "session/Connection.h"
#include "gametext/Foes.h"
#include "session/Host.h"
#include "session/LinkState.h"
#include "store/Log.h"
#include "gametext/Players.h"
#include "gametext/Recognisers.h"
#include "session/Output.h"
#include "store/Reg.h"
#include "session/Textproc.h"

#include <QFont>
#include <QMainWindow>
#include <QString>
#include <QTimer>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

struct FKeyLinks;
struct FriendsLinks;
class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QStatusBar;
class QTcpSocket;
class QToolButton;

namespace orv::ui {
class SoundPlayer;
}

// The client's main window: owner of the connection, the text processor, the output model, the
// player roster, the friends-and-foes list, the settings store and the session log. Its handlers
// translate a Qt event into a call on the core; the core reaches back through SessionHost (lines
// to show, bytes to send, the LinkState and the option checks), DialogueHost (the dialogs the
// log-on and new-account dialogues read and show), GameLineHost (what the recognisers change),
// PlayerListView (the sorted list box), LogHost (the log's messages and its Open/Close state) and
// WindowPlacement (the stored placement, applied while the store is created).
class TMainForm : public QMainWindow,
                  public orv::SessionHost,
                  public orv::DialogueHost,
                  public orv::GameLineHost,
                  public orv::PlayerListView,
                  public orv::LogHost,
                  private orv::WindowPlacement {
    Q_OBJECT

  public:
    explicit TMainForm(QWidget* parent = nullptr);
    // Logs and saved buffers take their stamps from clock, which must outlive the window.
    explicit TMainForm(const orv::Clock& clock, QWidget* parent = nullptr);
    // Deletes the text processor, writes the settings' exit batch, then closes an open log.
    ~TMainForm() override;

    // orv::SessionHost
    void SendText(std::string_view bytes) override;
    bool DiagnosticsOn() const override { return diagnosticsOn_; }
    void ShowLine(std::string_view line) override;
    orv::LinkState GetLinkState() const override { return linkState_; }
    void SetLinkState(orv::LinkState state) override { linkState_ = state; }
    bool SupressBlanks() const override;

    // orv::LogHost
    void LoggingChanged(bool open) override;

    // orv::DialogueHost
    std::string LogonAccount() const override;
    std::string LogonPassword() const override;
    bool AskCorrectedLogon() override;
    void AbandonLogon() override;
    void BeginSetup(std::string_view waitText) override;
    orv::NewAccountDetails NewAccountForm() const override;
    void ShowError(std::string_view text) override;
    void UntickNewAccount() override;

    // orv::GameLineHost
    bool PlayerListTicked() const override;
    bool SpyNetNoticesTicked() const override;
    bool SettingUp() const override { return linkState_ == orv::LinkState::Setup; }
    void WhoListStarted() override { linkState_ = orv::LinkState::WhoList; }
    void SetTotalCaption(std::string_view caption) override;
    void FinishSetup() override;
    void PlayAlert() override;

    // orv::PlayerListView
    void AddRow(std::string_view name) override;
    int FindRow(std::string_view name) const override;
    void DeleteRow(int row) override;
    void ClearRows() override;
    void BeginUpdate() override;
    void EndUpdate() override;
    void SetCountText(std::string_view text) override;
    void ShowPlayerPanel(bool shown) override;

    // The player list's popup menu and double-click: commands on the selected player.
    void PopupPopup();
    void BuyRoundItemClick();
    void ExamineItemClick();
    void HugItemClick();
    void KissItemClick();
    void SpyNetPopUpItemClick();
    void TellItemClick();
    void PlayerListDblClick();

    // What the dialogs created at start-up need of the window.
    FKeyLinks KeyLinks();
    FriendsLinks FriendsFormLinks();

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

    // Connection commands and notifications.
    void LogontoOrvClick();
    void LogoffClick() override;
    void CliSocketConnect();
    void CliSocketDisconnect();
    void CliSocketRead();
    void ConnectionError();
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
    const std::array<std::string, 12>& GetKeyTexts() const { return KeyTexts; }

    const orv::OutputBuffer& OutputModel() const { return Buffer; }
    // The other windows reach the store and the log through the main window.
    orv::SettingsStore& Settings() const { return *Store; }
    orv::SessionLog& Log() const { return *Logger; }

    // The font the panes follow (TotalPanel keeps its own).
    const QFont& WindowFont() const { return windowFont_; }
    // A size of the layout as designed at 120 pixels per inch, in this screen's pixels, and back.
    int Scaled(int designed) const;
    int Unscaled(int pixels) const;

    // The character name shown in the title; the connection dialog sets it.
    std::string AvatarName;
    // Working directory at start-up: base of alert.wav, ff.dat and the logs folder.
    QString StartDir;

    // Test seams: the alert sound, and a view of every chunk as it goes to ProcessChunk.
    void SetSoundPlayer(orv::SoundPlayer* player) { sound_ = player; }
    std::function<void(std::string_view chunk)> OnChunkRead;

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

  private:
    // orv::WindowPlacement
    void SetTop(std::int32_t top) override;
    void SetLeft(std::int32_t left) override;
    void SetWidth(std::int32_t width) override;
    void SetHeight(std::int32_t height) override;
    void SetWindowState(std::int32_t state) override;

    void BuildMenus();
    void BuildToolBar();
    void BuildPanes();
    void BuildStatusBar();
    void ApplyWindowFont(const QFont& font);
    void PaintPanes(std::uint32_t colour, bool withScrollBack);
    void SetPlayerPanelWidth(int designed);
    void SetInputPanelHeight(int designed);
    void SetLineLimit(std::int32_t lines);
    void FollowFocus(QObject* watched, QEvent* event);
    // Runs one settings write; a failure is shown in an error box naming the value and the
    // command goes on.
    template <class Write> void StoreSetting(Write&& write);
    void ReportWriteError(const orv::SettingsWriteError& error);
    void OpenPage(const char* path);

    void BuildPopup();
    // The selected player's name, or nothing when no entry is selected.
    std::optional<std::string> SelectedPlayer() const;
    void SendPlayerCommand(orv::PlayerAction action);
    // The connect commands' common steps, once their dialog was confirmed.
    void StartConnection(const QString& host, const std::string& port, orv::LinkState state);

    void SetCondition(const QString& text); // TotalPanel and status panel 0 together
    void EnableConnectCommands(bool connectEnabled);
    void CliSocketError();
    void DrainSocket(bool timeSliced);
    void SetInputText(std::string_view bytes);
    QString PaneText(std::uint64_t first, std::uint64_t end) const;

    std::array<std::string, 12> KeyTexts;
    orv::OutputBuffer Buffer;
    std::unique_ptr<orv::PlayerRoster> Players;
    std::unique_ptr<orv::LineRecognisers> Recognisers;
    std::unique_ptr<orv::TextProcessor> Proc;
    std::unique_ptr<orv::SettingsStore> Store;
    std::unique_ptr<orv::SessionLog> Logger;
    struct LogSink final : orv::LineSink {
        orv::SessionLog* log = nullptr;
        void WriteLine(std::string_view line) override { log->WriteLine(line); }
    } logSink_;
    QFont windowFont_;
    int scrollBackHeight_ = 190; // as designed; the pane takes it each time it opens
    orv::LinkState linkState_ = orv::LinkState::Normal;
    bool diagnosticsOn_ = false;

    orv::ui::SoundPlayer* defaultSound_;
    orv::SoundPlayer* sound_;

    // The socket's side of the connection.
    bool attempting_ = false; // a connect command is waiting for its connect notification
    bool connected_ = false;  // the connect notification came and no disconnect since
    bool reading_ = false;    // the read handler's reentrancy flag
    std::vector<char> readBuf_;
    QTimer readMore_; // continues a long read after the window had its turn

    // Output shows the model's lines [shownFirst_, shownEnd_); the frame timer catches it up.
    QTimer frame_;
    std::uint64_t shownFirst_ = 0;
    std::uint64_t shownEnd_ = 0;

    std::set<int> pressedInInput_; // keys whose press Input received, awaiting their release
    int listTopRow_ = 0;           // the player list's scroll position kept across one change
};

// The dialogs live from start-up to exit: created hidden after the main window, destroyed before it.
void CreateForms();
void DestroyForms();

extern TMainForm* MainForm;
