#include "ui/Boxes.h"

#include "store/Reg.h"

#include <QMessageBox>
#include <QWidget>

namespace orv::ui {

void ShowErrorBox(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void ReportSettingsError(QWidget* parent, const orv::SettingsError& error) {
    const bool shown = parent != nullptr && parent->window()->isVisible();
    ShowErrorBox(shown ? parent : nullptr, QStringLiteral("Orv2Term"), QString::fromLocal8Bit(error.what()));
}

bool WriteOrReport(QWidget* parent, const std::function<void()>& write) {
    try {
        write();
        return true;
    } catch (const orv::SettingsWriteError& error) {
        ReportSettingsError(parent, error);
        return false;
    }
}

} // namespace orv::ui
