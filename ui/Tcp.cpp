#include "ui/Tcp.h"

#include "store/Accounts.h"
#include "store/Reg.h"
#include "ui/Boxes.h"
#include "ui/Codepage.h"
#include "ui/Layout.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

using orv::ui::MakeButton;
using orv::ui::MakeEdit;

TTCPIPForm::TTCPIPForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TCPIPForm"));
    setWindowTitle(QStringLiteral("Log On to Orvanta"));
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    HostGroup = orv::ui::MakeGroup(this, "HostGroup", QStringLiteral(" talmaro host computer "));
    HostEdit =
        MakeEdit(HostGroup, "HostEdit", QStringLiteral("System Name"), 80, QStringLiteral(ORV_DEFAULT_HOST));
    PortEdit = MakeEdit(HostGroup, "PortEdit", QStringLiteral("Port Number"), 8, QStringLiteral("30003"));
    auto* hostForm = new QFormLayout(HostGroup);
    for (QLineEdit* edit : {HostEdit, PortEdit})
        hostForm->addRow(orv::ui::CaptionOf(edit), edit);

    AccountGroup = orv::ui::MakeGroup(this, "AccountGroup", QStringLiteral(" talmaro account details "));
    OrvEdit = MakeEdit(AccountGroup, "OrvEdit", QStringLiteral("Orv Name (optional)"),
                       orv::AccountRecord::AvatarLimit);
    AccountEdit = MakeEdit(AccountGroup, "AccountEdit", QStringLiteral("K. X. Account ID"),
                           orv::AccountRecord::AccountLimit);
    PasswordEdit =
        MakeEdit(AccountGroup, "PasswordEdit", QStringLiteral("Password"), orv::AccountRecord::PasswordLimit);
    PasswordEdit->setEchoMode(QLineEdit::Password);
    SaveCheck = MakeButton<QCheckBox>(AccountGroup, "SaveCheck", QStringLiteral("Save Password"));
    LastBtn = MakeButton(AccountGroup, "LastBtn", QStringLiteral("Last   "));
    NextBtn = MakeButton(AccountGroup, "NextBtn", QStringLiteral("Next "));
    orv::ui::Describe(LastBtn, QStringLiteral("Shows the previous saved account"));
    orv::ui::Describe(NextBtn, QStringLiteral("Shows the next saved account"));
    connect(LastBtn, &QPushButton::clicked, this, &TTCPIPForm::LastBtnClick);
    connect(NextBtn, &QPushButton::clicked, this, &TTCPIPForm::NextBtnClick);
    auto* accountForm = new QFormLayout;
    for (QLineEdit* edit : {OrvEdit, AccountEdit, PasswordEdit})
        accountForm->addRow(orv::ui::CaptionOf(edit), edit);
    accountForm->addRow(QString(), SaveCheck);
    auto* browse = new QVBoxLayout;
    browse->addWidget(LastBtn);
    browse->addWidget(NextBtn);
    browse->addStretch();
    auto* accountRow = new QHBoxLayout(AccountGroup);
    accountRow->addLayout(accountForm, 1);
    accountRow->addLayout(browse);

    OKBtn = MakeButton(this, "OKBtn", QStringLiteral("Connect"));
    OKBtn->setDefault(true);
    CancelBtn = MakeButton(this, "CancelBtn", QStringLiteral("Cancel"));
    connect(OKBtn, &QPushButton::clicked, this, [this] { done(orv::ui::DialogResult::Connect); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(orv::ui::DialogResult::Cancel); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(HostGroup);
    layout->addWidget(AccountGroup);
    layout->addLayout(buttons);
    // The account's boxes, then the browsing buttons beside them, then the answers.
    orv::ui::SetTabOrder({HostEdit, PortEdit, OrvEdit, AccountEdit, PasswordEdit, SaveCheck, LastBtn, NextBtn,
                          OKBtn, CancelBtn});
    setMinimumWidth(fontMetrics().averageCharWidth() * 50);
}

TTCPIPForm::~TTCPIPForm() {}

void TTCPIPForm::reject() {
    done(orv::ui::DialogResult::Cancel);
}

void TTCPIPForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return; // the desktop showing it again, not our showing
    orv::ui::CentreOnScreen(this);
    FormShow();
    PasswordEdit->setFocus();
}

void TTCPIPForm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) FormHide();
}

void TTCPIPForm::FormShow() {
    AccountIndex = store_ != nullptr ? store_->GetCurrentAccount() : 0;
    // Showing only ever disables Last; Next is disabled by loading an empty record.
    if (AccountIndex == 0) LastBtn->setEnabled(false);
    LoadAccount();
}

void TTCPIPForm::FormHide() {
    SaveAccount();
    if (!OrvEdit->text().isEmpty() && OnAvatarName) OnAvatarName(OrvEdit->text());
}

void TTCPIPForm::LastBtnClick() {
    NextBtn->setEnabled(true);
    --AccountIndex;
    if (AccountIndex <= 0) {
        AccountIndex = 0;
        LastBtn->setEnabled(false);
    }
    LoadAccount();
}

void TTCPIPForm::NextBtnClick() {
    LastBtn->setEnabled(true);
    ++AccountIndex;
    LoadAccount();
}

void TTCPIPForm::LoadAccount() {
    using orv::ui::DecodeCp1252;
    const std::string text = store_ != nullptr ? store_->GetStoredText(orv::AccountValueName(AccountIndex),
                                                                       orv::AccountRecord::ReadLimit)
                                               : std::string();
    if (text.empty()) {
        OrvEdit->clear();
        AccountEdit->clear();
        PasswordEdit->clear();
        NextBtn->setEnabled(false);
        return;
    }
    const orv::AccountRecord record = orv::AccountRecord::Parse(text);
    if (record.avatar) OrvEdit->setText(*record.avatar == "+" ? QString() : DecodeCp1252(*record.avatar));
    if (record.account) AccountEdit->setText(DecodeCp1252(*record.account));
    PasswordEdit->setText(record.password ? DecodeCp1252(*record.password) : QString());
    SaveCheck->setChecked(record.password.has_value());
}

void TTCPIPForm::SaveAccount() {
    using orv::ui::EncodeCp1252;
    if (store_ == nullptr) return;
    orv::ui::WriteOrReport(this, [this] { store_->SetCurrentAccount(AccountIndex); });
    if (OrvEdit->text().isEmpty() && AccountEdit->text().isEmpty() && PasswordEdit->text().isEmpty()) return;
    // The box itself shows "+" afterwards, and the window is told "+" as the avatar name.
    if (OrvEdit->text().isEmpty()) OrvEdit->setText(QStringLiteral("+"));
    const std::string record =
        orv::AccountRecord::Format(EncodeCp1252(OrvEdit->text()), EncodeCp1252(AccountEdit->text()),
                                   EncodeCp1252(PasswordEdit->text()), SaveCheck->isChecked());
    orv::ui::WriteOrReport(this, [&] { store_->SetStoredText(orv::AccountValueName(AccountIndex), record); });
}
