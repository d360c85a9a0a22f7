#include "ui/Main.h"
#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/Forms.h"
#include "ui/Boxes.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>
#include <exception>

#ifndef _WIN32
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// An error that escapes an event handler is shown in a standard error box; the loop goes on.
class Application : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            Report(QString::fromLocal8Bit(error.what()));
        } catch (...) {
            Report(QStringLiteral("Unknown error"));
        }
        return false;
    }

  private:
    static void Report(const QString& text) {
        orv::ui::ShowErrorBox(activeWindow(), QStringLiteral("Orv2Term"), text);
    }
};

// The icon the desktop entry names, drawn at every size the build made for the icon theme.
QIcon ApplicationIcon() {
    QIcon icon;
    for (const QFileInfo& file : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files))
        icon.addFile(file.filePath()); // its size read from the file
    return icon;
}

// Started from the desktop menu, the client's own files go to the per-user data folder, which
// becomes the current folder before the main window records it as its start folder.
void EnterDesktopDataFolder() {
    const std::string folder = orv::app::DesktopDataFolder();
    // Installed, the default sound lies in share/orv2term beside bin/; the build tree has the same layout.
    const QString defaultAlert = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                                 QStringLiteral("/../share/orv2term/alert.wav"));
    if (const auto error = orv::app::PrepareDataFolder(folder, defaultAlert.toStdString()))
        std::fprintf(stderr, "orv2term: %s: %s\n", folder.c_str(), error.message().c_str());
    if (!QDir::setCurrent(QString::fromStdString(folder)))
        std::fprintf(stderr, "orv2term: cannot use %s; keeping files in %s\n", folder.c_str(),
                     qPrintable(QDir::currentPath()));
}

#ifndef _WIN32
int quitPipe[2] = {-1, -1};

// Asked to end by a signal (kill, the end of the desktop session, Ctrl+C in a terminal), the
// program leaves its event loops and ends as when its window closes: settings written, log
// closed. The handler only writes a byte to a pipe; the event loop, or a box's, reads it.
void QuitOnSignals() {
    if (::pipe2(quitPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(quitPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, [] { QCoreApplication::exit(0); });
    struct sigaction action {};
    action.sa_handler = [](int) {
        const char byte = 0;
        [[maybe_unused]] const auto written = ::write(quitPipe[1], &byte, 1);
    };
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}
#endif

} // namespace

int main(int argc, char* argv[]) {
    // Read before QApplication exists, so that these answers need no display.
    const auto options = orv::app::ParseCommandLine(argc, argv);
    switch (options.Do) {
    case orv::app::CommandLine::Action::Help:
        std::fputs(orv::app::HelpText().c_str(), stdout);
        return 0;
    case orv::app::CommandLine::Action::Version:
        std::fputs(orv::app::VersionText().c_str(), stdout);
        return 0;
    case orv::app::CommandLine::Action::Error:
        std::fprintf(stderr, "%s\n", options.Error.c_str());
        return 2;
    case orv::app::CommandLine::Action::Run:
        break;
    }

    Application app(argc, argv);
    Application::setApplicationName(QStringLiteral("Orv2Term"));
    Application::setApplicationVersion(QStringLiteral(ORV_VERSION));
    Application::setDesktopFileName(QStringLiteral("com.talmaro.Orv2Term"));
    Application::setWindowIcon(ApplicationIcon());
    if (options.Folder == orv::app::DataFolder::Desktop) EnterDesktopDataFolder();
#ifndef _WIN32
    QuitOnSignals();
#endif

    // The main window first (its create handler reads the settings; the dialogs may refer to it),
    // then the dialogs, hidden, then the main window is shown.
    auto* main = new TMainForm;
    CreateForms(*main);
    main->show();
    const int result = Application::exec();
    // The dialogs go first; the main window's destroy handler then writes the settings and
    // closes the log.
    DestroyForms();
    delete main;
    return result;
}
