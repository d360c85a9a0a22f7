#include "ui/About.h"

#include "session/Connection.h"
#include "ui/Layout.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About OrvTerm"));
    setFont(orv::ui::FontOf(this, QStringLiteral("Times New Roman"), 20));

    Label1 = new QLabel(QStringLiteral("OrvTerm32"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont title = orv::ui::FontOf(this, QStringLiteral("Times New Roman"), 27);
    title.setBold(true);
    Label1->setFont(title);
    VersionLabel = new QLabel(QStringLiteral("Version"), this);
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    for (QLabel* label : {Label1, VersionLabel})
        label->setAlignment(Qt::AlignHCenter);

    OKButton = orv::ui::MakeButton(this, "OKButton", QStringLiteral("Wow!"));
    QFont wow = orv::ui::FontOf(this, QStringLiteral("Times New Roman"), 20);
    wow.setBold(true);
    wow.setItalic(true);
    OKButton->setFont(wow);
    OKButton->setFixedSize(orv::ui::Scaled(this, 321), orv::ui::Scaled(this, 33));
    OKButton->setDefault(true);
    orv::ui::Describe(OKButton, QStringLiteral("Closes the About box"));
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(VersionLabel);
    layout->addStretch();
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    FormCreate();
    orv::ui::FixDesignedSize(this, 352, 235);
}

TAboutBox::~TAboutBox() {}

void TAboutBox::FormCreate() {
    VersionLabel->setText(QString::fromLatin1(orv::VersionLabel.data(), orv::VersionLabel.size()));
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    orv::ui::CentreOnScreen(this);
}
