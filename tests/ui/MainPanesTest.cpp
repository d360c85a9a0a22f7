#include "AccessibleEvents.h"
#include "UiFixture.h"
#include "ui/Layout.h"

namespace {

const char* const Panes[] = {"Output", "Input", "PlayerList", "ScrollBackMemo"};

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Drags a splitter's handle by the given offset; between the move and the drop, check runs.
void Drag(QSplitter* splitter, QPoint by, const std::function<void()>& check = nullptr) {
    QSplitterHandle* handle = splitter->handle(1);
    const QPoint from = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, from);
    QTest::mouseMove(handle, from + by);
    if (check) check();
    QTest::mouseRelease(handle, Qt::LeftButton, {}, from + by);
}

class MainPanesTest : public UiTest {
  protected:
    // The backgrounds of Output, Input, the player list and the scrollback pane.
    std::vector<QRgb> Backgrounds() const {
        std::vector<QRgb> colours;
        for (const char* pane : Panes)
            colours.push_back(Find<QWidget>(pane)->palette().color(QPalette::Base).rgb());
        return colours;
    }
    // The status panel, the commands and the buttons that say whether a log is open.
    void ExpectLogging(bool open) const {
        auto* panel = Find<QLabel>("StatusPanel1");
        EXPECT_EQ(panel->text(), open ? "Logging" : "");
        // Named by its text, as every status panel is, so that a screen reader hears the change.
        EXPECT_EQ(QAccessible::queryAccessibleInterface(panel)->text(QAccessible::Name), panel->text());
        EXPECT_EQ(Action("OpenItem")->isEnabled() && Find<QToolButton>("OpenBtn")->isEnabled(), !open);
        EXPECT_EQ(Action("CloseItem")->isEnabled() && Find<QToolButton>("CloseBtn")->isEnabled(), open);
    }
    // Answers the next file dialog of that name with path.
    static void ChooseFile(const char* dialogName, const QString& path) {
        WhenModal(QLatin1String(dialogName), [path](QWidget* modal) {
            qobject_cast<QFileDialog*>(modal)->selectFile(path);
            static_cast<QDialog*>(modal)->accept(); // as the dialog's own button does
        });
    }
};

TEST_F(MainPanesTest, ExitWritesTheWindowsSettingsAndTheNextStartAppliesThem) {
    // A first run shows fixed-pitch text on the system's colours and writes nothing until a switch moves.
    EXPECT_TRUE(QFontInfo(Output->font()).fixedPitch());
    EXPECT_EQ(Backgrounds(), std::vector<QRgb>(4, QApplication::palette().color(QPalette::Base).rgb()));
    EXPECT_FALSE(QFileInfo::exists(SettingsPath()));
    form->move(37, 41);
    form->resize(orv::ui::Scaled(form.get(), 700), orv::ui::Scaled(form.get(), 520));
    // The placement is the frame's position and the window's size, as move() and resize() take them.
    const QRect placed(form->pos(), form->size());
    const QFont font = form->WindowFont();
    const QFont header = Find<QLabel>("TotalPanel")->font();
    Stop();
    EXPECT_EQ(Number("BkgColour"), 0x80000005u) << "the system colour stays a system colour";
    EXPECT_EQ(QString::fromStdString(Stored("Font Name").Text), QFontInfo(font).family());
    EXPECT_EQ(int(Number("Font Height")), QFontMetrics(font).height());
    EXPECT_EQ(Number("Font Weight"), 400u);
    EXPECT_EQ(QRect(int(Number("Window Left")), int(Number("Window Top")), int(Number("Window Width")),
                    int(Number("Window Height"))),
              placed);
    Start();
    EXPECT_EQ(QRect(form->pos(), form->size()), placed);
    EXPECT_EQ(form->WindowFont(), font);

    // Values stored by hand shape the next start and go back out unchanged.
    Stop();
    const std::pair<const char*, std::uint32_t> values[] = {
        {"BkgColour", 0x00336699}, {"Window State", 2}, {"buffer size", 201}, {"StatusBar", 0},
        {"Font Weight", 700},      {"Font Size", 14},   {"Font Colour", 0xFF}};
    for (const auto& [name, value] : values)
        Store(name, value);
    Store("Font Name", std::string("DejaVu Sans Mono"));
    Store("Font Height", 20); // written back as the window measures the font
    Start();
    EXPECT_TRUE(form->isMaximized());
    EXPECT_EQ(Backgrounds(), std::vector<QRgb>(4, qRgb(0x99, 0x66, 0x33)));
    for (const char* pane : Panes) {
        EXPECT_EQ(Find<QWidget>(pane)->font(), form->WindowFont()) << pane;
        EXPECT_EQ(Find<QWidget>(pane)->palette().color(QPalette::Text), QColor(255, 0, 0)) << pane;
    }
    EXPECT_EQ(QFontInfo(form->WindowFont()).family(), "DejaVu Sans Mono");
    EXPECT_EQ(form->WindowFont().pointSize(), 14);
    EXPECT_EQ(form->WindowFont().weight(), QFont::Bold);
    EXPECT_EQ(Find<QLabel>("TotalPanel")->font(), header) << "the header keeps its own font";
    EXPECT_TRUE(Action("LargeBufItem")->isChecked()) << "any stored size over 200 shows ticked";
    EXPECT_EQ(form->OutputModel().LineLimit(), 201u);
    Stop();
    for (const auto& [name, value] : values)
        EXPECT_EQ(Number(name), value) << name;
}

