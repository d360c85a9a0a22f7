#include "ui/Main.h"

#include "ui/Boxes.h"
#include "ui/Layout.h"

#include "session/Commands.h"
#include "ui/Appearance.h"
#include "ui/Codepage.h"
#include "ui/FindBar.h"
#include "ui/New_account.h"
#include "ui/OutputPane.h"
#include "ui/PlayerList.h"
#include "ui/SocketAdapter.h"
#include "ui/Sound.h"
#include "ui/Tcp.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTcpSocket>
#include <QTimer>
#include <QToolButton>

namespace {

using orv::LinkState;
using orv::ui::DecodeCp1252;
using orv::ui::EncodeCp1252;
using orv::ui::FileName;

constexpr std::size_t TypedLimit = orv::TextProcessor::CommandLimit;

// The virtual-key code of a Qt key; keypad keys with Num Lock off arrive as the navigation keys.
int VirtualKey(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return orv::vk::Return;
    case Qt::Key_Space:
        return orv::vk::Space;
    case Qt::Key_PageUp:
        return orv::vk::PageUp;
    case Qt::Key_PageDown:
        return orv::vk::PageDown;
    case Qt::Key_End:
        return orv::vk::End;
    case Qt::Key_Home:
        return orv::vk::Home;
    case Qt::Key_Left:
        return orv::vk::Left;
    case Qt::Key_Up:
        return orv::vk::Up;
    case Qt::Key_Right:
        return orv::vk::Right;
    case Qt::Key_Down:
        return orv::vk::Down;
    default:
        if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return orv::vk::F1 + (key - Qt::Key_F1);
        return -1;
    }
}

orv::SystemClock& DefaultClock() {
    static orv::SystemClock clock;
    return clock;
}

} // namespace

// The stored placement, applied as the store reads its start-up batch. A hand-edited file may hold
// any numbers: the window is no larger than the desktop's room and its corner lies inside it (the
// size is read after the corner; showEvent brings the whole window inside).
class TMainForm::Placement final : public orv::WindowPlacement {
  public:
    explicit Placement(TMainForm& form) : form_(form) {}
    void SetTop(std::int32_t top) override {
        form_.move(form_.x(), Within(top, Room().top(), Room().bottom()));
    }
    void SetLeft(std::int32_t left) override {
        form_.move(Within(left, Room().left(), Room().right()), form_.y());
    }
    void SetWidth(std::int32_t width) override {
        form_.resize(Within(width, 1, Room().width()), form_.height());
    }
    void SetHeight(std::int32_t height) override {
        form_.resize(form_.width(), Within(height, 1, Room().height()));
    }
    void SetWindowState(std::int32_t state) override {
        form_.setWindowState(state == orv::WindowState::Minimised   ? Qt::WindowMinimized
                             : state == orv::WindowState::Maximised ? Qt::WindowMaximized
                                                                    : Qt::WindowNoState);
    }

  private:
    QRect Room() const { return orv::ui::ScreenRoom(&form_); }
    static int Within(std::int32_t value, int low, int high) {
        return std::clamp(value, low, std::max(low, high));
    }

    TMainForm& form_;
};

// The session log's messages go to the output pane; every shown line goes to the log.
class TMainForm::LogView final : public orv::LogHost, public orv::LineSink {
  public:
    explicit LogView(TMainForm& form) : form_(form) {}
    void ShowLine(std::string_view line) override { form_.ShowLine(line); }
    void LoggingChanged(bool open) override {
        form_.OpenItem->setEnabled(!open);
        form_.OpenBtn->setEnabled(!open);
        form_.CloseItem->setEnabled(open);
        form_.CloseBtn->setEnabled(open);
        form_.StatusPanels[1]->setText(open ? QStringLiteral("Logging") : QString());
    }
    void WriteLine(std::string_view line) override { form_.Logger->WriteLine(line); }

  private:
    TMainForm& form_;
};

TMainForm::TMainForm(QWidget* parent) : TMainForm(DefaultClock(), parent) {}

