#include "ui/Main.h"

#include "ui/Codepage.h"
#include "session/Connection.h"
#include "ui/Icons.h"
#include "ui/Sound.h"
#include "ui/About.h"
#include "ui/F_keys.h"
#include "ui/Foes.h"
#include "ui/Logerr.h"
#include "ui/New_account.h"
#include "ui/Tcp.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTcpSocket>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QUrl>
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
// StartDir was a 256-byte buffer.
constexpr int StartDirLimit = 255;
// The output model reserves its whole ring up front, so a hand-edited "buffer size" must not ask
// for millions of lines.
constexpr std::int32_t LineLimitCeiling = 100000;
// A new font keeps the text colour the store last had, or the system's window text.
constexpr std::uint32_t SystemWindowText = 0x80000000u | orv::SystemWindowTextIndex;

const QString WebSite = QStringLiteral("https://www.talmaro.com");
const QString FeedbackAddress = QStringLiteral("mailto:feedback@talmaro.com");

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

QMenu* MakeMenu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return menu;
}

QAction* MakeAction(QMenu* menu, const char* name, const QString& caption, bool checkable = false) {
    auto* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setCheckable(checkable);
    return action;
}

void AddSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

// The colour of a Windows system colour index, from the toolkit's palette.
QColor SystemColour(int index) {
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 0:  // scroll bar
    case 15: // button face
        return palette.color(QPalette::Button);
    case 2:  // active caption
    case 13: // highlight
    case 27:
    case 29: // menu highlight
        return palette.color(QPalette::Highlight);
    case 3: // inactive caption
        return palette.color(QPalette::Mid);
    case 5: // window background
        return palette.color(QPalette::Base);
    case 6:  // window frame
    case 21: // 3-D dark shadow
        return palette.color(QPalette::Shadow);
    case 7: // menu text
        return palette.color(QPalette::WindowText);
    case 8: // window text
        return palette.color(QPalette::Text);
    case 9:  // caption text
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 12: // application workspace
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 17: // grey text
    case 19: // inactive caption text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 22: // 3-D light
        return palette.color(QPalette::Midlight);
    case 23: // tool tip text
        return palette.color(QPalette::ToolTipText);
    case 24: // tool tip background
        return palette.color(QPalette::ToolTipBase);
    case 26: // hot-tracked item
        return palette.color(QPalette::Link);
    default: // desktop, menus, borders, menu bar
        return palette.color(QPalette::Window);
    }
}

// A stored colour value (0x00BBGGRR, or a system colour) as the toolkit paints it.
QColor ToQColor(std::uint32_t colour) {
    const orv::Rgb rgb = orv::ColourToRgb(colour, [](int index) {
        const QColor system = SystemColour(index);
        return orv::Rgb{static_cast<std::uint8_t>(system.red()), static_cast<std::uint8_t>(system.green()),
                        static_cast<std::uint8_t>(system.blue())};
    });
    return QColor(rgb.Red, rgb.Green, rgb.Blue);
}

std::uint32_t FromQColor(const QColor& colour) {
    return orv::RgbToColour(orv::Rgb{static_cast<std::uint8_t>(colour.red()),
                                     static_cast<std::uint8_t>(colour.green()),
                                     static_cast<std::uint8_t>(colour.blue())});
}

// A face the system has, or its fixed-pitch font where it has not (no "Courier New" here). The
// fixed font is named by the face it resolves to, so the font dialog and the stored name show it.
QFont FixedFace(const QString& face) {
    if (!face.isEmpty() && QFontDatabase::families().contains(face, Qt::CaseInsensitive)) return QFont(face);
    const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QFont font(QFontInfo(system).family());
    font.setPointSizeF(system.pointSizeF());
    return font;
}

// The font the store holds, as the toolkit draws it: the point size overrides the cell height.
QFont ToQFont(const orv::StoredFont& stored) {
    QFont font = FixedFace(DecodeCp1252(stored.FaceName));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(stored.Weight, 1, 1000)));
    font.setItalic(false);
    if (stored.PointSize > 0)
        font.setPointSize(stored.PointSize);
    else if (stored.PointSize < 0) // a negative size is a height in pixels
        font.setPixelSize(-stored.PointSize);
    else if (stored.Height > 0)
        font.setPixelSize(stored.Height);
    return font;
}

