#pragma once

#include "Host.h"
#include "LinkState.h"
#include "Output.h"
#include "Textproc.h"

#include <QMainWindow>
#include <QString>
#include <QTimer>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QStatusBar;
class QTcpSocket;
class QToolBar;
class QToolButton;

namespace orv::ui {
class SoundPlayer;
}

// The client's main window: owner of the connection, the text processor and the output model.
// Its handlers translate a Qt event into a call on the core; the core reaches back through the
// SessionHost interface (lines to show, bytes to send, the LinkState and the option checks).
class TMainForm : public QMainWindow, public orv::SessionHost {
    Q_OBJECT

  public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // orv::SessionHost
    void SendText(std::string_view bytes) override;
    bool DiagnosticsOn() const override { return diagnosticsOn_; }
    void ShowLine(std::string_view line) override;
    orv::LinkState GetLinkState() const override { return linkState_; }
    void SetLinkState(orv::LinkState state) override { linkState_ = state; }
    bool SupressBlanks() const override;

    // Connection commands and notifications.
    void LogontoOrvClick();
    void LogoffClick();
    void CliSocketConnect();
    void CliSocketDisconnect();
    void CliSocketRead();
    void ConnectionError();
    void UpdateCaption();

    // Option and view toggles. Each runs after its check mark has changed.
    void LargeBufItemClick();
    void SupressBlanksItemClick();
    void TextAlertItemClick();
    void ScrollBackItemClick();
    void KeypadTravelClick();
    void DiagItemClick();
    void PlayerListItemClick();

    // A key released in Input, as the game's keyboard layer numbers it.
    void InputKeyUp(int virtualKey, Qt::KeyboardModifiers modifiers);

    // Makes Output show exactly the output model's lines now rather than at the next frame.
    // Everything that reads the pane calls it first.
    void SyncOutput();

    // The texts of F1 to F12; an empty text means the key has none.
    void SetKeyText(std::size_t index, std::string text) { KeyTexts.at(index) = std::move(text); }
    const std::array<std::string, 12>& GetKeyTexts() const { return KeyTexts; }

    const orv::OutputBuffer& OutputModel() const { return Buffer; }

    // The character name shown in the title; the connection dialog sets it.
    std::string AvatarName;
    // Working directory at start-up: base of alert.wav, ff.dat and the logs folder.
    QString StartDir;

    // Test seams: the alert sound, and a view of every chunk as it goes to ProcessChunk.
    void SetSoundPlayer(orv::SoundPlayer* player) { sound_ = player; }
    std::function<void(std::string_view chunk)> OnChunkRead;

    QToolBar* ToolBar;
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
    QMenu* Connect1;
    QMenu* Options;
    QMenu* View1;
    QAction* ExitItem;
    QAction* LogontoOrv;
    QAction* NewAccountItem;
    QAction* Logoff;
    QAction* KeypadTravel;
    QAction* TextAlertItem;
    QAction* LargeBufItem;
    QAction* PlayerListItem;
    QAction* SupressBlanksItem;
    QAction* DiagItem;
    QAction* ScrollBackItem;

    QToolButton* LogOnBtn;
    QToolButton* LogOffBtn;
    QToolButton* ScrollBackBtn;
    QToolButton* SpeedButton1;
    QToolButton* KeyPadBtn;

    QTcpSocket* CliSocket;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildMenus();
    void BuildToolBar();
    void BuildPanes();
    void BuildStatusBar();
    void ApplyWindowFont(const QFont& font);
    int Scaled(int designed) const;

    void SetCondition(const QString& text); // TotalPanel and status panel 0 together
    void EnableConnectCommands(bool connectEnabled);
    void CliSocketError();
    void DrainSocket(bool timeSliced);
    void SetInputText(std::string_view bytes);
    QString PaneText(std::uint64_t first, std::uint64_t end) const;

    std::array<std::string, 12> KeyTexts;
    orv::OutputBuffer Buffer;
    std::unique_ptr<orv::TextProcessor> Proc;
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
};

extern TMainForm* MainForm;