TMainForm::TMainForm(const orv::Clock& clock, QWidget* parent)
    : QMainWindow(parent), socket_(std::make_unique<orv::ui::SocketAdapter>(nullptr)),
      placement_(std::make_unique<Placement>(*this)), logView_(std::make_unique<LogView>(*this)) {
    setObjectName(QStringLiteral("MainForm"));
    StartDir = QDir::currentPath();

    defaultSound_ = new orv::ui::SoundPlayer(this);
    sound_ = defaultSound_;
    CliSocket = socket_->Socket();
    link_ = std::make_unique<orv::Connection>(*socket_, *this, *socket_);
    reconnectTimer_ = new QTimer(this);
    reconnectTimer_->setInterval(1000);
    reconnectTimer_->setTimerType(Qt::PreciseTimer); // a coarse one fires early, and a second shows twice
    // A try waits while a dialog is open: it would log on with what the player is typing there.
    connect(reconnectTimer_, &QTimer::timeout, this, [this] {
        if (QApplication::activeModalWidget() == nullptr) link_->Tick();
    });

    BuildPanes();
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    BuildPopup();
    resize(orv::ui::Scaled(this, 800), orv::ui::Scaled(this, 600));
    outputPane_ = new orv::ui::OutputPane(Output, Buffer, [this] {
        if (Logger) Logger->Flush();
    });
    outputPane_->OnSynced([this] { findBar_->Recount(); });
    // While the find bar is open the pane holds its view on the match; closed, the player types on.
    connect(findBar_, &orv::ui::FindBar::OpenChanged, this, [this](bool open) {
        outputPane_->HoldView(open);
        if (!open) Input->setFocus();
    });
    FindItem->setShortcut(QKeySequence::Find);
    FindItem->setShortcutContext(Qt::WindowShortcut);
    playerList_ = new orv::ui::PlayerListPanel(PlayerPanel, TotalPanel, PlayerList, StatusPanels[2],
                                               orv::ui::Scaled(this, 20));

    // The designed font: "Courier New" at 18 pixels, which as points follows the screen's density.
    QFont font = orv::ui::FixedFace(QStringLiteral("Courier New"));
    font.setPointSizeF(18 * 72.0 / 120);
    ApplyWindowFont(font);

    Buffer.SetLineLimit(orv::OutputBuffer::DefaultLineLimit);
    // The banner comes before any setting is read: never blank-suppressed, never logged.
    ShowLine("  ");
    ShowLine("  ");
    ShowLine("              Orv2Term - " + std::string(orv::VersionLabel));
    ShowLine("  ");
    ShowLine("  ");

    Players = std::make_unique<orv::PlayerRoster>(*playerList_, Foes);
    Recognisers = std::make_unique<orv::LineRecognisers>(*this, *Players, Foes);
    UpdateCaption();
    StatusPanels[0]->setText(QStringLiteral("Not Connected"));
    Input->setFocus(); // the active control at start, so the Edit commands start enabled

    Proc = std::make_unique<orv::TextProcessor>(*this, this, Recognisers.get());
    link_->Attach(*Proc, *Players);
    socket_->Attach(*link_);
    // The store places the window as it reads the start-up batch.
    Store = std::make_unique<orv::SettingsStore>(orv::OpenSettingsKey(), *placement_);
    // Told once, over the window as soon as it shows; the run goes on from the defaults.
    if (const auto& failure = Store->ReadFailure())
        QTimer::singleShot(0, this,
                           [this, failure = *failure] { orv::ui::ReportSettingsError(this, failure); });
    Logger = std::make_unique<orv::SessionLog>(*logView_, clock, FileName(StartDir));
    Buffer.SetLog(logView_.get());
    ApplySettings();
}

TMainForm::~TMainForm() {
    // Notifications the socket raises while it is torn down must not reach a half-destroyed window,
    // nor a reconnect try start while the error box below runs its loop.
    socket_->Detach();
    reconnectTimer_->stop();
    Proc.reset();
    orv::ui::WriteOrReport(this, [this] {
        const QFontInfo face(windowFont_);
        const orv::ReportedFont current{EncodeCp1252(face.family()), QFontMetrics(windowFont_).height(),
                                        face.weight()};
        orv::WindowBounds bounds;
        bounds.State = isMinimized()   ? orv::WindowState::Minimised
                       : isMaximized() ? orv::WindowState::Maximised
                                       : orv::WindowState::Normal;
        bounds.Top = y();
        bounds.Left = x();
        bounds.Width = width();
        bounds.Height = height();
        Store->SaveOnExit(current, bounds);
    });
    Store.reset();
    // The log is closed last, so its stop line follows everything the run wrote.
    if (Logger->IsOpen()) CloseItemClick();
    Buffer.SetLog(nullptr);
    Logger.reset();
}

// ---- Connection ----------------------------------------------------------------------------

void TMainForm::LogontoOrvClick() {
    if (dialogs_.Connection == nullptr) return;
    const int result = dialogs_.Connection->exec();
    // The dialog is a window of its own; give the keyboard back to the main window, also on
    // desktops without a window manager to do it.
    activateWindow();
    if (result != orv::ui::DialogResult::Connect) return;
    link_->Start(EncodeCp1252(dialogs_.Connection->HostEdit->text()),
                 EncodeCp1252(dialogs_.Connection->PortEdit->text()), LinkState::Logon);
    CliSocket = socket_->Socket();
}

void TMainForm::NewAccountItemClick() {
    if (dialogs_.NewAccount == nullptr) return;
    const int result = dialogs_.NewAccount->exec();
    activateWindow();
    if (result != orv::ui::DialogResult::Yes) return;
    const orv::NewAccountDetails form = dialogs_.NewAccount->Details();
    link_->Start(form.Host, form.Port, LinkState::NewAccount);
    CliSocket = socket_->Socket();
}

void TMainForm::LogoffClick() {
    link_->LogOff();
}

void TMainForm::ShowCountdown(std::string_view countdown) {
    // The status bar paints its message itself; its description carries it to screen readers.
    StatusBar->setAccessibleDescription(DecodeCp1252(countdown));
    if (countdown.empty()) {
        reconnectTimer_->stop();
        StatusBar->clearMessage();
        return;
    }
    StatusBar->showMessage(DecodeCp1252(countdown));
    if (!reconnectTimer_->isActive()) reconnectTimer_->start();
}