// The font with the name its face gives the matching style ("Book" rather than "Normal"), which
// the font dialog needs to preselect the upright style instead of its first entry.
QFont WithStyleName(QFont font) {
    const QString family = QFontInfo(font).family();
    for (const QString& style : QFontDatabase::styles(family)) {
        // Compared by slant, not italic(): an oblique face does not count as italic.
        if (QFontDatabase::font(family, style, 12).style() == font.style() &&
            QFontDatabase::weight(family, style) == font.weight()) {
            font.setStyleName(style);
            break;
        }
    }
    return font;
}

std::string FileName(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

orv::SystemClock& DefaultClock() {
    static orv::SystemClock clock;
    return clock;
}

} // namespace

TMainForm::TMainForm(QWidget* parent) : TMainForm(DefaultClock(), parent) {}

TMainForm::TMainForm(const orv::Clock& clock, QWidget* parent)
    : QMainWindow(parent), readBuf_(ReadChunk + 1) {
    MainForm = this;
    setObjectName(QStringLiteral("MainForm"));
    StartDir = QDir::currentPath().left(StartDirLimit);

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
    BuildPopup();
    resize(Scaled(800), Scaled(600));

    // The designed font: "Courier New" at 18 pixels, which as points follows the screen's density.
    QFont font = FixedFace(QStringLiteral("Courier New"));
    font.setPointSizeF(18 * 72.0 / 120);
    ApplyWindowFont(font);

    Buffer.SetLineLimit(orv::OutputBuffer::DefaultLineLimit);
    // The banner comes before any setting is read: never blank-suppressed, never logged.
    ShowLine("  ");
    ShowLine("  ");
    ShowLine("              Orv2Term - " + std::string(orv::VersionLabel));
    ShowLine("  ");
    ShowLine("  ");

    AvatarName.clear();
    Players = std::make_unique<orv::PlayerRoster>(*this, Foes);
    Recognisers = std::make_unique<orv::LineRecognisers>(*this, *Players, Foes);
    UpdateCaption();
    TotalPanel->setText(QStringLiteral("All Players"));
    StatusPanels[0]->setText(QStringLiteral("Not Connected"));
    StatusPanels[1]->clear();
    linkState_ = LinkState::Normal;
    Input->setFocus(); // the active control at start, so the Edit commands start enabled

    Proc = std::make_unique<orv::TextProcessor>(*this, this, Recognisers.get());
    // The store places the window as it reads the start-up batch.
    Store = std::make_unique<orv::SettingsStore>(orv::OpenSettingsKey(),
                                                 static_cast<orv::WindowPlacement&>(*this));
    Logger = std::make_unique<orv::SessionLog>(*this, clock, FileName(StartDir));
    logSink_.log = Logger.get();
    Buffer.SetLog(&logSink_);
    ApplySettings();
    diagnosticsOn_ = false;
}

TMainForm::~TMainForm() {
    // Notifications the socket raises while it is torn down must not reach a half-destroyed window.
    CliSocket->disconnect(this);
    Proc.reset();
    try {
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
    } catch (const orv::SettingsWriteError& error) {
        ReportWriteError(error);
    }
    Store.reset();
    // The log is closed last, so its stop line follows everything the run wrote.
    if (Logger->IsOpen()) CloseItemClick();
    Buffer.SetLog(nullptr);
    Logger.reset();
    if (MainForm == this) MainForm = nullptr;
}

int TMainForm::Scaled(int designed) const {
    return qRound(designed * logicalDpiY() / 120.0);
}

int TMainForm::Unscaled(int pixels) const {
    return qRound(pixels * 120.0 / logicalDpiY());
}

