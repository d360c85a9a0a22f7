#include "UiFixture.h"

#include <QColorDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QSplitter>
#include <QToolButton>

namespace {

QColor Base(const QWidget* pane) {
    return pane->palette().color(QPalette::Base);
}

// Drags a splitter's handle by the given offset; between the move and the drop, check runs.
void Drag(QSplitter* splitter, QPoint by, const std::function<void()>& check) {
    QSplitterHandle* handle = splitter->handle(1);
    const QPoint from = handle->rect().center();
    const QPoint to = from + by;
    QMouseEvent press(QEvent::MouseButtonPress, from, handle->mapToGlobal(from), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &press);
    QMouseEvent move(QEvent::MouseMove, to, handle->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
    check();
    QMouseEvent drop(QEvent::MouseButtonRelease, to, handle->mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(handle, &drop);
}

std::uint32_t Number(const orv::RegValue& value) {
    EXPECT_EQ(value.Type, orv::ValueType::Dword);
    return value.Number;
}

} // namespace

TEST_F(UiTest, FirstRunTakesTheDefaultsAndExitWritesTheBatch) {
    const QColor window = QApplication::palette().color(QPalette::Base);
    for (const char* pane : {"Output", "Input", "PlayerList", "ScrollBackMemo"})
        EXPECT_EQ(Base(Find<QWidget>(pane)), window) << pane;
    EXPECT_TRUE(Find<QWidget>("PlayerPanel")->isVisible());
    EXPECT_EQ(Find<QWidget>("PlayerPanel")->width(), form->Scaled(140));
    EXPECT_EQ(Find<QWidget>("InputPanel")->height(), form->Scaled(56));
    EXPECT_FALSE(Action("SpyNetItem")->isChecked() || Action("LogAllItem")->isChecked());
    EXPECT_FALSE(QFileInfo::exists(SettingsPath())) << "a first run writes nothing until a switch moves";

    form->move(37, 41);
    form->resize(form->Scaled(700), form->Scaled(520));
    // The placement is the frame's position and the window's size, as move() and resize() take them.
    const QRect placed(form->pos(), form->size());
    const QFont font = form->WindowFont();
    Stop();

    // The system colour stays a system colour, not the colour it was painted with.
    EXPECT_EQ(Number(Stored("BkgColour")), 0x80000005u);
    EXPECT_EQ(QString::fromStdString(Stored("Font Name").Text), QFontInfo(font).family());
    EXPECT_EQ(static_cast<int>(Number(Stored("Font Height"))), QFontMetrics(font).height());
    EXPECT_EQ(Number(Stored("Font Weight")), 400u);
    EXPECT_EQ(Stored("Font Size").Type, orv::ValueType::Absent) << "no font was chosen";
    EXPECT_EQ(Stored("Font Colour").Type, orv::ValueType::Absent);
    EXPECT_EQ(Number(Stored("Spynet Report")), 0u);
    EXPECT_EQ(Number(Stored("Window State")), 0u);
    EXPECT_EQ(static_cast<int>(Number(Stored("Window Top"))), placed.top());
    EXPECT_EQ(static_cast<int>(Number(Stored("Window Left"))), placed.left());
    EXPECT_EQ(static_cast<int>(Number(Stored("Window Width"))), placed.width());
    EXPECT_EQ(static_cast<int>(Number(Stored("Window Height"))), placed.height());

    // The next start comes back where the last one was left, still with the designed font.
    Start();
    EXPECT_EQ(QRect(form->pos(), form->size()), placed);
    EXPECT_EQ(form->WindowFont(), font);
}

TEST_F(UiTest, StoredSettingsComeBackAtTheNextStart) {
    const QFont header = Find<QLabel>("TotalPanel")->font();
    Stop(); // a running window would write its own batch over these at exit
    Store("BkgColour", 0x00336699);
    Store("Window Top", 40);
    Store("Window Left", 30);
    Store("Window Width", 700);
    Store("Window Height", 500);
    Store("Window State", 0);
    Store("Spynet Report", 1);
    Store("list width", 180);
    Store("input height", 80);
    Store("blank status", 1);
    Store("buffer size", 201);
    Store("StatusBar", 0);
    Store("ScrollBack", 120);
    ASSERT_FALSE(orv::RegFile(QFile::encodeName(SettingsPath()).toStdString())
                     .WriteText("Font Name", "DejaVu Sans Mono"));
    Store("Font Height", 20);
    Store("Font Weight", 700);
    Store("Font Size", 14);
    Store("Font Colour", 0x000000FF);
    Start();

    EXPECT_EQ(QRect(form->pos(), form->size()), QRect(30, 40, 700, 500));
    for (const char* pane : {"Output", "Input", "PlayerList", "ScrollBackMemo"}) {
        EXPECT_EQ(Base(Find<QWidget>(pane)), QColor(0x99, 0x66, 0x33)) << pane;
        EXPECT_EQ(Find<QWidget>(pane)->font(), form->WindowFont()) << pane;
        EXPECT_EQ(Find<QWidget>(pane)->palette().color(QPalette::Text), QColor(255, 0, 0)) << pane;
    }
    EXPECT_TRUE(Action("SpyNetItem")->isChecked());
    EXPECT_EQ(Find<QWidget>("PlayerPanel")->width(), form->Scaled(180));
    EXPECT_EQ(Find<QWidget>("InputPanel")->height(), form->Scaled(80));
    EXPECT_TRUE(Action("SupressBlanksItem")->isChecked() && form->SupressBlanks());
    EXPECT_TRUE(Action("LargeBufItem")->isChecked()) << "any stored size over 200 shows ticked";
    EXPECT_EQ(form->OutputModel().LineLimit(), 201u);
    EXPECT_FALSE(Action("StatusBarItem")->isChecked() || Find<QWidget>("StatusBar")->isVisible());
    EXPECT_TRUE(Action("ToolBarItem")->isChecked() && Find<QWidget>("ToolBar")->isVisible());
    EXPECT_EQ(QFontInfo(form->WindowFont()).family(), "DejaVu Sans Mono");
    EXPECT_EQ(form->WindowFont().pointSize(), 14);
    EXPECT_EQ(form->WindowFont().weight(), QFont::Bold);
    EXPECT_EQ(Find<QLabel>("TotalPanel")->font(), header) << "the header keeps its own font";
    Action("ScrollBackItem")->trigger();
    EXPECT_EQ(Find<QWidget>("ScrollBackMemo")->height(), form->Scaled(120));

    // What was read comes back out unchanged.
    Stop();
    EXPECT_EQ(Number(Stored("BkgColour")), 0x00336699u);
    EXPECT_EQ(Number(Stored("Font Size")), 14u);
    EXPECT_EQ(Number(Stored("Font Weight")), 700u);
    EXPECT_EQ(Number(Stored("Font Colour")), 0xFFu);
    EXPECT_EQ(Number(Stored("Spynet Report")), 1u);
    EXPECT_EQ(Number(Stored("Window Left")), 30u);

    // A window left maximised opens maximised; "Courier New", where missing, gives the system's
    // fixed-pitch font.
    Store("Window State", 2);
    ASSERT_FALSE(
        orv::RegFile(QFile::encodeName(SettingsPath()).toStdString()).WriteText("Font Name", "Courier New"));
    Start();
    EXPECT_TRUE(form->isMaximized());
    if (!QFontDatabase::families().contains(QStringLiteral("Courier New"))) {
        EXPECT_EQ(form->WindowFont().family(),
                  QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family());
    }
    EXPECT_EQ(form->WindowFont().pointSize(), 14);
    Stop();
    EXPECT_EQ(Number(Stored("Window State")), 2u);
}

TEST_F(UiTest, SwitchesAreRememberedOrForgottenByTheirOwnRules) {
    for (const char* item : {"StatusBarItem", "ToolBarItem", "PlayerListItem", "SupressBlanksItem",
                             "LargeBufItem", "SpyNetItem", "KeypadTravel", "TextAlertItem", "DiagItem"})
        Action(item)->trigger();
    EXPECT_FALSE(Find<QWidget>("StatusBar")->isVisible() || Find<QWidget>("ToolBar")->isVisible() ||
                 Find<QWidget>("PlayerPanel")->isVisible());
    EXPECT_TRUE(form->DiagnosticsOn());

    // Written at once, before any exit.
    EXPECT_EQ(Number(Stored("StatusBar")), 0u);
    EXPECT_EQ(Number(Stored("ToolBar")), 0u);
    EXPECT_EQ(Number(Stored("player list")), 0u);
    EXPECT_EQ(Number(Stored("blank status")), 1u);
    EXPECT_EQ(Number(Stored("buffer size")), 500u);
    EXPECT_EQ(Stored("Spynet Report").Type, orv::ValueType::Absent) << "written with the exit batch";

    Restart();
    EXPECT_FALSE(Action("StatusBarItem")->isChecked() || Find<QWidget>("StatusBar")->isVisible());
    EXPECT_FALSE(Action("ToolBarItem")->isChecked() || Find<QWidget>("ToolBar")->isVisible());
    EXPECT_FALSE(Action("PlayerListItem")->isChecked() || Find<QWidget>("PlayerPanel")->isVisible());
    EXPECT_TRUE(Action("SupressBlanksItem")->isChecked());
    EXPECT_TRUE(Action("LargeBufItem")->isChecked());
    EXPECT_EQ(form->OutputModel().LineLimit(), 500u);
    EXPECT_TRUE(Action("SpyNetItem")->isChecked());
    EXPECT_FALSE(Action("KeypadTravel")->isChecked() || Action("TextAlertItem")->isChecked() ||
                 Action("DiagItem")->isChecked() || form->DiagnosticsOn());
    EXPECT_FALSE(Find<QToolButton>("KeyPadBtn")->isChecked() ||
                 Find<QToolButton>("SpeedButton1")->isChecked());

    for (const char* item : {"StatusBarItem", "PlayerListItem", "LargeBufItem", "SpyNetItem"})
        Action(item)->trigger();
    EXPECT_TRUE(Find<QWidget>("StatusBar")->isVisible() && Find<QWidget>("PlayerPanel")->isVisible());
    Restart();
    EXPECT_TRUE(Find<QWidget>("StatusBar")->isVisible() && Find<QWidget>("PlayerPanel")->isVisible());
    EXPECT_FALSE(Action("LargeBufItem")->isChecked() || Action("SpyNetItem")->isChecked());
    EXPECT_EQ(form->OutputModel().LineLimit(), 200u);
}

TEST_F(UiTest, ColourDialogRepaintsThePanesAndTheScrollbackFollowsAtTheNextStart) {
    const QColor window = QApplication::palette().color(QPalette::Base);
    const QColor chosen(10, 20, 30);
    bool asked = false;
    WhenModal(QStringLiteral("ColorDialog"), [&](QWidget* modal) {
        auto* dialog = qobject_cast<QColorDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        asked = true;
        EXPECT_EQ(dialog->currentColor(), window) << "opens on the stored colour";
        dialog->setCurrentColor(chosen);
        dialog->accept();
    });
    Action("ColourItem")->trigger();
    ASSERT_TRUE(asked);
    for (const char* pane : {"Output", "Input", "PlayerList"})
        EXPECT_EQ(Base(Find<QWidget>(pane)), chosen) << pane;
    EXPECT_EQ(Base(Find<QWidget>("ScrollBackMemo")), window);

    // Cancelled, it changes nothing.
    WhenModal(QStringLiteral("ColorDialog"), [&](QWidget* modal) {
        auto* dialog = qobject_cast<QColorDialog*>(modal);
        EXPECT_EQ(dialog->currentColor(), chosen);
        dialog->setCurrentColor(Qt::yellow);
        dialog->reject();
    });
    Action("ColourItem")->trigger();
    EXPECT_EQ(Base(Output), chosen);

    Restart();
    EXPECT_EQ(Number(Stored("BkgColour")), 0x001e140au);
    for (const char* pane : {"Output", "Input", "PlayerList", "ScrollBackMemo"})
        EXPECT_EQ(Base(Find<QWidget>(pane)), chosen) << pane;
}

TEST_F(UiTest, FontDialogOffersFixedPitchFontsAndThePanesFollowTheChoice) {
    const QFont header = Find<QLabel>("TotalPanel")->font();
    WhenModal(QStringLiteral("FontDialog"), [&](QWidget* modal) {
        auto* dialog = qobject_cast<QFontDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->testOption(QFontDialog::MonospacedFonts));
        // Only fixed-pitch faces are offered.
        auto* faces = dialog->findChild<QListView*>();
        ASSERT_NE(faces, nullptr);
        for (int row = 0; row < faces->model()->rowCount(); ++row) {
            const QString face = faces->model()->index(row, 0).data().toString();
            EXPECT_TRUE(QFontDatabase::isFixedPitch(face)) << face.toStdString();
        }
        EXPECT_EQ(dialog->currentFont().family(), form->WindowFont().family())
            << "opens on the window's font";
        EXPECT_EQ(QFontInfo(dialog->currentFont()).style(), QFont::StyleNormal) << "not the oblique face";
        EXPECT_EQ(QFontInfo(dialog->currentFont()).weight(), QFont::Normal);
        dialog->setCurrentFont(QFont(QStringLiteral("DejaVu Sans Mono"), 13));
        dialog->accept();
    });
    Action("FontsItem")->trigger();
    EXPECT_EQ(form->WindowFont().family(), "DejaVu Sans Mono");
    EXPECT_EQ(form->WindowFont().pointSize(), 13);
    for (const char* pane : {"Output", "Input", "PlayerList", "ScrollBackMemo"})
        EXPECT_EQ(Find<QWidget>(pane)->font(), form->WindowFont()) << pane;
    EXPECT_EQ(Find<QLabel>("TotalPanel")->font(), header);

    Restart();
    EXPECT_EQ(Number(Stored("Font Size")), 13u);
    EXPECT_EQ(Number(Stored("Font Colour")), 0x80000008u) << "the system's window text";
    EXPECT_EQ(form->WindowFont().family(), "DejaVu Sans Mono");
    EXPECT_EQ(form->WindowFont().pointSize(), 13);
    EXPECT_EQ(Output->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Text));
}

