#include "ui/Tcp.h"

#include "store/Accounts.h"
#include "ui/Codepage.h"
#include "ui/Layout.h"
#include "store/Reg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QHideEvent>
#include <QVBoxLayout>

TTCPIPForm* TCPIPForm = nullptr;

namespace {

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& label, int maxLength,
                    const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(label);
    edit->setMaxLength(maxLength);
    return edit;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(caption);
    button->setFocusPolicy(Qt::ClickFocus); // Tab skips the buttons
    return button;
}

} // namespace

TTCPIPForm::TTCPIPForm(QWidget* parent) : QDialog(parent) {
    TCPIPForm = this;
    setObjectName(QStringLiteral("TCPIPForm"));
    setWindowTitle(QStringLiteral("Log On to Orvanta"));
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    HostGroup = new QGroupBox(QStringLiteral(" talmaro host computer "), this);
    HostGroup->setObjectName(QStringLiteral("HostGroup"));
    HostEdit =
        MakeEdit(HostGroup, "HostEdit", QStringLiteral("System Name"), 80, QStringLiteral(ORV_DEFAULT_HOST));
    PortEdit = MakeEdit(HostGroup, "PortEdit", QStringLiteral("Port Number"), 8, QStringLiteral("30003"));
    auto* hostForm = new QFormLayout(HostGroup);
    hostForm->addRow(new QLabel(QStringLiteral("System Name"), HostGroup), HostEdit);
    hostForm->addRow(new QLabel(QStringLiteral("Port Number"), HostGroup), PortEdit);

    AccountGroup = new QGroupBox(QStringLiteral(" talmaro account details "), this);
    AccountGroup->setObjectName(QStringLiteral("AccountGroup"));
    OrvEdit = MakeEdit(AccountGroup, "OrvEdit", QStringLiteral("Orv Name (optional)"), 16, {});
    AccountEdit = MakeEdit(AccountGroup, "AccountEdit", QStringLiteral("K. X. Account ID"), 32, {});
    PasswordEdit = MakeEdit(AccountGroup, "PasswordEdit", QStringLiteral("Password"), 80, {});
    PasswordEdit->setEchoMode(QLineEdit::Password);
    SaveCheck = new QCheckBox(QStringLiteral("Save Password"), AccountGroup);
    SaveCheck->setObjectName(QStringLiteral("SaveCheck"));
    SaveCheck->setAccessibleName(QStringLiteral("Save Password"));
    LastBtn = MakeButton(AccountGroup, "LastBtn", QStringLiteral("Last   "));
    NextBtn = MakeButton(AccountGroup, "NextBtn", QStringLiteral("Next "));
    connect(LastBtn, &QPushButton::clicked, this, &TTCPIPForm::LastBtnClick);
    connect(NextBtn, &QPushButton::clicked, this, &TTCPIPForm::NextBtnClick);
    auto* accountForm = new QFormLayout;
    accountForm->addRow(new QLabel(QStringLiteral("Orv Name (optional)"), AccountGroup), OrvEdit);
    accountForm->addRow(new QLabel(QStringLiteral("K. X. Account ID"), AccountGroup), AccountEdit);
    accountForm->addRow(new QLabel(QStringLiteral("Password"), AccountGroup), PasswordEdit);
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
    connect(OKBtn, &QPushButton::clicked, this, [this] { done(ResultConnect); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(ResultCancel); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    Layout = new QVBoxLayout(this);
    Layout->addWidget(HostGroup);
    Layout->addWidget(AccountGroup);
    Layout->addLayout(buttons);
    setTabOrder(HostEdit, PortEdit);
    setTabOrder(PortEdit, OrvEdit);
    setTabOrder(OrvEdit, AccountEdit);
    setTabOrder(AccountEdit, PasswordEdit);
    setTabOrder(PasswordEdit, SaveCheck);
    setMinimumWidth(fontMetrics().averageCharWidth() * 50);
}

TTCPIPForm::~TTCPIPForm() {
    if (TCPIPForm == this) TCPIPForm = nullptr;
}

void TTCPIPForm::reject() {
    done(ResultCancel);
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
    GuardedWrite([this] { store_->SetCurrentAccount(AccountIndex); });
    if (OrvEdit->text().isEmpty() && AccountEdit->text().isEmpty() && PasswordEdit->text().isEmpty()) return;
    // The box itself shows "+" afterwards, and the window is told "+" as the avatar name.
    if (OrvEdit->text().isEmpty()) OrvEdit->setText(QStringLiteral("+"));
    const std::string record =
        orv::AccountRecord::Format(EncodeCp1252(OrvEdit->text()), EncodeCp1252(AccountEdit->text()),
                                   EncodeCp1252(PasswordEdit->text()), SaveCheck->isChecked());
    GuardedWrite([&] { store_->SetStoredText(orv::AccountValueName(AccountIndex), record); });
}

void TTCPIPForm::GuardedWrite(const std::function<void()>& write) {
    try {
        write();
    } catch (const orv::SettingsWriteError& error) {
        QMessageBox::critical(this, QStringLiteral("Orv2Term"), QString::fromLocal8Bit(error.what()));
    }
}
