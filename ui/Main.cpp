#include "Main.h"

#include "Codepage.h"
#include "Connection.h"
#include "Icons.h"
#include "Sound.h"
#include "Tcp.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTcpSocket>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

TMainForm* MainForm = nullptr;

namespace {

using orv::LinkState;
using orv::ui::DecodeCp1252;
using orv::ui::EncodeCp1252;

// Reads stay at the old 4,095-byte size: the text processor's limits are stated in those chunks.
constexpr qint64 ReadChunk = 4095;
// Enough for a burst; past it the socket stops reading from the network until the client catches up.
constexpr qint64 ReadBufferSize = 1 << 20;
// How long one read notification may process before the window gets its turn.
constexpr qint64 ReadSliceMs = 5;
// One repaint of Output per frame, however many lines arrive.
constexpr int FrameMs = 16;
constexpr std::size_t TypedLimit = orv::TextProcessor::CommandLimit;

// A panel whose preferred size is its designed size, so a splitter gives it exactly that and the
// rest to its stretching neighbour.
class Panel : public QWidget {
  public:
    explicit Panel(const char* name, QWidget* parent = nullptr) : QWidget(parent) {
        setObjectName(QLatin1String(name));
    }
    void SetDesignSize(QSize size) {
        design_ = size;
        updateGeometry();
    }
    QSize sizeHint() const override { return design_.isValid() ? design_ : QWidget::sizeHint(); }

  private:
    QSize design_;
};

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

QAction* MakeAction(QMenu* menu, const char* name, const QString& caption, bool checkable = false) {
    auto* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setCheckable(checkable);
    return action;
}

} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent), readBuf_(ReadChunk + 1) {
    MainForm = this;
    setObjectName(QStringLiteral("MainForm"));
    StartDir = QDir::currentPath();

    defaultSound_ = new orv::ui::SoundPlayer(this);
    sound_ = defaultSound_;

    CliSocket = new QTcpSocket(this);
    CliSocket->setObjectName(QStringLiteral("CliSocket"));
    CliSocket->setReadBufferSize(ReadBufferSize);
    connect(CliSocket, &QTcpSocket::connected, this, &TMainForm::CliSocketConnect);
    connect(CliSocket, &QTcpSocket::disconnected, this, &TMainForm::CliSocketDisconnect);
    connect(CliSocket, &QTcpSocket::readyRead, this, &TMainForm::CliSocketRead);
    connect(CliSocket, &QTcpSocket::errorOccurred, this, &TMainForm::CliSocketError);

    readMore_.setSingleShot(true);
    readMore_.setInterval(0);
    connect(&readMore_, &QTimer::timeout, this, &TMainForm::CliSocketRead);
    frame_.setSingleShot(true);
    frame_.setInterval(FrameMs);
    connect(&frame_, &QTimer::timeout, this, &TMainForm::SyncOutput);

    BuildPanes();
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    resize(Scaled(800), Scaled(600));

    // The designed font, or the system's fixed-pitch font where it is not installed. Sizes were
    // designed in pixels at 120 dpi; as points they follow the screen's density by themselves.
    QFont font;
    if (QFontDatabase::families().contains(QStringLiteral("Courier New")))
        font = QFont(QStringLiteral("Courier New"));
    else
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(18 * 72.0 / 120);
    ApplyWindowFont(font);

    ShowLine("  ");
    ShowLine("  ");
    ShowLine("              Orv2Term - " + std::string(orv::VersionLabel));
    ShowLine("  ");
    ShowLine("  ");

    UpdateCaption();
    TotalPanel->setText(QStringLiteral("All Players"));
    StatusPanels[0]->setText(QStringLiteral("Not Connected"));
    Proc = std::make_unique<orv::TextProcessor>(*this);
    diagnosticsOn_ = false;
    Input->setFocus();
}

TMainForm::~TMainForm() {
    // Notifications the socket raises while it is torn down must not reach a half-destroyed window.
    CliSocket->disconnect(this);
    if (MainForm == this) MainForm = nullptr;
}

int TMainForm::Scaled(int designed) const {
    return qRound(designed * logicalDpiY() / 120.0);
}

