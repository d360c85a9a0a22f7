#include "Tcp.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
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
    Layout->addLayout(buttons);
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
    // Centred on the screen, not on the main window.
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}