TEST_F(UiTest, SplittersStoreTheirPanesWhenDropped) {
    auto* players = Find<QWidget>("PlayerPanel");
    auto* input = Find<QWidget>("InputPanel");
    auto* memo = Find<QWidget>("ScrollBackMemo");
    const int width = players->width();
    Drag(Find<QSplitter>("Splitter1"), QPoint(-40, 0), [&] {
        EXPECT_EQ(players->width(), width + 40);
        EXPECT_EQ(Stored("list width").Type, orv::ValueType::Absent) << "not while dragging";
    });
    EXPECT_EQ(static_cast<int>(Number(Stored("list width"))), form->Unscaled(width + 40));

    Drag(Find<QSplitter>("Splitter2"), QPoint(0, -30), [] {});
    const int height = input->height();
    EXPECT_NEAR(height, form->Scaled(56) + 30, 1);
    EXPECT_EQ(static_cast<int>(Number(Stored("input height"))), form->Unscaled(height));

    // The scrollback pane opens at its stored height, also once its splitter has laid out again.
    Action("ScrollBackItem")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Find<QSplitter>("Splitter3")->handle(1)->isVisible(); }, 2000));
    EXPECT_EQ(memo->height(), form->Scaled(190));
    Drag(Find<QSplitter>("Splitter3"), QPoint(0, -25), [] {});
    const int scrollBack = memo->height();
    EXPECT_NEAR(scrollBack, form->Scaled(190) - 25, 1);
    EXPECT_EQ(static_cast<int>(Number(Stored("ScrollBack"))), form->Unscaled(scrollBack));
    // Closed and opened again, the pane keeps its new height.
    Action("ScrollBackItem")->trigger();
    Action("ScrollBackItem")->trigger();
    EXPECT_EQ(memo->height(), scrollBack);

    Restart();
    EXPECT_EQ(Find<QWidget>("PlayerPanel")->width(), width + 40);
    EXPECT_EQ(Find<QWidget>("InputPanel")->height(), height);
    Action("ScrollBackItem")->trigger();
    EXPECT_EQ(Find<QWidget>("ScrollBackMemo")->height(), scrollBack);
}