void TMainForm::BuildPanes() {
    MainPanel = new QWidget(this);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    setCentralWidget(MainPanel);
    TextPanel = new QWidget(MainPanel);
    TextPanel->setObjectName(QStringLiteral("TextPanel"));
    auto* mainLayout = new QVBoxLayout(MainPanel);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addWidget(TextPanel);

    Splitter2 = new QSplitter(Qt::Vertical, TextPanel);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setChildrenCollapsible(false);
    Splitter2->setHandleWidth(Scaled(3));
    auto* textLayout = new QVBoxLayout(TextPanel);
    textLayout->setContentsMargins(0, 0, 0, 0);
    textLayout->addWidget(Splitter2);

    TopPanel = new QWidget(Splitter2);
    TopPanel->setObjectName(QStringLiteral("TopPanel"));
    Splitter1 = new QSplitter(Qt::Horizontal, TopPanel);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    Splitter1->setHandleWidth(Scaled(6));
    auto* topLayout = new QVBoxLayout(TopPanel);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(Splitter1);

    OutputPanel = new QWidget(Splitter1);
    OutputPanel->setObjectName(QStringLiteral("OutputPanel"));
    Splitter3 = new QSplitter(Qt::Vertical, OutputPanel);
    Splitter3->setObjectName(QStringLiteral("Splitter3"));
    Splitter3->setChildrenCollapsible(false);
    Splitter3->setHandleWidth(Scaled(3));
    auto* outputLayout = new QVBoxLayout(OutputPanel);
    outputLayout->setContentsMargins(0, 0, 0, 0);
    outputLayout->addWidget(Splitter3);

    const auto makePane = [](QWidget* parent, const char* name, const QString& accessible, bool readOnly) {
        auto* pane = new QPlainTextEdit(parent);
        pane->setObjectName(QLatin1String(name));
        pane->setAccessibleName(accessible);
        pane->setReadOnly(readOnly);
        pane->setUndoRedoEnabled(!readOnly);
        pane->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        return pane;
    };
    ScrollBackMemo = makePane(Splitter3, "ScrollBackMemo", QStringLiteral("Scrollback"), true);
    Output = makePane(Splitter3, "Output", QStringLiteral("Output"), true);
    // The pane follows its newest line, also when it is resized (the scrollback opening above it).
    QScrollBar* outputBar = Output->verticalScrollBar();
    connect(outputBar, &QScrollBar::rangeChanged, outputBar,
            [outputBar] { outputBar->setValue(outputBar->maximum()); });
    // The splitter hides its handle together with the pane above it.
    ScrollBackMemo->hide();
    Splitter3->setStretchFactor(0, 0);
    Splitter3->setStretchFactor(1, 1);

    auto* playerPanel = new Panel("PlayerPanel", Splitter1);
    playerPanel->SetDesignSize(QSize(Scaled(140), Scaled(200)));
    PlayerPanel = playerPanel;
    TotalPanel = new QLabel(QStringLiteral("All Players"), PlayerPanel);
    TotalPanel->setObjectName(QStringLiteral("TotalPanel"));
    TotalPanel->setAccessibleName(QStringLiteral("All Players"));
    TotalPanel->setAlignment(Qt::AlignCenter);
    TotalPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    TotalPanel->setFixedHeight(Scaled(39));
    // Its own font, which does not follow the window font; a serif stands in for the designed one.
    QFont totalFont(QStringLiteral("Times New Roman"));
    totalFont.setStyleHint(QFont::Serif);
    totalFont.setPointSizeF(20 * 72.0 / 120);
    TotalPanel->setFont(totalFont);
    PlayerList = new QListWidget(PlayerPanel);
    PlayerList->setObjectName(QStringLiteral("PlayerList"));
    PlayerList->setAccessibleName(QStringLiteral("Players"));
    PlayerList->setSortingEnabled(true);
    PlayerList->setUniformItemSizes(true);
    auto* playerLayout = new QVBoxLayout(PlayerPanel);
    playerLayout->setContentsMargins(0, 0, 0, 0);
    playerLayout->setSpacing(0);
    playerLayout->addWidget(TotalPanel);
    playerLayout->addWidget(PlayerList);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);

    auto* inputPanel = new Panel("InputPanel", Splitter2);
    inputPanel->SetDesignSize(QSize(Scaled(400), Scaled(56)));
    InputPanel = inputPanel;
    Input = makePane(InputPanel, "Input", QStringLiteral("Input"), false);
    Input->setTabChangesFocus(true);
    Input->installEventFilter(this);
    auto* inputLayout = new QVBoxLayout(InputPanel);
    inputLayout->setContentsMargins(0, 0, 0, 0);
    inputLayout->addWidget(Input);
    Splitter2->setStretchFactor(0, 1);
    Splitter2->setStretchFactor(1, 0);
}

