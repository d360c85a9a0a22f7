#include "ui/New_account.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

namespace {

using Shown = std::vector<std::pair<QString, QMessageBox::Icon>>;

// Answers every message box that comes up with the chosen button, noting what each said.
class BoxAnswers {
  public:
    explicit BoxAnswers(QMessageBox::StandardButton button) : button_(button) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) return;
            shown.push_back({box->text(), box->icon()});
            QAbstractButton* answer = box->button(button_);
            if (answer == nullptr) {
                ADD_FAILURE() << "no such button in " << box->text().toStdString();
                box->reject();
                return;
            }
            QTest::mouseClick(answer, Qt::LeftButton);
        });
        timer_.start(10);
    }

    Shown shown;

  private:
    QMessageBox::StandardButton button_;
    QTimer timer_;
};

class NewAccountFormTest : public ::testing::Test {
  protected:
    void SetUp() override { form.show(); }

    Shown Step(UpDownButtons* spin, int direction, int times = 1) {
        BoxAnswers boxes(QMessageBox::Ok);
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(direction > 0 ? spin->UpButton : spin->DownButton, Qt::LeftButton);
        return boxes.shown;
    }
    Shown Send(QMessageBox::StandardButton answer = QMessageBox::Ok) {
        BoxAnswers boxes(answer);
        QTest::mouseClick(form.SendBtn, Qt::LeftButton);
        return boxes.shown;
    }
    static Shown Error(const char* message) { return {{QString::fromUtf8(message), QMessageBox::Critical}}; }

    // Every field acceptable, with 10 stat points left over.
    void FillIn() {
        form.IDEdit->setText(QStringLiteral("pilot"));
        form.PwEdit->setText(QStringLiteral("Secret12"));
        form.PwConfEdit->setText(QStringLiteral("Secret12"));
        form.EMailEdit->setText(QStringLiteral("pilot@example.org"));
        form.NameEdit->setText(QStringLiteral("Zo\u00e9"));
        form.RaceEdit->setText(QStringLiteral("Sand Walker"));
        form.GenderButtons->button(1)->click();
        Step(form.StrSpin, +1, 10);
        Step(form.UpDown1, +1, 20);
        Step(form.DexSpin, +1, 20);
    }

    TNewAccountForm form;
};

TEST_F(NewAccountFormTest, StatsAndUnusedPointsAlwaysAddUpTo140) {
    EXPECT_TRUE(Step(form.StrSpin, +1, 51).empty()); // the last is at 70: not a step, no point taken
    EXPECT_EQ(form.StrEdit->text(), "70");
    EXPECT_EQ(form.UnusedEdit->text(), "10");
    EXPECT_TRUE(Step(form.UpDown2, -1).empty()); // at 20 already
    EXPECT_EQ(form.IntEdit->text(), "20");
    EXPECT_EQ(form.UnusedEdit->text(), "10");

    Step(form.DexSpin, +1, 10);
    EXPECT_EQ(form.DexEdit->text(), "30");
    EXPECT_EQ(form.UnusedEdit->text(), "0");
    EXPECT_EQ(Step(form.UpDown1, +1), Error("You have no spare stats to allocate"));
    EXPECT_EQ(form.StaEdit->text(), "20");
    EXPECT_EQ(form.UnusedEdit->text(), "0");

    form.StrSpin->setFocus();
    QTest::keyClick(form.StrSpin, Qt::Key_Down);
    EXPECT_EQ(form.StrEdit->text(), "69");
    EXPECT_EQ(form.UnusedEdit->text(), "1");
}