void TMainForm::BuildPanes() {
    // Top to bottom: the tool bar, then MainPanel with the text panes over the status bar.
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);
    auto* clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->setSpacing(0);
    auto* toolBar = new QFrame(client);
    toolBar->setObjectName(QStringLiteral("ToolBar"));
    toolBar->setAccessibleName(QStringLiteral("Tool Bar"));
    toolBar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    toolBar->setFixedHeight(Scaled(36));
    ToolBar = toolBar;
    MainPanel = new QWidget(client);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    clientLayout->addWidget(ToolBar);
    clientLayout->addWidget(MainPanel, 1);

    TextPanel = new QWidget(MainPanel);
    TextPanel->setObjectName(QStringLiteral("TextPanel"));
    auto* mainLayout = new QVBoxLayout(MainPanel);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->setSpacing(0);
    mainLayout->addWidget(TextPanel, 1);

    // A splitter filling its panel, with a handle of the designed width.
    const auto fillWithSplitter = [this](QWidget* panel, Qt::Orientation orientation, const char* name,
                                         int handle) {
        auto* splitter = new QSplitter(orientation, panel);
        splitter->setObjectName(QLatin1String(name));
        splitter->setChildrenCollapsible(false);
        splitter->setHandleWidth(Scaled(handle));
        auto* layout = new QVBoxLayout(panel);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(splitter);
        return splitter;
    };
    Splitter2 = fillWithSplitter(TextPanel, Qt::Vertical, "Splitter2", 3);
    TopPanel = new QWidget(Splitter2);
    TopPanel->setObjectName(QStringLiteral("TopPanel"));
    Splitter1 = fillWithSplitter(TopPanel, Qt::Horizontal, "Splitter1", 6);
    OutputPanel = new QWidget(Splitter1);
    OutputPanel->setObjectName(QStringLiteral("OutputPanel"));
    Splitter3 = fillWithSplitter(OutputPanel, Qt::Vertical, "Splitter3", 3);

    const int MinimumPane = Scaled(20);
    const auto makePane = [MinimumPane](QWidget* parent, const char* name, const QString& accessible,
                                        bool readOnly) {
        auto* pane = new QPlainTextEdit(parent);
        pane->setObjectName(QLatin1String(name));
        pane->setAccessibleName(accessible);
        pane->setReadOnly(readOnly);
        pane->setUndoRedoEnabled(!readOnly);
        pane->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // The scroll bar alone would ask for more height than the input pane is designed with.
        pane->setMinimumHeight(MinimumPane);
        return pane;
    };
    ScrollBackMemo = makePane(Splitter3, "ScrollBackMemo", QStringLiteral("Scrollback"), true);
    Output = makePane(Splitter3, "Output", QStringLiteral("Output"), true);
    Output->installEventFilter(this); // the Edit commands follow its focus
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
    PlayerList->setSelectionMode(QAbstractItemView::SingleSelection);
    PlayerList->setContextMenuPolicy(Qt::CustomContextMenu);
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

    // A splitter's size is stored when the user drops it, not at every step of the drag.
    for (QSplitter* splitter : {Splitter1, Splitter2, Splitter3}) {
        splitter->setOpaqueResize(true); // the panes follow the drag, so the drop finds them sized
        splitter->handle(1)->installEventFilter(this);
    }
}