void TMainForm::BuildMenus() {
    File1 = menuBar()->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    ExitItem = MakeAction(File1, "ExitItem", QStringLiteral("&Exit"));
    connect(ExitItem, &QAction::triggered, this, &QWidget::close);

    Connect1 = menuBar()->addMenu(QStringLiteral("&Connect"));
    Connect1->setObjectName(QStringLiteral("Connect1"));
    LogontoOrv = MakeAction(Connect1, "LogontoOrv", QStringLiteral("&Log On To Orv..."));
    NewAccountItem = MakeAction(Connect1, "NewAccountItem", QStringLiteral("New Account/Avatar"));
    Connect1->addSeparator()->setObjectName(QStringLiteral("N10"));
    Logoff = MakeAction(Connect1, "Logoff", QStringLiteral("Log &Off"));
    Logoff->setEnabled(false);
    connect(LogontoOrv, &QAction::triggered, this, &TMainForm::LogontoOrvClick);
    connect(Logoff, &QAction::triggered, this, &TMainForm::LogoffClick);

    Options = menuBar()->addMenu(QStringLiteral("&Options"));
    Options->setObjectName(QStringLiteral("Options"));
    KeypadTravel = MakeAction(Options, "KeypadTravel", QStringLiteral("Keypad &Travel"), true);
    Options->addSeparator()->setObjectName(QStringLiteral("N5"));
    TextAlertItem = MakeAction(Options, "TextAlertItem", QStringLiteral("&Incoming Text Alert"), true);
    LargeBufItem = MakeAction(Options, "LargeBufItem", QStringLiteral("&Large Buffer"), true);
    PlayerListItem = MakeAction(Options, "PlayerListItem", QStringLiteral("&Player List"), true);
    PlayerListItem->setChecked(true);
    SupressBlanksItem =
        MakeAction(Options, "SupressBlanksItem", QStringLiteral("&Supress Blank Lines"), true);
    Options->addSeparator()->setObjectName(QStringLiteral("N2"));
    DiagItem = MakeAction(Options, "DiagItem", QStringLiteral("&Diagnostics"), true);
    connect(KeypadTravel, &QAction::triggered, this, &TMainForm::KeypadTravelClick);
    connect(TextAlertItem, &QAction::triggered, this, &TMainForm::TextAlertItemClick);
    connect(LargeBufItem, &QAction::triggered, this, &TMainForm::LargeBufItemClick);
    connect(PlayerListItem, &QAction::triggered, this, &TMainForm::PlayerListItemClick);
    connect(SupressBlanksItem, &QAction::triggered, this, &TMainForm::SupressBlanksItemClick);
    connect(DiagItem, &QAction::triggered, this, &TMainForm::DiagItemClick);

    View1 = menuBar()->addMenu(QStringLiteral("&View"));
    View1->setObjectName(QStringLiteral("View1"));
    ScrollBackItem = MakeAction(View1, "ScrollBackItem", QStringLiteral("Scrollback &Window"), true);
    connect(ScrollBackItem, &QAction::triggered, this, &TMainForm::ScrollBackItemClick);
}