TEST_F(UiTest, AFailedSettingsWriteIsReportedAndTheProgramGoesOn) {
    Stop();
    Store("AutoLog", 1);
    Start();
    const QString dayLog = home.path() + QStringLiteral("/logs/05Dec2026.log");
    // A file where the settings folder belongs: nothing can be written there any more.
    QDir(ConfigDir()).removeRecursively();
    QFile blocker(ConfigDir());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    QString reported;
    const auto answer = [&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        reported = box->text();
        box->button(QMessageBox::Ok)->click();
    };
    WhenModal(QString(), answer);
    Action("StatusBarItem")->trigger();
    EXPECT_TRUE(reported.contains(QLatin1String("\"StatusBar\""))) << reported.toStdString();
    EXPECT_FALSE(Find<QWidget>("StatusBar")->isVisible()) << "the command still takes effect";

    // At exit the first value of the batch fails; the log is closed after the settings, so its
    // stop line is not written yet while the box is shown.
    bool stoppedBeforeSettings = true;
    WhenModal(QString(), [&](QWidget* modal) {
        QFile log(dayLog);
        EXPECT_TRUE(log.open(QIODevice::ReadOnly));
        stoppedBeforeSettings = log.readAll().contains("Logging stopped");
        answer(modal);
    });
    Stop();
    EXPECT_TRUE(reported.contains(QLatin1String("\"BkgColour\""))) << reported.toStdString();
    EXPECT_FALSE(stoppedBeforeSettings);
    QFile log(dayLog);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().endsWith("\n*** Logging stopped - Sat Dec 05 14:03:09 2026\n"));
}