void TMainForm::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));

    File1 = MakeMenu(bar, "File1", QStringLiteral("&File"));
    OpenItem = MakeAction(File1, "OpenItem", QStringLiteral("&Open Log File"));
    CloseItem = MakeAction(File1, "CloseItem", QStringLiteral("&Close Log File"));
    CloseItem->setEnabled(false);
    SaveItem = MakeAction(File1, "SaveItem", QStringLiteral("&Save Screen Buffer"));
    LogAllItem = MakeAction(File1, "LogAllItem", QStringLiteral("&Log All Sessions"), true);
    AddSeparator(File1, "N1");
    ExitItem = MakeAction(File1, "ExitItem", QStringLiteral("&Exit"));
    connect(OpenItem, &QAction::triggered, this, &TMainForm::OpenItemClick);
    connect(CloseItem, &QAction::triggered, this, &TMainForm::CloseItemClick);
    connect(SaveItem, &QAction::triggered, this, &TMainForm::SaveItemClick);
    connect(LogAllItem, &QAction::triggered, this, &TMainForm::LogAllItemClick);
    connect(ExitItem, &QAction::triggered, this, &TMainForm::ExitItemClick);

    Edit1 = MakeMenu(bar, "Edit1", QStringLiteral("&Edit"));
    CopyItem = MakeAction(Edit1, "CopyItem", QStringLiteral("&Copy"));
    PasteItem = MakeAction(Edit1, "PasteItem", QStringLiteral("&Paste"));
    SelectItem = MakeAction(Edit1, "SelectItem", QStringLiteral("&Select All"));
    connect(CopyItem, &QAction::triggered, this, &TMainForm::CopyItemClick);
    connect(PasteItem, &QAction::triggered, this, &TMainForm::PasteItemClick);
    connect(SelectItem, &QAction::triggered, this, &TMainForm::SelectItemClick);

    Connect1 = MakeMenu(bar, "Connect1", QStringLiteral("&Connect"));
    LogontoOrv = MakeAction(Connect1, "LogontoOrv", QStringLiteral("&Log On To Orv..."));
    NewAccountItem = MakeAction(Connect1, "NewAccountItem", QStringLiteral("New Account/Avatar"));
    AddSeparator(Connect1, "N10");
    Logoff = MakeAction(Connect1, "Logoff", QStringLiteral("Log &Off"));
    Logoff->setEnabled(false);
    connect(LogontoOrv, &QAction::triggered, this, &TMainForm::LogontoOrvClick);
    connect(NewAccountItem, &QAction::triggered, this, &TMainForm::NewAccountItemClick);
    connect(Logoff, &QAction::triggered, this, &TMainForm::LogoffClick);

    Options = MakeMenu(bar, "Options", QStringLiteral("&Options"));
    FKeysItem = MakeAction(Options, "FKeysItem", QStringLiteral("F-&Key Setup..."));
    FriendsItem = MakeAction(Options, "FriendsItem", QStringLiteral("&Friends && Foes..."));
    KeypadTravel = MakeAction(Options, "KeypadTravel", QStringLiteral("Keypad &Travel"), true);
    AddSeparator(Options, "N5");
    ColourItem = MakeAction(Options, "ColourItem", QStringLiteral("&Background Color..."));
    FontsItem = MakeAction(Options, "FontsItem", QStringLiteral("F&onts..."));
    AddSeparator(Options, "N4");
    TextAlertItem = MakeAction(Options, "TextAlertItem", QStringLiteral("&Incoming Text Alert"), true);
    LargeBufItem = MakeAction(Options, "LargeBufItem", QStringLiteral("&Large Buffer"), true);
    PlayerListItem = MakeAction(Options, "PlayerListItem", QStringLiteral("&Player List"), true);
    PlayerListItem->setChecked(true);
    SpyNetItem = MakeAction(Options, "SpyNetItem", QStringLiteral("SpyNet &Notices"), true);
    SupressBlanksItem =
        MakeAction(Options, "SupressBlanksItem", QStringLiteral("&Supress Blank Lines"), true);
    AddSeparator(Options, "N2");
    DiagItem = MakeAction(Options, "DiagItem", QStringLiteral("&Diagnostics"), true);
    connect(FKeysItem, &QAction::triggered, this, &TMainForm::FKeysItemClick);
    connect(FriendsItem, &QAction::triggered, this, &TMainForm::FriendsItemClick);
    connect(KeypadTravel, &QAction::triggered, this, &TMainForm::KeypadTravelClick);
    connect(ColourItem, &QAction::triggered, this, &TMainForm::ColourItemClick);
    connect(FontsItem, &QAction::triggered, this, &TMainForm::FontsItemClick);
    connect(TextAlertItem, &QAction::triggered, this, &TMainForm::TextAlertItemClick);
    connect(LargeBufItem, &QAction::triggered, this, &TMainForm::LargeBufItemClick);
    connect(PlayerListItem, &QAction::triggered, this, &TMainForm::PlayerListItemClick);
    connect(SpyNetItem, &QAction::triggered, this, &TMainForm::SpyNetItemClick);
    connect(SupressBlanksItem, &QAction::triggered, this, &TMainForm::SupressBlanksItemClick);
    connect(DiagItem, &QAction::triggered, this, &TMainForm::DiagItemClick);

    View1 = MakeMenu(bar, "View1", QStringLiteral("&View"));
    StatusBarItem = MakeAction(View1, "StatusBarItem", QStringLiteral("&Status Bar"), true);
    StatusBarItem->setChecked(true);
    ToolBarItem = MakeAction(View1, "ToolBarItem", QStringLiteral("&Tool Bar"), true);
    ToolBarItem->setChecked(true);
    AddSeparator(View1, "N7");
    ScrollBackItem = MakeAction(View1, "ScrollBackItem", QStringLiteral("Scrollback &Window"), true);
    connect(StatusBarItem, &QAction::triggered, this, &TMainForm::StatusBarItemClick);
    connect(ToolBarItem, &QAction::triggered, this, &TMainForm::ToolBarItemClick);
    connect(ScrollBackItem, &QAction::triggered, this, &TMainForm::ScrollBackItemClick);

    Help1 = MakeMenu(bar, "Help1", QStringLiteral("&Help"));
    HelpItem = MakeAction(Help1, "HelpItem", QStringLiteral("&Help"));
    About = MakeAction(Help1, "About", QStringLiteral("&About"));
    AddSeparator(Help1, "N6");
    MailItem = MakeAction(Help1, "MailItem", QStringLiteral("Mail Orv Feedback"));
    ReadtheNews1 = MakeAction(Help1, "ReadtheNews1", QStringLiteral("&Read The Orv News"));
    AddSeparator(Help1, "N9");
    SystemMapsItem = MakeAction(Help1, "SystemMapsItem", QStringLiteral("Solar System Maps"));
    OrvInfoItem = MakeAction(Help1, "OrvInfoItem", QStringLiteral("Orv Information"));
    connect(HelpItem, &QAction::triggered, this, &TMainForm::HelpItemClick);
    connect(About, &QAction::triggered, this, &TMainForm::AboutClick);
    connect(MailItem, &QAction::triggered, this, &TMainForm::MailItemClick);
    connect(ReadtheNews1, &QAction::triggered, this, &TMainForm::ReadtheNewsClick);
    connect(SystemMapsItem, &QAction::triggered, this, &TMainForm::SystemMapsItemClick);
    connect(OrvInfoItem, &QAction::triggered, this, &TMainForm::OrvInfoItemClick);
}

