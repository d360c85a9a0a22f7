#include "ui/New_account.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Shown = std::vector<std::pair<QString, QMessageBox::Icon>>;
using orv::ui::DialogResult::Cancel;
using orv::ui::DialogResult::Yes;

// Runs what may bring up message boxes, answering each with the chosen button; what they said.
Shown Answering(QMessageBox::StandardButton button, const std::function<void()>& act) {
    Shown shown;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        shown.push_back({box->text(), box->icon()});
        if (QAbstractButton* chosen = box->button(button)) return QTest::mouseClick(chosen, Qt::LeftButton);
        ADD_FAILURE() << "no such button in " << box->text().toStdString();
        box->reject();
    });
    answer.start(10);
    act();
    return shown;
}

class New_accountTest : public ::testing::Test {
  protected:
    void SetUp() override { form.show(); }

    static Shown Step(UpDownButtons* spin, int direction, int times = 1) {
        return Answering(QMessageBox::Ok, [&] {
            for (int i = 0; i < times; ++i)
                QTest::mouseClick(direction > 0 ? spin->UpButton : spin->DownButton, Qt::LeftButton);
        });
    }
    Shown Send(QMessageBox::StandardButton answer = QMessageBox::Ok) {
        return Answering(answer, [this] { QTest::mouseClick(form.SendBtn, Qt::LeftButton); });
    }
    static Shown Error(const char* message) { return {{QString::fromUtf8(message), QMessageBox::Critical}}; }
    // The stat boxes, Strength, Dexterity, Stamina, Intelligence, then Unused.
    std::vector<QString> Stats() const {
        return {form.StrEdit->text(), form.DexEdit->text(), form.StaEdit->text(), form.IntEdit->text(),
                form.UnusedEdit->text()};
    }

    TNewAccountForm form;
};

TEST_F(New_accountTest, StatsAndUnusedPointsAlwaysAddUpTo140) {
    EXPECT_TRUE(Step(form.StrSpin, +1, 51).empty()); // the last is at 70: not a step, no point taken
    EXPECT_TRUE(Step(form.UpDown2, -1).empty());     // at 20 already
    EXPECT_EQ(Stats(), (std::vector<QString>{"70", "20", "20", "20", "10"}));

    Step(form.DexSpin, +1, 10);
    EXPECT_EQ(Step(form.UpDown1, +1), Error("You have no spare stats to allocate"));
    EXPECT_EQ(Stats(), (std::vector<QString>{"70", "30", "20", "20", "0"}));

    form.StrSpin->setFocus();
    QTest::keyClick(form.StrSpin, Qt::Key_Down);
    EXPECT_EQ(Stats(), (std::vector<QString>{"69", "30", "20", "20", "1"}));
}

// An arrow held past the last point: one box says so, and the arrow stops repeating behind it.
TEST_F(New_accountTest, HoldingAnArrowPastTheLastPointOpensOneBox) {
    Step(form.StrSpin, +1, 50);
    Step(form.DexSpin, +1, 9);
    QToolButton* up = form.UpDown1->UpButton;
    const Shown shown = Answering(QMessageBox::Ok, [up] {
        QTest::mousePress(up, Qt::LeftButton);
        QTest::qWait(up->autoRepeatDelay() + 6 * up->autoRepeatInterval());
        EXPECT_FALSE(up->isDown());
        QTest::mouseRelease(up, Qt::LeftButton);
    });
    EXPECT_EQ(shown, Error("You have no spare stats to allocate"));
    EXPECT_EQ(Stats(), (std::vector<QString>{"70", "29", "21", "20", "0"}));
}

TEST_F(New_accountTest, AFailedCheckShowsItsMessageAndTheFormStaysOpenAsItWas) {
    form.IDEdit->setText(QStringLiteral("pilo"));
    EXPECT_EQ(Send(), Error("Account IDs must be\nat least 5 letters long."));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.IDEdit->text(), "pilo"); // nothing is cleared or corrected
}

TEST_F(New_accountTest, UnusedPointsAreAskedAboutAndNoKeepsTheFormOpenUntilCancel) {
    form.IDEdit->setText(QStringLiteral("pilot"));
    form.PwEdit->setText(QStringLiteral("Secret12"));
    form.NewAcCheck->click(); // an existing account: no confirmation or e-mail wanted
    form.NameEdit->setText(QStringLiteral("Zo\u00e9"));
    form.RaceEdit->setText(QStringLiteral("Sand Walker"));
    form.GenderButtons->button(1)->click();
    Step(form.StrSpin, +1, 10);
    Step(form.UpDown1, +1, 20);
    Step(form.DexSpin, +1, 20);

    const Shown question = {
        {QStringLiteral("Your have not allocated all\nyour stat points. Continue anyway?"),
         QMessageBox::Question}};
    EXPECT_EQ(Send(QMessageBox::No), question);
    form.close(); // the close box and Escape, after a refused send
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    QTest::mouseClick(form.CancelBtn, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), Cancel);

    form.show(); // everything as it was left
    EXPECT_EQ(Send(QMessageBox::Yes), question);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), Yes);

    // What the new-account dialogue reads, in the game's code page.
    const orv::NewAccountDetails details = form.Details();
    EXPECT_EQ(std::tuple(details.NewAccount, details.AccountId, details.Password, details.Name, details.Race),
              std::tuple(false, "pilot", "Secret12", "Zo\xe9", "Sand Walker"));
    EXPECT_EQ(
        std::tuple(details.Gender, details.Strength, details.Stamina, details.Dexterity, details.Unused),
        std::tuple(1, 30, 40, 40, 10));
}

} // namespace
