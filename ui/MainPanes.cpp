// The main window's panes and status bar, how the stored settings shape them, and the commands that
// change their look or write the log.
#include "ui/Main.h"

#include "ui/Boxes.h"
#include "ui/Layout.h"

#include "ui/Appearance.h"
#include "ui/Codepage.h"
#include "ui/FindBar.h"
#include "ui/OutputPane.h"

#include <QAction>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The output model reserves its whole ring up front, so a hand-edited "buffer size" must not ask
// for millions of lines.
constexpr std::int32_t LineLimitCeiling = 100000;
// A new font keeps the text colour the store last had, or the system's window text.
constexpr std::uint32_t SystemWindowText = 0x80000000u | orv::SystemWindowTextIndex;

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

} // namespace

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
    toolBar->setFixedHeight(orv::ui::Scaled(this, 36));
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
        splitter->setHandleWidth(orv::ui::Scaled(this, handle));
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

    const int MinimumPane = orv::ui::Scaled(this, 20);
    const auto makePane = [MinimumPane](QWidget* parent, const char* name, const QString& accessible,
                                        bool readOnly) {
        auto* pane = new QPlainTextEdit(parent);
        pane->setObjectName(QLatin1String(name));
        pane->setAccessibleName(accessible);
        pane->setReadOnly(readOnly);
        // A read-only pane still takes a caret, so that it can be read and selected from the keyboard.
        if (readOnly) pane->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
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
    findBar_ = new orv::ui::FindBar(Output, OutputPanel);
    OutputPanel->layout()->addWidget(findBar_);
    // The splitter hides its handle together with the pane above it.
    ScrollBackMemo->hide();
    Splitter3->setStretchFactor(0, 0);
    Splitter3->setStretchFactor(1, 1);

    auto* playerPanel = new Panel("PlayerPanel", Splitter1);
    playerPanel->SetDesignSize(QSize(orv::ui::Scaled(this, 140), orv::ui::Scaled(this, 200)));
    PlayerPanel = playerPanel;
    TotalPanel = new QLabel(QStringLiteral("All Players"), PlayerPanel);
    // Named by the text it shows, as the status panels are, so that a screen reader hears it change.
    TotalPanel->setObjectName(QStringLiteral("TotalPanel"));
    TotalPanel->setAlignment(Qt::AlignCenter);
    TotalPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    TotalPanel->setFixedHeight(orv::ui::Scaled(this, 39));
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
    inputPanel->SetDesignSize(QSize(orv::ui::Scaled(this, 400), orv::ui::Scaled(this, 56)));
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

void TMainForm::BuildStatusBar() {
    StatusBar = new QStatusBar(MainPanel);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setAccessibleName(QStringLiteral("Status Bar"));
    StatusBar->setFixedHeight(orv::ui::Scaled(this, 28));
    MainPanel->layout()->addWidget(StatusBar);
    const int widths[] = {132, 100, 220, 50};
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(StatusBar);
        // No name of its own: a label is named by its text, and tells a screen reader when that changes.
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFixedWidth(orv::ui::Scaled(this, widths[i]));
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
    ReconnectItem->setChecked(Store->GetReconnect());
    link_->SetReconnect(ReconnectItem->isChecked());
    if (Store->Font) {
        ApplyWindowFont(orv::ui::ToQFont(*Store->Font));
        const QColor text = orv::ui::ToQColor(Store->Font->Colour);
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

// The stored corner and size each lie within the desktop's room, but together they may not; and
// only now, the window made, may its frame be known. The whole frame is brought inside.
void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous() || (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) != 0) return;
    const QRect room = orv::ui::ScreenRoom(this);
    const QSize frame = frameGeometry().size() - size();
    resize(size().boundedTo(room.size() - frame));
    const QPoint inside(
        std::clamp(x(), room.left(),
                   std::max(room.left(), room.x() + room.width() - frameGeometry().width())),
        std::clamp(y(), room.top(),
                   std::max(room.top(), room.y() + room.height() - frameGeometry().height())));
    if (inside != pos()) move(inside); // an unplaced window is left for the desktop to place
}

void TMainForm::PaintPanes(std::uint32_t colour, bool withScrollBack) {
    const QColor background = orv::ui::ToQColor(colour);
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
    const int width = orv::ui::ScaledWithinScreen(this, designed, Qt::Horizontal);
    static_cast<Panel*>(PlayerPanel)->SetDesignSize(QSize(width, orv::ui::Scaled(this, 200)));
    if (Splitter1->isVisible()) {
        const int total = Splitter1->width() - Splitter1->handleWidth();
        Splitter1->setSizes({std::max(total - width, 1), width});
    }
}

void TMainForm::SetInputPanelHeight(int designed) {
    const int height = orv::ui::ScaledWithinScreen(this, designed, Qt::Vertical);
    static_cast<Panel*>(InputPanel)->SetDesignSize(QSize(orv::ui::Scaled(this, 400), height));
    if (Splitter2->isVisible()) {
        const int total = Splitter2->height() - Splitter2->handleWidth();
        Splitter2->setSizes({std::max(total - height, 1), height});
    }
}

void TMainForm::SetLineLimit(std::int32_t lines) {
    Buffer.SetLineLimit(static_cast<std::size_t>(std::clamp(lines, 0, LineLimitCeiling)));
}

void TMainForm::Splitter1Moved() {
    orv::ui::WriteOrReport(this,
                           [this] { Store->SetListWidth(orv::ui::Unscaled(this, PlayerPanel->width())); });
}

void TMainForm::Splitter2Moved() {
    orv::ui::WriteOrReport(this,
                           [this] { Store->SetInputHeight(orv::ui::Unscaled(this, InputPanel->height())); });
}

void TMainForm::Splitter3Moved() {
    scrollBackHeight_ = orv::ui::Unscaled(this, ScrollBackMemo->height());
    orv::ui::WriteOrReport(this, [this] { Store->SetScrollBack(scrollBackHeight_); });
}

void TMainForm::ColourItemClick() {
    QColorDialog dialog(orv::ui::ToQColor(Store->BkgColour), this);
    dialog.setObjectName(QStringLiteral("ColorDialog"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    const int result = dialog.exec();
    activateWindow(); // also where no window manager hands the keyboard back
    if (result != QDialog::Accepted) return;
    Store->BkgColour = orv::ui::FromQColor(dialog.selectedColor());
    // The scrollback pane takes the new colour at the next start.
    PaintPanes(Store->BkgColour, false);
}

void TMainForm::FontsItemClick() {
    QFontDialog dialog(this);
    dialog.setObjectName(QStringLiteral("FontDialog"));
    dialog.setOptions(QFontDialog::MonospacedFonts | QFontDialog::DontUseNativeDialog);
    dialog.setCurrentFont(orv::ui::WithStyleName(windowFont_)); // after the options: this filters the faces
    const int result = dialog.exec();
    activateWindow();
    if (result != QDialog::Accepted) return;
    const QFont chosen = dialog.selectedFont();
    orv::StoredFont stored;
    stored.FaceName = orv::ui::EncodeCp1252(chosen.family());
    stored.Height = QFontMetrics(chosen).height();
    stored.Weight = chosen.weight();
    stored.PointSize = chosen.pointSize() > 0 ? qRound(chosen.pointSizeF()) : -chosen.pixelSize();
    stored.Colour = Store->Font ? Store->Font->Colour : SystemWindowText;
    Store->Font = stored;
    ApplyWindowFont(chosen);
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
    Logger->OpenChosenLog(orv::ui::FileName(dialog.selectedFiles().constFirst()));
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
    Logger->SaveBuffer(orv::ui::FileName(dialog.selectedFiles().constFirst()), Buffer.JoinedText());
}

void TMainForm::LogAllItemClick() {
    orv::ui::WriteOrReport(this, [this] { Logger->LogAllToggled(LogAllItem->isChecked(), *Store); });
}