void TMainForm::BuildToolBar() {
    // Left edges as designed; the gaps between the groups are part of the design.
    const auto button = [this](const char* name, int left, const QString& hint, const QIcon& icon,
                               int wide = 25) {
        auto* b = new QToolButton(ToolBar);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setAccessibleName(hint);
        b->setIcon(icon);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus); // the keyboard stays with the panes
        b->setGeometry(Scaled(left), Scaled(6), Scaled(wide), Scaled(25));
        b->setIconSize(QSize(Scaled(wide), Scaled(25)) - QSize(2, 2)); // inside the button's raised edge
        return b;
    };
    namespace icons = orv::ui::icons;
    OpenBtn = button("OpenBtn", 8, QStringLiteral("Open Log File"), icons::OpenLog());
    CloseBtn = button("CloseBtn", 36, QStringLiteral("Close Log File"), icons::CloseLog());
    CloseBtn->setEnabled(false);
    SaveBtn = button("SaveBtn", 64, QStringLiteral("Save Screen Buffer"), icons::SaveBuffer());
    LogOnBtn = button("LogOnBtn", 104, QStringLiteral("Log On To Orvanta"), icons::LogOn());
    LogOffBtn = button("LogOffBtn", 132, QStringLiteral("Log Off"), icons::LogOff(), 24);
    LogOffBtn->setEnabled(false);
    ScrollBackBtn = button("ScrollBackBtn", 168, QStringLiteral("Scrollback Window"), icons::ScrollBack());
    NewsBtn = button("NewsBtn", 196, QStringLiteral("Read the Orvanta News"), icons::News());
    HelpBtn = button("HelpBtn", 224, QStringLiteral("Help"), icons::Help());
    FKeyBtn = button("FKeyBtn", 260, QStringLiteral("F-Key Setup"), icons::FKeys());
    FoeBtn = button("FoeBtn", 288, QStringLiteral("Friends & Foes"), icons::Foes());
    SpeedButton1 = button("SpeedButton1", 316, QString(), icons::TextAlert());
    SpeedButton1->setAccessibleName(QStringLiteral("Incoming Text Alert"));
    SpeedButton1->setCheckable(true);
    KeyPadBtn = button("KeyPadBtn", 344, QStringLiteral("Key-Pad Travel"), icons::KeyPad());
    KeyPadBtn->setCheckable(true);
    ToolBar->setMinimumWidth(Scaled(344 + 25 + 8));

    connect(OpenBtn, &QToolButton::clicked, this, &TMainForm::OpenItemClick);
    connect(CloseBtn, &QToolButton::clicked, this, &TMainForm::CloseItemClick);
    connect(SaveBtn, &QToolButton::clicked, this, &TMainForm::SaveItemClick);
    connect(LogOnBtn, &QToolButton::clicked, this, &TMainForm::LogontoOrvClick);
    connect(LogOffBtn, &QToolButton::clicked, this, &TMainForm::LogoffClick);
    connect(NewsBtn, &QToolButton::clicked, this, &TMainForm::ReadtheNewsClick);
    connect(HelpBtn, &QToolButton::clicked, this, &TMainForm::HelpItemClick);
    connect(FKeyBtn, &QToolButton::clicked, this, &TMainForm::FKeysItemClick);
    connect(FoeBtn, &QToolButton::clicked, this, &TMainForm::FriendsItemClick);
    // The buttons that mirror a checked menu item trigger it, so the item's check mark stays the
    // one truth.
    connect(ScrollBackBtn, &QToolButton::clicked, ScrollBackItem, &QAction::trigger);
    connect(SpeedButton1, &QToolButton::clicked, TextAlertItem, &QAction::trigger);
    connect(KeyPadBtn, &QToolButton::clicked, KeypadTravel, &QAction::trigger);
}