TEST_F(MainPanesTest, TheColourAndFontDialogsRepaintThePanesAndTheScrollbackFollowsAtTheNextStart) {
    const QRgb window = Backgrounds().front();
    const QRgb chosen = qRgb(10, 20, 30);
    WhenModal(QStringLiteral("ColorDialog"), [=](QWidget* modal) {
        auto* dialog = qobject_cast<QColorDialog*>(modal);
        EXPECT_EQ(dialog->currentColor().rgb(), window) << "opens on the stored colour";
        dialog->setCurrentColor(chosen);
        dialog->accept();
    });
    Action("ColourItem")->trigger();
    EXPECT_EQ(Backgrounds(), (std::vector<QRgb>{chosen, chosen, chosen, window}));

    WhenModal(QStringLiteral("FontDialog"), [&](QWidget* modal) {
        auto* dialog = qobject_cast<QFontDialog*>(modal);
        const QAbstractItemModel* faces = dialog->findChild<QListView*>()->model();
        for (int row = 0; row < faces->rowCount(); ++row)
            EXPECT_TRUE(QFontDatabase::isFixedPitch(faces->index(row, 0).data().toString())) << row;
        EXPECT_EQ(dialog->currentFont().family(), form->WindowFont().family())
            << "opens on the window's font";
        EXPECT_EQ(QFontInfo(dialog->currentFont()).style(), QFont::StyleNormal) << "not the oblique face";
        dialog->setCurrentFont(QFont(QStringLiteral("DejaVu Sans Mono"), 13));
        dialog->accept();
    });
    Action("FontsItem")->trigger();
    EXPECT_EQ(form->WindowFont().family(), "DejaVu Sans Mono");
    for (const char* pane : Panes)
        EXPECT_EQ(Find<QWidget>(pane)->font(), form->WindowFont()) << pane;

    Restart();
    EXPECT_EQ(Number("BkgColour"), 0x001e140au);
    EXPECT_EQ(Backgrounds(), std::vector<QRgb>(4, chosen));
    EXPECT_EQ(Number("Font Colour"), 0x80000008u) << "the system's window text";
    EXPECT_EQ(form->WindowFont().family(), "DejaVu Sans Mono");
    EXPECT_EQ(form->WindowFont().pointSize(), 13);
}

TEST_F(MainPanesTest, SplittersStoreTheirPanesWhenDropped) {
    auto* players = Find<QWidget>("PlayerPanel");
    auto* memo = Find<QWidget>("ScrollBackMemo");
    const int width = players->width();
    Drag(Find<QSplitter>("Splitter1"), QPoint(-40, 0), [&] {
        EXPECT_EQ(players->width(), width + 40);
        EXPECT_EQ(Stored("list width").Type, orv::ValueType::Absent) << "not while dragging";
    });
    EXPECT_EQ(int(Number("list width")), orv::ui::Unscaled(form.get(), width + 40));
    Drag(Find<QSplitter>("Splitter2"), QPoint(0, -30));
    const int height = Find<QWidget>("InputPanel")->height();
    EXPECT_EQ(int(Number("input height")), orv::ui::Unscaled(form.get(), height));

    // The scrollback pane opens at its stored height, also once its splitter has laid out again.
    Action("ScrollBackItem")->trigger();
    ASSERT_TRUE(Until([&] { return Find<QSplitter>("Splitter3")->handle(1)->isVisible(); }));
    EXPECT_EQ(memo->height(), orv::ui::Scaled(form.get(), 190));
    Drag(Find<QSplitter>("Splitter3"), QPoint(0, -25));
    const int scrollBack = memo->height();
    EXPECT_EQ(int(Number("ScrollBack")), orv::ui::Unscaled(form.get(), scrollBack));
    Action("ScrollBackItem")->trigger();
    Action("ScrollBackItem")->trigger();
    EXPECT_EQ(memo->height(), scrollBack) << "closed and opened again, the pane keeps its height";

    Restart();
    EXPECT_EQ(Find<QWidget>("PlayerPanel")->width(), width + 40);
    EXPECT_EQ(Find<QWidget>("InputPanel")->height(), height);
    Action("ScrollBackItem")->trigger();
    EXPECT_EQ(Find<QWidget>("ScrollBackMemo")->height(), scrollBack);
}

