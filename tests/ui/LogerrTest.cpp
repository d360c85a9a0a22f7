#include "ui/Logerr.h"
#include "UiFixture.h"

namespace {

class LogerrTest : public UiTest {};

// The corrected account and password are copied back into the log-on dialog's boxes: the error box
// takes no more than those hold, so nothing typed into it is cut on the way.
TEST_F(LogerrTest, TheBoxesTakeNoMoreThanTheLogOnDialogHolds) {
    const QString typed(200, QLatin1Char('x'));
    for (const auto& [mine, theirs] : {std::pair{LogonErrorForm->AccountEdit, TCPIPForm->AccountEdit},
                                       std::pair{LogonErrorForm->PasswordEdit, TCPIPForm->PasswordEdit}}) {
        mine->setText(typed);
        theirs->setText(typed);
        EXPECT_EQ(mine->text(), theirs->text()) << mine->objectName().toStdString();
    }
}

} // namespace