void TMainForm::BuildStatusBar() {
    StatusBar = new QStatusBar(MainPanel);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setAccessibleName(QStringLiteral("Status Bar"));
    StatusBar->setFixedHeight(Scaled(28));
    MainPanel->layout()->addWidget(StatusBar);
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
    windowFont_ = font;
    for (QWidget* pane : {static_cast<QWidget*>(Output), static_cast<QWidget*>(ScrollBackMemo),
                          static_cast<QWidget*>(Input), static_cast<QWidget*>(PlayerList)})
        pane->setFont(font);
}

// ---- Settings ---------------------------------------------------------------------------------

void TMainForm::SetTop(std::int32_t top) {
    move(x(), top);
}

void TMainForm::SetLeft(std::int32_t left) {
    move(left, y());
}

void TMainForm::SetWidth(std::int32_t width) {
    resize(std::max(width, 1), height());
}

void TMainForm::SetHeight(std::int32_t height) {
    resize(width(), std::max(height, 1));
}

void TMainForm::SetWindowState(std::int32_t state) {
    switch (state) {
    case orv::WindowState::Minimised:
        setWindowState(Qt::WindowMinimized);
        break;
    case orv::WindowState::Maximised:
        setWindowState(Qt::WindowMaximized);
        break;
    default:
        setWindowState(Qt::WindowNoState);
        break;
    }
}

template <class Write> void TMainForm::StoreSetting(Write&& write) {
    try {
        write();
    } catch (const orv::SettingsWriteError& error) {
        ReportWriteError(error);
    }
}

void TMainForm::ReportWriteError(const orv::SettingsWriteError& error) {
    // At exit the window is already hidden; the box then stands on its own.
    QMessageBox::critical(isVisible() ? this : nullptr, QStringLiteral("Orv2Term"),
                          QString::fromLocal8Bit(error.what()));
}

void TMainForm::ApplySettings() {
    PaintPanes(Store->BkgColour, true);
    SpyNetItem->setChecked(Store->SpynetReport);
    SetPlayerPanelWidth(Store->GetListWidth());
    SetInputPanelHeight(Store->GetInputHeight());
    PlayerListItem->setChecked(Store->GetPlayerList());
    PlayerPanel->setVisible(PlayerListItem->isChecked());
    SupressBlanksItem->setChecked(Store->GetBlankStatus());
    Buffer.SetSupressBlanks(SupressBlanksItem->isChecked());
    const std::int32_t lines = Store->GetBufferSize();
    SetLineLimit(lines);
    LargeBufItem->setChecked(lines > static_cast<std::int32_t>(orv::OutputBuffer::DefaultLineLimit));
    StatusBarItem->setChecked(Store->GetStatusBar());
    StatusBar->setVisible(StatusBarItem->isChecked());
    ToolBarItem->setChecked(Store->GetToolBar());
    ToolBar->setVisible(ToolBarItem->isChecked());
    scrollBackHeight_ = Store->GetScrollBack();
    if (Store->Font) {
        ApplyWindowFont(ToQFont(*Store->Font));
        const QColor text = ToQColor(Store->Font->Colour);
        for (QWidget* pane : {static_cast<QWidget*>(Output), static_cast<QWidget*>(ScrollBackMemo),
                              static_cast<QWidget*>(Input), static_cast<QWidget*>(PlayerList)}) {
            QPalette palette = pane->palette();
            palette.setColor(QPalette::Text, text);
            pane->setPalette(palette);
        }
    }
    if (Store->GetAutoLog()) {
        LogAllItem->setChecked(true);
        Logger->StartDayLog();
    }
}

void TMainForm::PaintPanes(std::uint32_t colour, bool withScrollBack) {
    const QColor background = ToQColor(colour);
    for (QWidget* pane : {static_cast<QWidget*>(Output), static_cast<QWidget*>(Input),
                          static_cast<QWidget*>(PlayerList), static_cast<QWidget*>(ScrollBackMemo)}) {
        if (pane == ScrollBackMemo && !withScrollBack) continue;
        QPalette palette = pane->palette();
        palette.setColor(QPalette::Base, background);
        pane->setPalette(palette);
    }
}