void TMainForm::BuildToolBar() {
    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setWindowTitle(QStringLiteral("Tool Bar"));
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setFixedHeight(Scaled(36));
    ToolBar->setIconSize(QSize(Scaled(20), Scaled(20)));
    ToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, ToolBar);

    const auto button = [this](const char* name, const QString& hint, const QIcon& icon) {
        auto* b = new QToolButton(ToolBar);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setAccessibleName(hint);
        b->setIcon(icon);
        b->setAutoRaise(true);
        b->setFixedSize(Scaled(25), Scaled(25));
        b->setIconSize(QSize(Scaled(20), Scaled(20)));
        ToolBar->addWidget(b);
        return b;
    };
    LogOnBtn = button("LogOnBtn", QStringLiteral("Log On To Orvanta"), orv::ui::icons::LogOn());
    LogOffBtn = button("LogOffBtn", QStringLiteral("Log Off"), orv::ui::icons::LogOff());
    LogOffBtn->setEnabled(false);
    ToolBar->addSeparator();
    ScrollBackBtn =
        button("ScrollBackBtn", QStringLiteral("Scrollback Window"), orv::ui::icons::ScrollBack());
    ToolBar->addSeparator();
    SpeedButton1 = button("SpeedButton1", QString(), orv::ui::icons::TextAlert());
    SpeedButton1->setAccessibleName(QStringLiteral("Incoming Text Alert"));
    SpeedButton1->setCheckable(true);
    KeyPadBtn = button("KeyPadBtn", QStringLiteral("Key-Pad Travel"), orv::ui::icons::KeyPad());
    KeyPadBtn->setCheckable(true);

    connect(LogOnBtn, &QToolButton::clicked, this, &TMainForm::LogontoOrvClick);
    connect(LogOffBtn, &QToolButton::clicked, this, &TMainForm::LogoffClick);
    // The buttons that mirror a menu item trigger it, so the item's check mark stays the one truth.
    connect(ScrollBackBtn, &QToolButton::clicked, ScrollBackItem, &QAction::trigger);
    connect(SpeedButton1, &QToolButton::clicked, TextAlertItem, &QAction::trigger);
    connect(KeyPadBtn, &QToolButton::clicked, KeypadTravel, &QAction::trigger);
}