void TMainForm::ShowCondition(std::string_view condition) {
    const QString text = DecodeCp1252(condition);
    TotalPanel->setText(text);
    StatusPanels[0]->setText(text);
}

void TMainForm::EnableConnectCommands(bool enabled) {
    NewAccountItem->setEnabled(enabled);
    LogontoOrv->setEnabled(enabled);
    LogOnBtn->setEnabled(enabled);
}

void TMainForm::EnableLogoff(bool enabled) {
    Logoff->setEnabled(enabled);
    LogOffBtn->setEnabled(enabled);
}

void TMainForm::ClearPlayerList() {
    playerList_->ClearRows();
}

void TMainForm::UpdateCaption() {
    const std::string host =
        dialogs_.Connection != nullptr ? EncodeCp1252(dialogs_.Connection->HostEdit->text()) : std::string();
    setWindowTitle(DecodeCp1252(orv::ComposeCaption(host, AvatarName, socket_->IsActive())));
}

void TMainForm::SendText(std::string_view bytes) {
    link_->SendText(bytes);
}

void TMainForm::SendTelnet(std::string_view bytes) {
    link_->SendTelnet(bytes);
}

void TMainForm::ShowLine(std::string_view line) {
    Buffer.ShowLine(line);
    outputPane_->LineShown();
}

void TMainForm::SyncOutput() {
    outputPane_->Sync();
}

bool TMainForm::SupressBlanks() const {
    return SupressBlanksItem->isChecked();
}

void TMainForm::SetTotalCaption(std::string_view caption) {
    playerList_->SetTotalCaption(caption);
}

// ---- Input ----------------------------------------------------------------------------------

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == Splitter1->handle(1))
            Splitter1Moved();
        else if (watched == Splitter2->handle(1))
            Splitter2Moved();
        else if (watched == Splitter3->handle(1))
            Splitter3Moved();
    }
    if ((watched == Input || watched == Output) &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        FollowFocus(watched, event);
    if (watched == Input) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat()) pressedInInput_.insert(key->key());
            if (RecallCommand(*key)) return true;
            break;
        }
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            // A release acts once, at the end of a held key, and only for a press Input itself
            // received: the Enter that closed a dialog must not send the pane's text.
            if (!key->isAutoRepeat() && pressedInInput_.erase(key->key()) > 0) {
                const int virtualKey = VirtualKey(key->key());
                if (virtualKey >= 0) InputKeyUp(virtualKey, key->modifiers());
            }
            break;
        }
        case QEvent::FocusOut:
            pressedInInput_.clear();
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TMainForm::RecallCommand(const QKeyEvent& key) {
    // Ctrl+Up and Ctrl+Down, while the arrows are not travel keys.
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier || KeypadTravel->isChecked() ||
        Input->isReadOnly())
        return false;
    std::optional<std::string> text;
    if (key.key() == Qt::Key_Up)
        text = history_.Older(EncodeCp1252(Input->toPlainText()));
    else if (key.key() == Qt::Key_Down)
        text = history_.Newer();
    else
        return false;
    if (text) SetInputText(*text);
    return true;
}

void TMainForm::SetInputText(std::string_view bytes) {
    Input->setPlainText(DecodeCp1252(bytes));
    Input->moveCursor(QTextCursor::End);
}

void TMainForm::InputKeyUp(int virtualKey, Qt::KeyboardModifiers modifiers) {
    if (!orv::AcceptsKeys(GetLinkState())) return;
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);

    if (virtualKey == orv::vk::Return) {
        std::string command = EncodeCp1252(Input->toPlainText());
        if (command.size() > TypedLimit) command.resize(TypedLimit);
        Input->clear();
        if (!orv::TextProcessor::CheckCommand(command)) {
            ShowLine("    ");
            ShowLine("--- Please use options menu to set SpyNet Notice ---");
            ShowLine("    ");
            return;
        }
        SendText(command);
        history_.Add(command);
        return;
    }
    if (virtualKey == orv::vk::Space) {
        const QListWidgetItem* selected = PlayerList->currentItem();
        if (ctrl && selected != nullptr && selected->isSelected())
            SetInputText(orv::AppendWord(EncodeCp1252(Input->toPlainText()), EncodeCp1252(selected->text()),
                                         std::string::npos));
        return;
    }
    if (virtualKey >= orv::vk::F1 && virtualKey <= orv::vk::F12) {
        const std::string& text = KeyTexts[static_cast<std::size_t>(virtualKey - orv::vk::F1)];
        if (text.empty()) return;
        if (ctrl)
            SetInputText(orv::AppendWord(EncodeCp1252(Input->toPlainText()), text, TypedLimit));
        else
            SendText(text + "\n");
        return;
    }
    if (KeypadTravel->isChecked()) {
        if (const auto command = orv::TravelCommand(virtualKey)) SendText(*command);
    }
}
