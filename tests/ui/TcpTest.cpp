#include "UiFixture.h"

namespace {

using Dialog = TTCPIPForm;

// The account shown: avatar, account, password, and whether the password is saved.
QStringList Boxes(const Dialog& dialog) {
    return {dialog.OrvEdit->text(), dialog.AccountEdit->text(), dialog.PasswordEdit->text(),
            dialog.SaveCheck->isChecked() ? "saved" : "not saved"};
}
void Fill(Dialog& dialog, const QStringList& boxes) {
    dialog.OrvEdit->setText(boxes[0]);
    dialog.AccountEdit->setText(boxes[1]);
    dialog.PasswordEdit->setText(boxes[2]);
    dialog.SaveCheck->setChecked(boxes[3] == "saved");
}
// Which of Last and Next can be pressed.
std::pair<bool, bool> Browsing(const Dialog& dialog) {
    return {dialog.LastBtn->isEnabled(), dialog.NextBtn->isEnabled()};
}

class TcpTest : public UiTest {
  protected:
    std::string Record(const char* name) const { return Stored(name).Text; }
};

TEST_F(TcpTest, AccountsAreSavedWhenTheDialogClosesAndBrowsedWithLastAndNext) {
    // First run: nothing to browse. Connect stores the three fields.
    LogOnWith([](Dialog& dialog) {
        EXPECT_EQ(Boxes(dialog), (QStringList{"", "", "", "not saved"}));
        EXPECT_EQ(Browsing(dialog), std::pair(false, false));
        EXPECT_EQ(dialog.focusWidget(), dialog.PasswordEdit);
        Fill(dialog, {"Zed", "kx1234", "secret", "saved"});
        dialog.PortEdit->setText(QStringLiteral("none")); // no connection is wanted here
    });
    EXPECT_EQ(Record("Ac0"), "Zed~kx1234~secret\n");

    // The same run shows Ac0 again; Next stays disabled until Last enables it.
    LogOnWith(
        [](Dialog& dialog) {
            EXPECT_EQ(dialog.PortEdit->text(), "none") << "the boxes keep their text between showings";
            EXPECT_EQ(Boxes(dialog), (QStringList{"Zed", "kx1234", "secret", "saved"}));
            EXPECT_EQ(Browsing(dialog), std::pair(false, false));
        },
        false);

    // A new run can go on to Ac1, which is empty; an empty avatar is saved as "+" and the window is
    // told "+" too. Without Save Password no password is stored. Cancel saves as well.
    Restart();
    LogOnWith(
        [](Dialog& dialog) {
            EXPECT_EQ(Browsing(dialog), std::pair(false, true));
            QTest::mouseClick(dialog.NextBtn, Qt::LeftButton);
            EXPECT_EQ(Boxes(dialog), (QStringList{"", "", "", "saved"}))
                << "loading an empty record leaves the tick";
            EXPECT_EQ(Browsing(dialog), std::pair(true, false));
            Fill(dialog, {"", "vesper", "stars", "not saved"});
        },
        false);
    EXPECT_EQ(Record("Ac1"), "+~vesper\n");
    EXPECT_EQ(Number("Current Account"), 1u);
    EXPECT_EQ(TCPIPForm->OrvEdit->text(), "+");
    EXPECT_EQ(form->windowTitle(), "Orv2Term - Version 1.04 - +");

    // Back at Ac1 the "+" is an empty box and the password box is empty, unticked. Last goes to
    // Ac0. Emptying all three boxes and closing leaves Ac0 as it was.
    LogOnWith(
        [](Dialog& dialog) {
            EXPECT_EQ(Boxes(dialog), (QStringList{"", "vesper", "", "not saved"}));
            QTest::mouseClick(dialog.LastBtn, Qt::LeftButton);
            EXPECT_EQ(Boxes(dialog), (QStringList{"Zed", "kx1234", "secret", "saved"}));
            EXPECT_EQ(Browsing(dialog), std::pair(false, true));
            Fill(dialog, {"", "", "", "saved"});
        },
        false);
    EXPECT_EQ(Record("Ac0"), "Zed~kx1234~secret\n");
    EXPECT_EQ(Number("Current Account"), 0u);
}

TEST_F(TcpTest, AStoredRecordFillsOnlyTheBoxesItHolds) {
    Store("Ac0", "Nova~acct~" + std::string(100, 'p') + "\n"); // longer than the password box takes
    Store("Ac1", "Pip\n");                                     // no account field
    Restart();

    LogOnWith(
        [](Dialog& dialog) {
            EXPECT_EQ(Boxes(dialog), (QStringList{"Nova", "acct", QString(80, 'p'), "saved"}));
            QTest::mouseClick(dialog.NextBtn, Qt::LeftButton);
            EXPECT_EQ(Boxes(dialog), (QStringList{"Pip", "acct", "", "not saved"}));
        },
        false);
    EXPECT_EQ(Number("Current Account"), 1u);

    // The next showing starts from the account last shown.
    LogOnWith([](Dialog& dialog) { EXPECT_EQ(dialog.OrvEdit->text(), "Pip"); }, false);
}

} // namespace
