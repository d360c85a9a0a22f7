#include "ui/Logerr.h"

#include "store/Accounts.h"
#include "ui/Layout.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using orv::ui::MakeButton;
using orv::ui::MakeEdit;

TLogonErrorForm::TLogonErrorForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("LogonErrorForm"));
    setWindowTitle(QStringLiteral("Orvanta Logon Error"));
    setFont(orv::ui::FontOf(this, QStringLiteral("Times New Roman"), 15));

    MainPannel = new QFrame(this);
    MainPannel->setObjectName(QStringLiteral("MainPannel"));
    MainPannel->setFrameShape(QFrame::StyledPanel);

    auto* message = new QLabel(QStringLiteral("The password and account name you gave do not\n"
                                              "match, or there is a problem authenticating your\n"
                                              "account. Please re-enter the details.  Thank you."),
                               MainPannel);
    message->setObjectName(QStringLiteral("MessageLabel"));

    GroupBox1 = orv::ui::MakeGroup(MainPannel, "GroupBox1", QStringLiteral(" talmaro account details "));
    // The answers go back into the log-on dialog's boxes: no longer than those, or they would be cut.
    AccountEdit =
        MakeEdit(GroupBox1, "AccountEdit", QStringLiteral("A/c ID"), orv::AccountRecord::AccountLimit);
    PasswordEdit =
        MakeEdit(GroupBox1, "PasswordEdit", QStringLiteral("Password"), orv::AccountRecord::PasswordLimit);
    orv::ui::SpellOut(AccountEdit, QStringLiteral("Account ID"));
    PasswordEdit->setEchoMode(QLineEdit::Password);
    auto* fields = new QGridLayout(GroupBox1);
    orv::ui::AddRow(fields, 0, AccountEdit);
    orv::ui::AddRow(fields, 1, PasswordEdit);

    BtnPanel = new QFrame(MainPannel);
    BtnPanel->setObjectName(QStringLiteral("BtnPanel"));
    BtnPanel->setFrameShape(QFrame::StyledPanel);
    Button1 = MakeButton(BtnPanel, "Button1", QStringLiteral("OK"));
    Button1->setDefault(true); // Enter in either field answers OK
    Button2 = MakeButton(BtnPanel, "Button2", QStringLiteral("Cancel"));
    for (QPushButton* button : {Button1, Button2})
        button->setFixedSize(orv::ui::Scaled(this, 68), orv::ui::Scaled(this, 33));
    connect(Button1, &QPushButton::clicked, this, [this] { done(orv::ui::DialogResult::OK); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(orv::ui::DialogResult::Cancel); });
    auto* buttons = new QVBoxLayout(BtnPanel);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(message);
    left->addWidget(GroupBox1);
    auto* inner = new QHBoxLayout(MainPannel);
    inner->setContentsMargins(4, 4, 4, 4);
    inner->addLayout(left, 1);
    inner->addWidget(BtnPanel);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(MainPannel);

    orv::ui::SetTabOrder({AccountEdit, PasswordEdit, Button1, Button2});
    orv::ui::FixDesignedSize(this, 316, 168);
}

TLogonErrorForm::~TLogonErrorForm() {}

void TLogonErrorForm::reject() {
    done(orv::ui::DialogResult::Cancel);
}

void TLogonErrorForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    orv::ui::CentreOnScreen(this);
    AccountEdit->setFocus();
}