// Stored pane sizes are in the designed 120-dpi pixels, like every size of the layout, so they
// mean the same on any screen.
void TMainForm::SetPlayerPanelWidth(int designed) {
    const int width = std::max(Scaled(designed), 1);
    static_cast<Panel*>(PlayerPanel)->SetDesignSize(QSize(width, Scaled(200)));
    if (Splitter1->isVisible()) {
        const int total = Splitter1->width() - Splitter1->handleWidth();
        Splitter1->setSizes({std::max(total - width, 1), width});
    }
}

void TMainForm::SetInputPanelHeight(int designed) {
    const int height = std::max(Scaled(designed), 1);
    static_cast<Panel*>(InputPanel)->SetDesignSize(QSize(Scaled(400), height));
    if (Splitter2->isVisible()) {
        const int total = Splitter2->height() - Splitter2->handleWidth();
        Splitter2->setSizes({std::max(total - height, 1), height});
    }
}

void TMainForm::SetLineLimit(std::int32_t lines) {
    Buffer.SetLineLimit(static_cast<std::size_t>(std::clamp(lines, 0, LineLimitCeiling)));
}

void TMainForm::Splitter1Moved() {
    StoreSetting([this] { Store->SetListWidth(Unscaled(PlayerPanel->width())); });
}

void TMainForm::Splitter2Moved() {
    StoreSetting([this] { Store->SetInputHeight(Unscaled(InputPanel->height())); });
}

void TMainForm::Splitter3Moved() {
    scrollBackHeight_ = Unscaled(ScrollBackMemo->height());
    StoreSetting([this] { Store->SetScrollBack(scrollBackHeight_); });
}

