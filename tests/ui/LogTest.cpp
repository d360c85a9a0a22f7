#include "UiFixture.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QToolButton>

namespace {

const QByteArray Stamp = "Sat Dec 05 14:03:09 2026\n";

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class LogTest : public UiTest {
  protected:
    QString DayLog() const { return home.path() + QStringLiteral("/logs/05Dec2026.log"); }

    // The panel, the commands and the buttons that say whether a log is open.
    void ExpectLogging(bool open) {
        EXPECT_EQ(Find<QLabel>("StatusPanel1")->text(), open ? "Logging" : "");
        EXPECT_EQ(Action("OpenItem")->isEnabled(), !open);
        EXPECT_EQ(Find<QToolButton>("OpenBtn")->isEnabled(), !open);
        EXPECT_EQ(Action("CloseItem")->isEnabled(), open);
        EXPECT_EQ(Find<QToolButton>("CloseBtn")->isEnabled(), open);
    }

    // Runs a command that asks for a file and answers its dialog with path (or cancels it).
    void ChooseFile(const char* dialogName, const std::function<void()>& command, const QString& path) {
        bool asked = false;
        WhenModal(QLatin1String(dialogName), [&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            asked = true;
            seen = {dialog->windowTitle(), dialog->nameFilters().join('|'), dialog->defaultSuffix(),
                    dialog->directory().absolutePath()};
            seenMode = dialog->acceptMode();
            if (path.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept(); // as the dialog's own button does
        });
        command();
        EXPECT_TRUE(asked) << dialogName;
    }

    QStringList seen; // title, filters, default suffix, folder of the last file dialog
    QFileDialog::AcceptMode seenMode = QFileDialog::AcceptOpen;
};

TEST_F(LogTest, EveryRunOfADayAppendsToOneDayLog) {
    Stop();
    Store("AutoLog", 1);
    Start();
    EXPECT_TRUE(Action("LogAllItem")->isChecked());
    ExpectLogging(true);
    form->ShowLine("hello");
    Stop();
    // The banner is never logged; the logs folder was made on first use.
    EXPECT_EQ(Contents(DayLog()), "\n*** Logging started - " + Stamp + "*** Saving to log file ***\nhello\n" +
                                      "\n*** Logging stopped - " + Stamp);
}

TEST_F(LogTest, APlayersLogFileIsOpenedAndClosedWithItsRecords) {
    const QString path = home.path() + QStringLiteral("/mine.log");
    ChooseFile(
        "OpenDialog", [&] { QTest::mouseClick(Find<QToolButton>("OpenBtn"), Qt::LeftButton); }, QString());
    EXPECT_EQ(seen,
              QStringList({"Open logging file", "orv log file (*.log)|all files (*)", "log", home.path()}));
    EXPECT_EQ(seenMode, QFileDialog::AcceptOpen);
    ExpectLogging(false);

    ChooseFile(
        "OpenDialog", [&] { Action("OpenItem")->trigger(); }, home.path() + QStringLiteral("/mine"));
    ExpectLogging(true);
    form->ShowLine("x");
    QTest::mouseClick(Find<QToolButton>("CloseBtn"), Qt::LeftButton);
    ExpectLogging(false);
    EXPECT_EQ(LastLines(1), QStringList{"*** Stopped saving to log file ***"});
    form->ShowLine("not logged");
    EXPECT_EQ(Contents(path), "\n*** Logging started - " + Stamp + "*** Saving to log file ***\nx\n" +
                                  "\n*** Logging stopped - " + Stamp);
    EXPECT_FALSE(QFileInfo::exists(DayLog()));
}

TEST_F(LogTest, SaveScreenBufferAppendsThePaneBetweenItsStamps) {
    const QString path = home.path() + QStringLiteral("/buffer.log");
    form->ShowLine("first");
    const QByteArray before = Lines().join('\n').toLatin1();
    ChooseFile(
        "SaveDialog", [&] { Action("SaveItem")->trigger(); }, path);
    EXPECT_EQ(seen, QStringList({"Save Buffer", "log files (*.log)|all files (*)", "log", home.path()}));
    EXPECT_EQ(seenMode, QFileDialog::AcceptSave);
    EXPECT_EQ(LastLines(1), QStringList{"*** Buffer saved ***"});
    EXPECT_EQ(Contents(path),
              "\n*** Save started - " + Stamp + before + "\n*** Save completed - " + Stamp + "\n");
}

TEST_F(LogTest, ALogsFolderThatCannotBeMadeIsReportedAndStartUpGoesOn) {
    Stop();
    Store("AutoLog", 1);
    QFile blocker(home.path() + QStringLiteral("/logs")); // a file where the folder belongs
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Start();
    EXPECT_EQ(LastLines(1), QStringList{"--- Sorry - unable to open log file ---"});
    EXPECT_TRUE(Action("LogAllItem")->isChecked());
    ExpectLogging(false);
    EXPECT_EQ(form->windowTitle(), "Orv2Term - Version 1.04") << "start-up went on";
}

TEST_F(LogTest, LogAllSessionsOpensTheDayLogAndUncheckingClosesNothing) {
    Action("LogAllItem")->trigger();
    EXPECT_EQ(Stored("AutoLog").Number, 1u);
    ExpectLogging(true);
    EXPECT_TRUE(QFileInfo::exists(DayLog()));
    Action("LogAllItem")->trigger();
    EXPECT_EQ(Stored("AutoLog").Number, 0u);
    ExpectLogging(true);
}

TEST_F(LogTest, ExitWhileConnectedClosesAtOnceAndStillStopsTheLog) {
    Action("LogAllItem")->trigger();
    ScriptServer server;
    Connect(server);
    Action("ExitItem")->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "nothing asks, connected or not";
    Stop();
    EXPECT_TRUE(Contents(DayLog()).endsWith("Connected to talmaro\n\n*** Logging stopped - " + Stamp));
}
