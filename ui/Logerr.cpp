#include "ui/Logerr.h"

#include "ui/Layout.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TLogonErrorForm* LogonErrorForm = nullptr;

using orv::ui::Designed;

TLogonErrorForm::TLogonErrorForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    LogonErrorForm = this;
    setObjectName(QStringLiteral("LogonErrorForm"));
    setWindowTitle(QStringLiteral("Orvanta Logon Error"));
    setFont(orv::ui::FontOf(this, QStringLiteral("Times New Roman"), 15));

    MainPannel = new QFrame(this);
    MainPannel->setObjectName(QStringLiteral("MainPannel"));
    static_cast<QFrame*>(MainPannel)->setFrameShape(QFrame::StyledPanel);

    auto* message = new QLabel(QStringLiteral("The password and account name you gave do not\n"
                                              "match, or there is a problem authenticating your\n"
                                              "account. Please re-enter the details.  Thank you."),
                               MainPannel);
    message->setObjectName(QStringLiteral("MessageLabel"));

    GroupBox1 = new QGroupBox(QStringLiteral(" talmaro account details "), MainPannel);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    AccountEdit = new QLineEdit(GroupBox1);
    AccountEdit->setObjectName(QStringLiteral("AccountEdit"));
    AccountEdit->setAccessibleName(QStringLiteral("A/c ID"));
    AccountEdit->setMaxLength(160);
    PasswordEdit = new QLineEdit(GroupBox1);
    PasswordEdit->setObjectName(QStringLiteral("PasswordEdit"));
    PasswordEdit->setAccessibleName(QStringLiteral("Password"));
    PasswordEdit->setMaxLength(160);
    PasswordEdit->setEchoMode(QLineEdit::Password);
    auto* fields = new QGridLayout(GroupBox1);
    auto* accountLabel = new QLabel(QStringLiteral("A/c ID"), GroupBox1);
    accountLabel->setBuddy(AccountEdit);
    auto* passwordLabel = new QLabel(QStringLiteral("Password"), GroupBox1);
    passwordLabel->setBuddy(PasswordEdit);
    fields->addWidget(accountLabel, 0, 0);
    fields->addWidget(AccountEdit, 0, 1);
    fields->addWidget(passwordLabel, 1, 0);
    fields->addWidget(PasswordEdit, 1, 1);

    BtnPanel = new QFrame(MainPannel);
    BtnPanel->setObjectName(QStringLiteral("BtnPanel"));
    static_cast<QFrame*>(BtnPanel)->setFrameShape(QFrame::StyledPanel);
    Button1 = new QPushButton(QStringLiteral("OK"), BtnPanel);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAccessibleName(QStringLiteral("OK"));
    Button1->setDefault(true); // Enter in either field answers OK
    Button2 = new QPushButton(QStringLiteral("Cancel"), BtnPanel);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setAccessibleName(QStringLiteral("Cancel"));
    for (QPushButton* button : {Button1, Button2}) button->setFixedSize(Designed(this, 68), Designed(this, 33));
    connect(Button1, &QPushButton::clicked, this, [this] { done(ResultOK); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(ResultCancel); });
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

    setTabOrder(AccountEdit, PasswordEdit);
    setTabOrder(PasswordEdit, Button1);
    setTabOrder(Button1, Button2);
    orv::ui::FixDesignedSize(this, 316, 168);
}

TLogonErrorForm::~TLogonErrorForm() {
    if (LogonErrorForm == this) LogonErrorForm = nullptr;
}

void TLogonErrorForm::reject() {
    done(ResultCancel);
}

void TLogonErrorForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    orv::ui::CentreOnScreen(this);
    AccountEdit->setFocus();
}
