#include "ui/Main.h"
#include "app/Forms.h"
#include "ui/Boxes.h"

#include <QApplication>

#include <exception>

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

} // namespace

int main(int argc, char* argv[]) {
    Application app(argc, argv);
    Application::setApplicationName(QStringLiteral("Orv2Term"));

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
