#include "UiFixture.h"
#include "ui/Logerr.h"
#include "ui/New_account.h"

namespace {

class LayoutTest : public UiTest {};

// Text with line breaks pasted into a one-line box of each dialog: the breaks are left out and the
// rest kept, the caret after what was pasted.
TEST_F(LayoutTest, OneLineBoxesTakeNoLineBreaks) {
    const std::tuple<QLineEdit*, QString, QString> cases[] = {
        {TCPIPForm->PasswordEdit, "secret\n", "secret"},
        {LogonErrorForm->PasswordEdit, "se\r\ncret\r", "secret"},
        {NewAccountForm->PwEdit, "\nsecret\nmore", "secretmore"},
    };
    for (const auto& [box, pasted, kept] : cases) {
        QGuiApplication::clipboard()->setText(pasted);
        box->setText(QStringLiteral("ab"));
        box->setCursorPosition(1);
        box->paste();
        EXPECT_EQ(box->text(), "a" + kept + "b") << box->objectName().toStdString();
        EXPECT_EQ(box->cursorPosition(), 1 + kept.size());
    }
}

} // namespace
