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
    std::uint32_t CurrentAccount() const {
        const orv::RegValue value = Stored("Current Account");
        EXPECT_EQ(value.Type, orv::ValueType::Dword);
        return value.Number;
    }
};

TEST_F(TcpTest, AccountsAreSavedWhenTheDialogClosesAndBrowsedWithLastAndNext) {
    // First run: nothing to browse. Connect stores the three fields; a "~" in the password is
    // kept, since the password is the last field.
    LogOnWith([](Dialog& dialog) {
        EXPECT_EQ(Boxes(dialog), (QStringList{"", "", "", "not saved"}));
        EXPECT_EQ(Browsing(dialog), std::pair(false, false));
        EXPECT_EQ(dialog.focusWidget(), dialog.PasswordEdit);
        Fill(dialog, {"Zed", "kx1234", "sec~ret", "saved"});
        dialog.PortEdit->setText(QStringLiteral("none")); // no connection is wanted here
    });
    EXPECT_EQ(Record("Ac0"), "Zed~kx1234~sec~ret\n");
    EXPECT_EQ(CurrentAccount(), 0u);

    // The same run shows Ac0 again; Next stays disabled until Last enables it.
    LogOnWith(
        [](Dialog& dialog) {
            EXPECT_EQ(dialog.PortEdit->text(), "none") << "the boxes keep their text between showings";
            EXPECT_EQ(Boxes(dialog), (QStringList{"Zed", "kx1234", "sec~ret", "saved"}));
            EXPECT_EQ(Browsing(dialog), std::pair(false, false));
        },
        false);

    // A new run can go on to Ac1, which is empty; an empty avatar is saved as "+" and the window is
    // told "+" too. Without Save Password the record has two fields. Cancel saves as well.
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
    EXPECT_EQ(CurrentAccount(), 1u);
    EXPECT_EQ(TCPIPForm->OrvEdit->text(), "+");
    EXPECT_EQ(form->windowTitle(), "Orv2Term - Version 1.04 - +");

    // Back at Ac1 the "+" is an empty box and the password box is empty, unticked. Last goes to
    // Ac0. Emptying all three boxes and closing leaves Ac0 as it was.
    LogOnWith(
        [](Dialog& dialog) {
            EXPECT_EQ(Boxes(dialog), (QStringList{"", "vesper", "", "not saved"}));
            EXPECT_EQ(Browsing(dialog), std::pair(true, false));
            QTest::mouseClick(dialog.LastBtn, Qt::LeftButton);
            EXPECT_EQ(Boxes(dialog), (QStringList{"Zed", "kx1234", "sec~ret", "saved"}));
            EXPECT_EQ(Browsing(dialog), std::pair(false, true));
            Fill(dialog, {"", "", "", "saved"});
        },
        false);
    EXPECT_EQ(Record("Ac0"), "Zed~kx1234~sec~ret\n");
    EXPECT_EQ(CurrentAccount(), 0u);
}

TEST_F(TcpTest, StoredRecordsFillWhatTheyHoldAndNoMore) {
    Store("Ac0", "+~~secret\n");                               // empty account field
    Store("Ac1", "Nova~acct~" + std::string(200, 'p') + "\n"); // longer than any reader takes
    Store("Ac2", "Pip\n");                                     // the avatar alone
    Store("Ac3", "Vesper~vesper~st~ars~\n");
    Store("Current Account", 0);
    Restart();

    LogOnWith(
        [](Dialog& dialog) {
            // Runs of separators count as one: the password comes up as the account.
            EXPECT_EQ(Boxes(dialog), (QStringList{"", "secret", "", "not saved"}));
            QTest::mouseClick(dialog.NextBtn, Qt::LeftButton);
            EXPECT_EQ(Boxes(dialog), (QStringList{"Nova", "acct", QString(80, 'p'), "saved"}));
            // A record without an account field leaves the account box as it was.
            QTest::mouseClick(dialog.NextBtn, Qt::LeftButton);
            EXPECT_EQ(Boxes(dialog), (QStringList{"Pip", "acct", "", "not saved"}));
            QTest::mouseClick(dialog.NextBtn, Qt::LeftButton);
            EXPECT_EQ(Boxes(dialog), (QStringList{"Vesper", "vesper", "st~ars~", "saved"}));
            QTest::mouseClick(dialog.NextBtn, Qt::LeftButton);
            EXPECT_EQ(Browsing(dialog), std::pair(true, false));
            QTest::mouseClick(dialog.LastBtn, Qt::LeftButton);
        },
        false);
    EXPECT_EQ(CurrentAccount(), 3u);
    EXPECT_EQ(Record("Ac3"), "Vesper~vesper~st~ars~\n");

    // The next showing starts from the account last shown.
    LogOnWith([](Dialog& dialog) { EXPECT_EQ(dialog.OrvEdit->text(), "Vesper"); }, false);
}

} // namespace