void TMainForm::BuildStatusBar() {
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setFixedHeight(Scaled(28));
    setStatusBar(StatusBar);
    const int widths[] = {132, 100, 220, 50};
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(StatusBar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setAccessibleName(QStringLiteral("Status %1").arg(i));
        panel->setFixedWidth(Scaled(widths[i]));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setAlignment(i < 3 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        StatusBar->addWidget(panel);
        StatusPanels[static_cast<std::size_t>(i)] = panel;
    }
}

void TMainForm::ApplyWindowFont(const QFont& font) {
    for (QWidget* pane : {static_cast<QWidget*>(Output), static_cast<QWidget*>(ScrollBackMemo),
                          static_cast<QWidget*>(Input), static_cast<QWidget*>(PlayerList)})
        pane->setFont(font);
}

// ---- Connection ----------------------------------------------------------------------------

void TMainForm::SetCondition(const QString& text) {
    TotalPanel->setText(text);
    StatusPanels[0]->setText(text);
}

void TMainForm::EnableConnectCommands(bool connectEnabled) {
    NewAccountItem->setEnabled(connectEnabled);
    LogontoOrv->setEnabled(connectEnabled);
    LogOnBtn->setEnabled(connectEnabled);
    Logoff->setEnabled(!connectEnabled);
    LogOffBtn->setEnabled(!connectEnabled);
}

void TMainForm::LogontoOrvClick() {
    if (TCPIPForm == nullptr) return;
    const int result = TCPIPForm->exec();
    // The dialog is a window of its own; give the keyboard back to the main window, also on
    // desktops without a window manager to do it.
    activateWindow();
    if (result != TTCPIPForm::ResultConnect) return;
    SetCondition(QStringLiteral("Connecting"));
    UpdateCaption();
    PlayerList->clear();

    const auto port = orv::ParsePort(EncodeCp1252(TCPIPForm->PortEdit->text()));
    if (!port) {
        ConnectionError();
        return;
    }
    // A new connection starts clean: no half line or dialogue step from the last one.
    Proc->Reset();
    NewAccountItem->setEnabled(false);
    LogontoOrv->setEnabled(false);
    LogOnBtn->setEnabled(false);
    linkState_ = LinkState::Logon;
    // The socket may still be flushing the last connection's final bytes.
    if (CliSocket->state() != QAbstractSocket::UnconnectedState) CliSocket->abort();
    attempting_ = true;
    // Everything above is done before connecting: the socket may report a failure at once.
    CliSocket->connectToHost(TCPIPForm->HostEdit->text(), *port);
}

void TMainForm::CliSocketConnect() {
    attempting_ = false;
    connected_ = true;
    Logoff->setEnabled(true);
    LogOffBtn->setEnabled(true);
    ShowLine("Connected to talmaro");
    SetCondition(QStringLiteral("Connected"));
    UpdateCaption();
}

void TMainForm::CliSocketDisconnect() {
    if (!connected_) return; // already reported by a log-off
    connected_ = false;
    // Whatever the server sent before closing is shown before the closing lines.
    if (!reading_) DrainSocket(false);
    CliSocket->close();
    EnableConnectCommands(true);
    SetCondition(QStringLiteral("Disconnected"));
    UpdateCaption();
    ShowLine(" ");
    ShowLine(" --- No longer connected to talmaro' servers ---");
    linkState_ = LinkState::Normal;
}

void TMainForm::LogoffClick() {
    attempting_ = false;
    // Hand queued commands (a "quit", say) to the network before closing.
    if (CliSocket->state() == QAbstractSocket::ConnectedState) CliSocket->flush();
    CliSocket->close();
    // close() reports the disconnection at once unless bytes are still queued; then the report
    // would come later, after the line below, so it is made now.
    CliSocketDisconnect();
    EnableConnectCommands(true);
    SetCondition(QStringLiteral("Disconnected"));
    UpdateCaption();
    ShowLine("Connection to Orvanta Closed");
}

void TMainForm::CliSocketError() {
    // A link that breaks once connected is reported by the disconnect notification.
    if (!attempting_) return;
    ConnectionError();
}

void TMainForm::ConnectionError() {
    attempting_ = false;
    if (CliSocket->state() != QAbstractSocket::UnconnectedState) CliSocket->abort();
    SetCondition(QStringLiteral("Disconnected"));
    UpdateCaption();
    linkState_ = LinkState::Normal;
    EnableConnectCommands(true);
    ShowLine("   ");
    ShowLine("Your computer has reported an internet connection error.");
    ShowLine("This may be because your comm settings are wrong,");
    ShowLine("because of serious network delays, or because the");
    ShowLine("Orvanta Server computer is temporarily unavailable.");
}

void TMainForm::UpdateCaption() {
    const std::string host = TCPIPForm != nullptr ? EncodeCp1252(TCPIPForm->HostEdit->text()) : std::string();
    const bool active = CliSocket->state() != QAbstractSocket::UnconnectedState;
    setWindowTitle(DecodeCp1252(orv::ComposeCaption(host, AvatarName, active)));
}

void TMainForm::SendText(std::string_view bytes) {
    if (CliSocket->state() != QAbstractSocket::ConnectedState || bytes.empty()) return;
    // The socket queues everything it is given; nothing is dropped.
    CliSocket->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void TMainForm::CliSocketRead() {
    if (reading_) return;
    DrainSocket(true);
}

// Hands the buffered bytes to the text processor in chunks of at most 4,095 bytes. Time-sliced,
// it stops after a few milliseconds and goes on from a zero-time timer, so a flood never freezes
// the window; otherwise it reads everything there is.
void TMainForm::DrainSocket(bool timeSliced) {
    reading_ = true;
    QElapsedTimer clock;
    clock.start();
    while (CliSocket->bytesAvailable() > 0) {
        const qint64 n = CliSocket->read(readBuf_.data(), ReadChunk);
        if (n <= 0) break;
        readBuf_[static_cast<std::size_t>(n)] = '\0';
        const std::string_view chunk(readBuf_.data(), static_cast<std::size_t>(n));
        if (OnChunkRead) OnChunkRead(chunk);
        // A chunk may move the LinkState on; the next one is read with the new state.
        Proc->ProcessChunk(chunk, linkState_);
        if (timeSliced && clock.elapsed() >= ReadSliceMs) {
            if (CliSocket->bytesAvailable() > 0 && !readMore_.isActive()) readMore_.start();
            break;
        }
    }
    reading_ = false;
}

// ---- Output ---------------------------------------------------------------------------------

void TMainForm::ShowLine(std::string_view line) {
    Buffer.ShowLine(line);
    if (!frame_.isActive()) frame_.start();
}

bool TMainForm::SupressBlanks() const {
    return SupressBlanksItem->isChecked();
}

// The text of the model's lines [first, end) as the pane shows them, one block per line.
QString TMainForm::PaneText(std::uint64_t first, std::uint64_t end) const {
    QString text;
    std::size_t bytes = 0;
    for (std::uint64_t seq = first; seq != end; ++seq)
        bytes += Buffer.Line(seq).size() + 1;
    text.reserve(static_cast<qsizetype>(bytes));
    for (std::uint64_t seq = first; seq != end; ++seq) {
        if (seq != first) text.append(QLatin1Char('\n'));
        orv::ui::AppendCp1252(text, Buffer.Line(seq));
    }
    // A carriage return would start a new block in the document; inside a line it shows as a space.
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

void TMainForm::SyncOutput() {
    frame_.stop();
    const std::uint64_t first = Buffer.FirstSeq();
    const std::uint64_t end = Buffer.EndSeq();
    if (first == shownFirst_ && end == shownEnd_) return;

    const std::uint64_t freshFrom = std::max(shownEnd_, first);
    const std::uint64_t fresh = end - freshFrom;
    const std::uint64_t count = end - first;
    QTextCursor cursor(Output->document());
    cursor.beginEditBlock();
    if (shownFirst_ == shownEnd_ || shownEnd_ <= first || fresh * 4 >= count) {
        // Mostly new text: one replacement costs less than cutting the old lines one run at a time.
        cursor.select(QTextCursor::Document);
        cursor.insertText(PaneText(first, end));
    } else {
        if (first > shownFirst_) {
            cursor.movePosition(QTextCursor::Start);
            cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor,
                                static_cast<int>(first - shownFirst_));
            cursor.removeSelectedText();
        }
        if (fresh > 0) {
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(QLatin1Char('\n') + PaneText(freshFrom, end));
        }
    }
    cursor.endEditBlock();
    shownFirst_ = first;
    shownEnd_ = end;
    // The pane follows its newest line; its own cursor and selection stay where they are.
    QScrollBar* bar = Output->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void TMainForm::LargeBufItemClick() {
    Buffer.SetLineLimit(LargeBufItem->isChecked() ? orv::OutputBuffer::LargeLineLimit
                                                  : orv::OutputBuffer::DefaultLineLimit);
}

void TMainForm::SupressBlanksItemClick() {
    Buffer.SetSupressBlanks(SupressBlanksItem->isChecked());
}

void TMainForm::TextAlertItemClick() {
    SpeedButton1->setChecked(TextAlertItem->isChecked());
    Buffer.SetSound(sound_, EncodeCp1252(StartDir) + "/alert.wav");
    Buffer.SetTextAlert(TextAlertItem->isChecked());
}

void TMainForm::ScrollBackItemClick() {
    if (ScrollBackItem->isChecked()) {
        SyncOutput();
        ScrollBackMemo->setPlainText(PaneText(Buffer.FirstSeq(), Buffer.EndSeq()));
        ScrollBackMemo->show();
        const int total = Splitter3->height();
        const int memo = std::min(Scaled(190), total / 2);
        Splitter3->setSizes({memo, total - memo});
        QScrollBar* bar = ScrollBackMemo->verticalScrollBar();
        bar->setValue(bar->maximum());
    } else {
        ScrollBackMemo->hide();
        ScrollBackMemo->clear();
    }
}

void TMainForm::KeypadTravelClick() {
    KeyPadBtn->setChecked(KeypadTravel->isChecked());
}

void TMainForm::DiagItemClick() {
    diagnosticsOn_ = DiagItem->isChecked();
}

void TMainForm::PlayerListItemClick() {
    PlayerPanel->setVisible(PlayerListItem->isChecked());
}

// ---- Input ----------------------------------------------------------------------------------

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Input) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat()) pressedInInput_.insert(key->key());
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

void TMainForm::SetInputText(std::string_view bytes) {
    Input->setPlainText(DecodeCp1252(bytes));
    Input->moveCursor(QTextCursor::End);
}

void TMainForm::InputKeyUp(int virtualKey, Qt::KeyboardModifiers modifiers) {
    if (!orv::AcceptsKeys(linkState_)) return;
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