// Sizes and a position edited by hand to the ends of their range: the window opens within the
// screen, every pane within the window.
TEST_F(MainPanesTest, HandEditedSizesAreBoundToTheScreen) {
    for (const std::uint32_t extreme : {0x7fffffffu, 0x80000000u}) {
        Stop();
        for (const char* name : {"Window Top", "Window Left", "Window Width", "Window Height", "list width",
                                 "input height", "ScrollBack"})
            Store(name, extreme);
        Start();
        Action("ScrollBackItem")->trigger();
        EXPECT_TRUE(form->screen()->availableGeometry().contains(form->frameGeometry())) << extreme;
        for (const char* pane : {"Output", "PlayerPanel", "InputPanel", "ScrollBackMemo"}) {
            const QSize size = Find<QWidget>(pane)->size();
            EXPECT_TRUE(!size.isEmpty() && size.width() <= form->width() && size.height() <= form->height())
                << pane << " " << extreme;
        }
    }
}

TEST_F(MainPanesTest, TheLogCommandsShowWhetherALogIsOpenAndShownLinesReachIt) {
    AccessibleEvents events;
    form->ShowCondition("Connected");
    for (const char* panel : {"StatusPanel0", "TotalPanel"})
        EXPECT_EQ(events.Of(Find<QLabel>(panel), QAccessible::NameChanged).back().Name, "Connected") << panel;
    const QString mine = home.path() + QStringLiteral("/mine.log");
    ChooseFile("OpenDialog", mine);
    QTest::mouseClick(Find<QToolButton>("OpenBtn"), Qt::LeftButton);
    ExpectLogging(true);
    EXPECT_FALSE(events.Of(Find<QLabel>("StatusPanel1"), QAccessible::NameChanged).empty());
    form->ShowLine("shown");
    QTest::mouseClick(Find<QToolButton>("CloseBtn"), Qt::LeftButton);
    ExpectLogging(false);
    EXPECT_TRUE(Contents(mine).contains("\nshown\n")) << Contents(mine).toStdString();

    const QString buffer = home.path() + QStringLiteral("/buffer.log");
    const QByteArray pane = Lines().join('\n').toLatin1();
    ChooseFile("SaveDialog", buffer);
    Action("SaveItem")->trigger();
    EXPECT_TRUE(Contents(buffer).contains(pane)) << Contents(buffer).toStdString();

    // Log All Sessions is stored and opens the day log, now and at the next start.
    Action("LogAllItem")->trigger();
    EXPECT_EQ(Number("AutoLog"), 1u);
    ExpectLogging(true);
    Restart();
    EXPECT_TRUE(Action("LogAllItem")->isChecked());
    ExpectLogging(true);
}

TEST_F(MainPanesTest, AFailedSettingsWriteIsReportedAndTheProgramGoesOn) {
    Action("LogAllItem")->trigger();
    const QString dayLog = home.path() + QStringLiteral("/logs/05Dec2026.log");
    // A file where the settings folder belongs: nothing can be written there any more.
    QDir(ConfigDir()).removeRecursively();
    ASSERT_TRUE(QFile(ConfigDir()).open(QIODevice::WriteOnly));
    QStringList reported;
    QWidget* const window = form.get();
    bool stopped = false; // whether the log had stopped when the last box showed
    const auto answer = [&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        reported << box->text();
        // Over the window while it shows; at exit, when it is hidden, the box stands on its own.
        EXPECT_EQ(box->windowTitle(), "Orv2Term");
        EXPECT_EQ(box->parentWidget(), reported.size() == 1 ? window : nullptr);
        stopped = Contents(dayLog).contains("Logging stopped");
        box->button(QMessageBox::Ok)->click();
    };
    WhenModal(QString(), answer);
    Action("StatusBarItem")->trigger();
    EXPECT_FALSE(Find<QWidget>("StatusBar")->isVisible()) << "the command still takes effect";

    // Exit asks nothing; the settings written at exit fail at their first value, and only then
    // does the log stop.
    WhenModal(QString(), answer);
    Action("ExitItem")->trigger();
    EXPECT_FALSE(form->isVisible());
    Stop();
    ASSERT_EQ(reported.size(), 2);
    EXPECT_TRUE(reported[0].contains("\"StatusBar\"") && reported[1].contains("\"BkgColour\""))
        << reported.join('|').toStdString();
    EXPECT_FALSE(stopped);
    EXPECT_TRUE(Contents(dayLog).endsWith("\n*** Logging stopped - Sat Dec 05 14:03:09 2026\n"));
}

} // namespace