TEST_F(NewAccountFormTest, EachSendShowsOnlyTheFirstFailedCheckAndTheFormStaysOpen) {
    form.HostEdit->clear();
    form.PortEdit->clear();
    form.PwEdit->setText(QStringLiteral("short"));
    // Each change mends the field that failed last, so the next check in order speaks.
    struct Change {
        QLineEdit* TNewAccountForm::*Field;
        const char* Text;
        const char* Message;
    };
    const Change changes[] = {
        {&TNewAccountForm::HostEdit, "", "No host server given"},
        {&TNewAccountForm::HostEdit, "localhost", "No host port number given"},
        {&TNewAccountForm::PortEdit, "30003", "Account IDs must be\nat least 5 letters long."},
        {&TNewAccountForm::IDEdit, "pilot", "Your password must be\nat least 8 letters long"},
        {&TNewAccountForm::PwEdit, "Secret12", "Your password does not\nmatch the confirmation"},
        {&TNewAccountForm::PwConfEdit, "Secret12", "Invalid e-mail address"},
        {&TNewAccountForm::EMailEdit, "p@x", "Your name must be at\nleast 3 letters long"},
        {&TNewAccountForm::NameEdit, "7z", "Your name must be at\nleast 3 letters long"},
        {&TNewAccountForm::NameEdit, "7zed", "Your name and race must begin with a letter."},
        {&TNewAccountForm::NameEdit, "Ze d", "Only letters and numbers are\nallowed in name and race."},
        {&TNewAccountForm::NameEdit, "\u00c9mile2", "Your race must be at\nleast 3 letters long"},
        {&TNewAccountForm::RaceEdit, " Elf", "Your name and race must begin with a letter."},
        {&TNewAccountForm::RaceEdit, "Sand-walker",
         "Only letters and numbers are\nallowed in name and race."},
    };
    for (const Change& change : changes) {
        (form.*change.Field)->setText(QString::fromUtf8(change.Text));
        EXPECT_EQ(Send(), Error(change.Message)) << change.Text;
        EXPECT_TRUE(form.isVisible()) << change.Text;
    }
    EXPECT_EQ(form.RaceEdit->text(), "Sand-walker"); // nothing is cleared or corrected
}

TEST_F(NewAccountFormTest, AnExistingAccountNeedsNeitherConfirmationNorEmail) {
    FillIn();
    Step(form.UpDown2, +1, 10);
    form.PwConfEdit->setText(QStringLiteral("other"));
    form.EMailEdit->setText(QStringLiteral("none"));
    EXPECT_EQ(Send(), Error("Your password does not\nmatch the confirmation"));
    form.NewAcCheck->click();
    EXPECT_TRUE(Send().empty());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), TNewAccountForm::ResultYes);

    // What the new-account dialogue reads, in the game's code page.
    const orv::NewAccountDetails details = form.Details();
    EXPECT_FALSE(details.NewAccount);
    EXPECT_EQ(details.AccountId, "pilot");
    EXPECT_EQ(details.Password, "Secret12");
    EXPECT_EQ(details.Name, "Zo\xe9");
    EXPECT_EQ(details.Race, "Sand Walker");
    EXPECT_EQ(details.Gender, 1);
    EXPECT_EQ(std::tuple(details.Strength, details.Stamina, details.Dexterity, details.Intelligence),
              std::tuple(30, 40, 40, 30));
}

TEST_F(NewAccountFormTest, UnusedPointsAreAskedAboutAndNoKeepsTheFormOpenUntilCancel) {
    FillIn();
    const Shown question = {
        {QStringLiteral("Your have not allocated all\nyour stat points. Continue anyway?"),
         QMessageBox::Question}};
    EXPECT_EQ(Send(QMessageBox::No), question);
    EXPECT_TRUE(form.isVisible());
    form.close(); // the close box, after a refused send
    EXPECT_TRUE(form.isVisible());
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    QTest::mouseClick(form.CancelBtn, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), orv::ui::DialogResult::Cancel);

    form.show(); // everything as it was left
    EXPECT_EQ(form.UnusedEdit->text(), "10");
    EXPECT_EQ(Send(QMessageBox::Yes), question);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), TNewAccountForm::ResultYes);
}

} // namespace
