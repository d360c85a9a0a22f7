#include "ui/New_account.h"

#include "ui/Accessible.h"
#include "ui/Boxes.h"
#include "ui/Codepage.h"
#include "ui/Layout.h"

#include <QAccessible>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QToolButton>
#include <QVBoxLayout>

#include <tuple>

using orv::ui::AddRow;
using orv::ui::DecodeCp1252;
using orv::ui::MakeButton;
using orv::ui::MakeEdit;
using orv::ui::MakeGroup;
using orv::ui::Scaled;

namespace {

QLineEdit* MakeNumberBox(QWidget* parent, const char* name, const QString& label, int maxLength, int value) {
    QLineEdit* edit = orv::ui::MakeReadOnlyEdit(parent, name, label, maxLength, QString::number(value));
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(Scaled(parent, 36));
    return edit;
}

// The width of the frame that shows a stepper has the keyboard.
constexpr int FocusMargin = 1;

void ShowError(QWidget* parent, std::string_view message) {
    orv::ui::ShowErrorBox(parent, QStringLiteral("Error"), DecodeCp1252(message));
}

bool AskYesNo(QWidget* parent, std::string_view question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), DecodeCp1252(question),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

UpDownButtons::UpDownButtons(QLineEdit* associate, const QString& accessibleName, int minimum, int maximum,
                             QWidget* parent)
    : QWidget(parent), Associate(associate), Minimum(minimum), Maximum(maximum) {
    setAccessibleName(accessibleName);
    setFocusPolicy(Qt::TabFocus); // Up and Down step it once it has the keyboard
    UpButton = new QToolButton(this);
    UpButton->setObjectName(QStringLiteral("UpButton"));
    DownButton = new QToolButton(this);
    DownButton->setObjectName(QStringLiteral("DownButton"));
    UpButton->setArrowType(Qt::UpArrow);
    UpButton->setAccessibleName(accessibleName + QStringLiteral(" up"));
    DownButton->setArrowType(Qt::DownArrow);
    DownButton->setAccessibleName(accessibleName + QStringLiteral(" down"));
    const int height = associate->sizeHint().height();
    for (QToolButton* button : {UpButton, DownButton}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true); // held down, it keeps stepping
        button->setFixedSize(Scaled(this, 17), height / 2);
    }
    connect(UpButton, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(DownButton, &QToolButton::clicked, this, [this] { Step(-1); });
    // A screen reader on the stepper hears the number it has just stepped.
    connect(associate, &QLineEdit::textChanged, this, [this](const QString& text) {
        QAccessibleValueChangeEvent changed(this, text.toInt());
        QAccessible::updateAccessibility(&changed);
    });
    auto* layout = new QVBoxLayout(this);
    // Room for the focus frame.
    layout->setContentsMargins(FocusMargin, FocusMargin, FocusMargin, FocusMargin);
    layout->setSpacing(0);
    layout->addWidget(UpButton);
    layout->addWidget(DownButton);
}

void UpDownButtons::Release() {
    UpButton->setDown(false);
    DownButton->setDown(false);
}

void UpDownButtons::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        Step(+1);
    } else if (event->key() == Qt::Key_Down) {
        Step(-1);
    } else {
        QWidget::keyPressEvent(event);
    }
}

