#include "ui/Boxes.h"

#include "store/Reg.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <system_error>

namespace {

// Runs a settings write through WriteOrReport, closing the box it shows; what the box was.
struct Reported {
    bool written;
    QString title, text;
    QWidget* parent = nullptr;
};
Reported Write(QWidget* parent, const std::function<void()>& write) {
    Reported reported{};
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            reported = {false, box->windowTitle(), box->text(), box->parentWidget()};
            box->accept();
        }
    });
    answer.start(10);
    reported.written = orv::ui::WriteOrReport(parent, write);
    return reported;
}

TEST(Boxes, AFailedWriteNamesTheValueOverItsWindowOrAloneWhenThatIsHidden) {
    QWidget window;
    const orv::SettingsWriteError error("F1", std::make_error_code(std::errc::read_only_file_system));
    const auto fail = [&] { throw error; };
    const Reported worked = Write(&window, [] {});
    EXPECT_TRUE(worked.written && worked.text.isEmpty());

    const Reported failed = Write(&window, fail); // at exit the window is already hidden
    EXPECT_FALSE(failed.written);
    EXPECT_EQ(failed.title, "Orv2Term");
    EXPECT_EQ(failed.text, QString::fromLocal8Bit(error.what()));
    EXPECT_EQ(failed.parent, nullptr);

    window.show();
    EXPECT_EQ(Write(&window, fail).parent, &window);
}

} // namespace
