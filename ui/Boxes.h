#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace orv {
class SettingsError;
}

// The standard message boxes the window and its dialogs share.
namespace orv::ui {

// A modal error box with an OK button; the text is shown as it stands, never read as markup.
void ShowErrorBox(QWidget* parent, const QString& title, const QString& text);

// A setting that could not be written, or settings that could not be read: the error box titled
// with the program's name, saying which. While the parent's window is hidden (as at exit) the box
// stands on its own.
void ReportSettingsError(QWidget* parent, const orv::SettingsError& error);

// Runs a settings write; a failure is reported as above and gives false, and the caller goes on.
bool WriteOrReport(QWidget* parent, const std::function<void()>& write);

} // namespace orv::ui