// The arrows never take the keyboard themselves: a frame around them shows that the pair has it.
void UpDownButtons::paintEvent(QPaintEvent*) {
    if (!hasFocus()) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = UpButton->geometry()
                     .united(DownButton->geometry())
                     .marginsAdded(QMargins(FocusMargin, FocusMargin, FocusMargin, FocusMargin));
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

TNewAccountForm::TNewAccountForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    orv::ui::InstallAccessibleInterfaces(); // before any box or stepper is asked how it reads aloud
    setObjectName(QStringLiteral("NewAccountForm"));
    setWindowTitle(QStringLiteral("New Account & Avatar"));

    ServerGroup = MakeGroup(this, "ServerGroup", QStringLiteral(" Server "));
    HostEdit = MakeEdit(ServerGroup, "HostEdit", QStringLiteral("Host"), 0, QStringLiteral(ORV_DEFAULT_HOST));
    PortEdit = MakeEdit(ServerGroup, "PortEdit", QStringLiteral("Port"), 0, QStringLiteral("30003"));
    auto* server = new QGridLayout(ServerGroup);
    AddRow(server, 0, HostEdit);
    AddRow(server, 1, PortEdit);

    AccountGroup = MakeGroup(this, "AccountGroup", QStringLiteral(" Account "));
    IDEdit = MakeEdit(AccountGroup, "IDEdit", QStringLiteral("Account ID"), 23);
    NewAcCheck = MakeButton<QCheckBox>(AccountGroup, "NewAcCheck", QStringLiteral("New Account"));
    NewAcCheck->setChecked(true);
    PwEdit = MakeEdit(AccountGroup, "PwEdit", QStringLiteral("Password"), 15);
    PwConfEdit = MakeEdit(AccountGroup, "PwConfEdit", QStringLiteral("P/w Confirm"), 15);
    orv::ui::SpellOut(PwConfEdit, QStringLiteral("Password confirmation"));
    for (QLineEdit* secret : {PwEdit, PwConfEdit})
        secret->setEchoMode(QLineEdit::Password);
    EMailEdit = MakeEdit(AccountGroup, "EMailEdit", QStringLiteral("E-Mail"), 79);
    auto* account = new QGridLayout(AccountGroup);
    AddRow(account, 0, IDEdit);
    account->addWidget(NewAcCheck, 0, 2);
    AddRow(account, 1, PwEdit);
    AddRow(account, 2, PwConfEdit);
    AddRow(account, 3, EMailEdit, 2);

    CharacterGroup = MakeGroup(this, "CharacterGroup", QStringLiteral(" Character "));
    NameEdit = MakeEdit(CharacterGroup, "NameEdit", QStringLiteral("Name"), 15);
    RaceEdit = MakeEdit(CharacterGroup, "RaceEdit", QStringLiteral("Race"), 15);

    GenderRadio = MakeGroup(CharacterGroup, "GenderRadio", QStringLiteral(" Gender "));
    GenderRadio->setAccessibleName(QStringLiteral("Gender"));
    GenderButtons = new QButtonGroup(GenderRadio);
    auto* genders = new QVBoxLayout(GenderRadio);
    int id = 0;
    for (const char* gender : {"Male", "Female", "Neuter"}) {
        auto* radio = MakeButton<QRadioButton>(GenderRadio, gender, QLatin1String(gender));
        GenderButtons->addButton(radio, id++);
        genders->addWidget(radio);
    }
    GenderButtons->button(2)->setChecked(true);

    StatsGroup = MakeGroup(CharacterGroup, "StatsGroup", QStringLiteral(" Stats "));
    StrEdit = MakeNumberBox(StatsGroup, "StrEdit", QStringLiteral("Strength"), 2, orv::StatMin);
    DexEdit = MakeNumberBox(StatsGroup, "DexEdit", QStringLiteral("Dexterity"), 2, orv::StatMin);
    StaEdit = MakeNumberBox(StatsGroup, "StaEdit", QStringLiteral("Stamina"), 2, orv::StatMin);
    IntEdit = MakeNumberBox(StatsGroup, "IntEdit", QStringLiteral("Intelligence"), 2, orv::StatMin);
    UnusedEdit = MakeNumberBox(StatsGroup, "UnusedEdit", QStringLiteral("Unused"), 3, orv::UnusedAtStart);
    auto* stats = new QGridLayout(StatsGroup);
    int row = 0;
    for (auto [edit, spin, name] :
         {std::tuple{StrEdit, &StrSpin, "StrSpin"}, std::tuple{DexEdit, &DexSpin, "DexSpin"},
          std::tuple{StaEdit, &UpDown1, "UpDown1"}, std::tuple{IntEdit, &UpDown2, "UpDown2"}}) {
        *spin = new UpDownButtons(edit, edit->accessibleName(), orv::StatMin, orv::StatMax, StatsGroup);
        (*spin)->setObjectName(QLatin1String(name));
        (*spin)->OnStep = [this, s = *spin](int direction) { StatChange(s, direction); };
        AddRow(stats, row, edit);
        stats->addWidget(*spin, row++, 2);
    }
    AddRow(stats, row, UnusedEdit);

    auto* character = new QGridLayout(CharacterGroup);
    AddRow(character, 0, NameEdit);
    AddRow(character, 1, RaceEdit);
    character->addWidget(GenderRadio, 2, 0, 1, 2);
    character->addWidget(StatsGroup, 0, 2, 3, 1);

    SendBtn = MakeButton(this, "SendBtn", QStringLiteral("Send to Server"));
    SendBtn->setDefault(true);
    CancelBtn = MakeButton(this, "CancelBtn", QStringLiteral("Cancel"));
    CancelBtn->setAutoDefault(false);
    connect(SendBtn, &QPushButton::clicked, this, &TNewAccountForm::SendBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TNewAccountForm::CancelBtnClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SendBtn);
    buttons->addWidget(CancelBtn);

    auto* top = new QHBoxLayout;
    top->addWidget(ServerGroup);
    top->addWidget(AccountGroup, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(CharacterGroup);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a fixed border

    // Tab follows the screen, each stat's box before its stepper.
    QList<QWidget*> order = {HostEdit,   PortEdit,  IDEdit,   NewAcCheck, PwEdit,
                             PwConfEdit, EMailEdit, NameEdit, RaceEdit};
    for (QAbstractButton* gender : GenderButtons->buttons())
        order << gender;
    for (UpDownButtons* spin : {StrSpin, DexSpin, UpDown1, UpDown2})
        order << spin->Associate << spin;
    orv::ui::SetTabOrder(order << UnusedEdit << SendBtn << CancelBtn);
}

TNewAccountForm::~TNewAccountForm() {}

orv::NewAccountDetails TNewAccountForm::Details() const {
    using orv::ui::EncodeCp1252;
    orv::NewAccountDetails details;
    details.Host = EncodeCp1252(HostEdit->text());
    details.Port = EncodeCp1252(PortEdit->text());
    details.AccountId = EncodeCp1252(IDEdit->text());
    details.Password = EncodeCp1252(PwEdit->text());
    details.Confirmation = EncodeCp1252(PwConfEdit->text());
    details.EMail = EncodeCp1252(EMailEdit->text());
    details.Name = EncodeCp1252(NameEdit->text());
    details.Race = EncodeCp1252(RaceEdit->text());
    details.NewAccount = NewAcCheck->isChecked();
    details.Gender = GenderButtons->checkedId();
    details.Strength = StrEdit->text().toInt();
    details.Dexterity = DexEdit->text().toInt();
    details.Stamina = StaEdit->text().toInt();
    details.Intelligence = IntEdit->text().toInt();
    details.Unused = UnusedEdit->text().toInt();
    return details;
}

void TNewAccountForm::StatChange(UpDownButtons* spin, int direction) {
    const orv::StatStep step =
        orv::StepStat(spin->Associate->text().toInt(), UnusedEdit->text().toInt(), direction);
    if (step.Outcome == orv::StatStepOutcome::NoSparePoints) {
        spin->Release();
        ShowError(this, orv::NoSpareStats);
        return;
    }
    spin->Associate->setText(QString::number(step.Stat));
    UnusedEdit->setText(QString::number(step.Unused));
}

void TNewAccountForm::SendBtnClick() {
    CanClose = true;
    if (const auto failed = orv::FirstFailedCheck(Details())) {
        if (failed->Question) {
            if (!AskYesNo(this, failed->Message)) CanClose = false;
        } else {
            ShowError(this, failed->Message);
            CanClose = false;
        }
    }
    CloseWith(orv::ui::DialogResult::Yes);
}

void TNewAccountForm::CancelBtnClick() {
    CanClose = true;
    CloseWith(orv::ui::DialogResult::Cancel);
}

void TNewAccountForm::reject() {
    CloseWith(orv::ui::DialogResult::Cancel);
}

void TNewAccountForm::CloseWith(int result) {
    if (FormCloseQuery()) done(result);
}

void TNewAccountForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    orv::ui::CentreOnScreen(this);
}