void TMainForm::ColourItemClick() {
    QColorDialog dialog(ToQColor(Store->BkgColour), this);
    dialog.setObjectName(QStringLiteral("ColorDialog"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    const int result = dialog.exec();
    activateWindow(); // also where no window manager hands the keyboard back
    if (result != QDialog::Accepted) return;
    Store->BkgColour = FromQColor(dialog.selectedColor());
    // The scrollback pane takes the new colour at the next start.
    PaintPanes(Store->BkgColour, false);
}

void TMainForm::FontsItemClick() {
    QFontDialog dialog(this);
    dialog.setObjectName(QStringLiteral("FontDialog"));
    dialog.setOptions(QFontDialog::MonospacedFonts | QFontDialog::DontUseNativeDialog);
    dialog.setCurrentFont(WithStyleName(windowFont_)); // after the options: this filters the faces
    const int result = dialog.exec();
    activateWindow();
    if (result != QDialog::Accepted) return;
    const QFont chosen = dialog.selectedFont();
    orv::StoredFont stored;
    stored.FaceName = EncodeCp1252(chosen.family());
    stored.Height = QFontMetrics(chosen).height();
    stored.Weight = chosen.weight();
    stored.PointSize = chosen.pointSize() > 0 ? qRound(chosen.pointSizeF()) : -chosen.pixelSize();
    stored.Colour = Store->Font ? Store->Font->Colour : SystemWindowText;
    Store->Font = stored;
    ApplyWindowFont(chosen);
}

void TMainForm::SpyNetItemClick() {
    // Written at exit with the rest of the store's batch.
    Store->SpynetReport = SpyNetItem->isChecked();
}

void TMainForm::StatusBarItemClick() {
    const bool shown = StatusBarItem->isChecked();
    StatusBar->setVisible(shown);
    StoreSetting([&] { Store->SetStatusBar(shown); });
}

void TMainForm::ToolBarItemClick() {
    const bool shown = ToolBarItem->isChecked();
    ToolBar->setVisible(shown);
    StoreSetting([&] { Store->SetToolBar(shown); });
}

// ---- Session log ------------------------------------------------------------------------------

void TMainForm::LoggingChanged(bool open) {
    OpenItem->setEnabled(!open);
    OpenBtn->setEnabled(!open);
    CloseItem->setEnabled(open);
    CloseBtn->setEnabled(open);
    StatusPanels[1]->setText(open ? QStringLiteral("Logging") : QString());
}

void TMainForm::OpenItemClick() {
    QFileDialog dialog(this, QStringLiteral("Open logging file"), StartDir);
    dialog.setObjectName(QStringLiteral("OpenDialog"));
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // a new log file may be named here
    dialog.setNameFilters({QStringLiteral("orv log file (*.log)"), QStringLiteral("all files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("log"));
    const int result = dialog.exec();
    activateWindow();
    if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    Logger->OpenChosenLog(FileName(dialog.selectedFiles().constFirst()));
}

void TMainForm::CloseItemClick() {
    Logger->CloseLog();
}

void TMainForm::SaveItemClick() {
    QFileDialog dialog(this, QStringLiteral("Save Buffer"), StartDir);
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    // The buffer is appended to the file, so choosing an existing one needs no warning.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails |
                      QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("log files (*.log)"), QStringLiteral("all files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("log"));
    const int result = dialog.exec();
    activateWindow();
    if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    Logger->SaveBuffer(FileName(dialog.selectedFiles().constFirst()), Buffer.JoinedText());
}

void TMainForm::LogAllItemClick() {
    StoreSetting([this] { Logger->LogAllToggled(LogAllItem->isChecked(), *Store); });
}

void TMainForm::ExitItemClick() {
    close(); // no question, connected or not
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

// ---- Dialogs and web pages --------------------------------------------------------------------

void TMainForm::FKeysItemClick() {
    if (FKeyForm == nullptr) return;
    FKeyForm->exec();
    activateWindow();
}

void TMainForm::FriendsItemClick() {
    // Not modal: the player keeps playing while the list is open.
    if (FriendsForm == nullptr) return;
    FriendsForm->show();
    FriendsForm->raise();
    FriendsForm->activateWindow();
}

void TMainForm::AboutClick() {
    if (AboutBox == nullptr) return;
    AboutBox->exec();
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
    StartConnection(TCPIPForm->HostEdit->text(), EncodeCp1252(TCPIPForm->PortEdit->text()), LinkState::Logon);
}

void TMainForm::NewAccountItemClick() {
    if (::NewAccountForm == nullptr) return;
    const int result = ::NewAccountForm->exec();
    activateWindow();
    if (result != TNewAccountForm::ResultYes) return;
    const orv::NewAccountDetails form = ::NewAccountForm->Details();
    StartConnection(DecodeCp1252(form.Host), form.Port, LinkState::NewAccount);
}

void TMainForm::StartConnection(const QString& host, const std::string& portText, LinkState state) {
    SetCondition(QStringLiteral("Connecting"));
    UpdateCaption();
    PlayerList->clear();

    const auto port = orv::ParsePort(portText);
    if (!port) {
        ConnectionError();
        return;
    }
    // A new connection starts clean: no half line or dialogue step from the last one.
    Proc->Reset();
    NewAccountItem->setEnabled(false);
    LogontoOrv->setEnabled(false);
    LogOnBtn->setEnabled(false);
    Players->ClearRoster();
    linkState_ = state;
    // The socket may still be flushing the last connection's final bytes.
    if (CliSocket->state() != QAbstractSocket::UnconnectedState) CliSocket->abort();
    attempting_ = true;
    // Everything above is done before connecting: the socket may report a failure at once.
    CliSocket->connectToHost(host, *port);
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
    // A link lost while the player list was being built leaves nothing to wait for.
    if (linkState_ == LinkState::Setup || linkState_ == LinkState::WhoList) FinishSetup();
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
        Proc->ProcessChunk(chunk);
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
    if (Logger) Logger->Flush();
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
    const auto limit = static_cast<std::int32_t>(
        LargeBufItem->isChecked() ? orv::OutputBuffer::LargeLineLimit : orv::OutputBuffer::DefaultLineLimit);
    SetLineLimit(limit);
    StoreSetting([&] { Store->SetBufferSize(limit); });
}

void TMainForm::SupressBlanksItemClick() {
    Buffer.SetSupressBlanks(SupressBlanksItem->isChecked());
    StoreSetting([this] { Store->SetBlankStatus(SupressBlanksItem->isChecked()); });
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
        // Its stored height, as far as the output pane under it keeps a few lines.
        const int total = Splitter3->height() - Splitter3->handleWidth();
        const int memo = std::clamp(Scaled(scrollBackHeight_), 1, std::max(total - Scaled(40), 1));
        Splitter3->setSizes({memo, std::max(total - memo, 1)});
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
    const bool shown = PlayerListItem->isChecked();
    // Stored before the panel changes.
    StoreSetting([&] { Store->SetPlayerList(shown); });
    Players->PlayerListToggled(shown);
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
