#include "ui/Foes.h"

#include "store/FriendsFile.h"
#include "ui/Codepage.h"
#include "ui/Layout.h"
#include "ui/NameList.h"

#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>
#include <utility>
#include <vector>

using orv::ui::DecodeCp1252;
using orv::ui::EncodeCp1252;
using orv::ui::MakeButton;
using orv::ui::MakeGroup;
using orv::ui::Scaled;

TFriendsForm::TFriendsForm(orv::FriendsAndFoes& foes, const QString& startDir, FriendsLinks links,
                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      foes_(foes), startDir_(orv::ui::FileName(startDir)), links_(std::move(links)) {
    setObjectName(QStringLiteral("FriendsForm"));
    setWindowTitle(QStringLiteral("Friend and Foe Alerts"));
    setModal(false);

    RanksGroup = MakeGroup(this, "RanksGroup", QStringLiteral(" Ranks "));
    RanksGroup->setAccessibleName(QStringLiteral("Ranks"));
    // A caption cut short is spelt out for a screen reader: the rank's two titles.
    struct Box {
        QCheckBox*& check;
        const char* name;
        const char* caption;
        const char* fullName = nullptr;
    };
    const Box boxes[] = {
        {GHogCheck, "GHogCheck", "GroundHog"},
        {CommanderCheck, "CommanderCheck", "Commander"},
        {CaptainCheck, "CaptainCheck", "Captain"},
        {AdventCheck, "AdventCheck", "Adventurer"},
        {TraderCheck, "TraderCheck", "Trader"},
        {MerchantCheck, "MerchantCheck", "Merchant"},
        {JourneyCheck, "JourneyCheck", "J. P.", "Journeyman or Journeywoman"},
        {GuildCheck, "GuildCheck", "G. M.", "Master or Maitreuse"},
        {ExplorerCheck, "ExplorerCheck", "Explorer"},
        {SquireCheck, "SquireCheck", "Squire"},
        {ThaneCheck, "ThaneCheck", "Thane"},
        {IndustCheck, "IndustCheck", "Industrialist"},
        {TechnoCheck, "TechnoCheck", "Technocrat"},
        {BaronCheck, "BaronCheck", "Baron/ess", "Baron or Baroness"},
        {DukeCheck, "DukeCheck", "Duke/Duchesse", "Duke or Duchess"},
        {AudioCheck, "AudioCheck", "Audible Alert"},
    };
    static_assert(std::size(boxes) == std::tuple_size_v<decltype(checks_)>);
    auto* ranks = new QGridLayout(RanksGroup);
    constexpr int RowsPerColumn = 5;
    for (std::size_t bit = 0; bit < std::size(boxes); ++bit) {
        const Box& box = boxes[bit];
        box.check = MakeButton<QCheckBox>(RanksGroup, box.name, QString::fromLatin1(box.caption));
        if (box.fullName != nullptr) orv::ui::SpellOut(box.check, QString::fromLatin1(box.fullName));
        box.check->setProperty("Tag", 1 << bit);
        checks_[bit] = box.check;
        const int index = static_cast<int>(bit);
        if (box.check == AudioCheck)
            ranks->addWidget(box.check, RowsPerColumn, 0, 1, 3); // under the ranks, across the group
        else
            ranks->addWidget(box.check, index % RowsPerColumn, index / RowsPerColumn);
    }

    FriendsGroup = MakeGroup(this, "FriendsGroup", QStringLiteral(" Friends && Foes "));
    FriendsGroup->setAccessibleName(QStringLiteral("Friends & Foes"));
    FFList = new QListWidget(FriendsGroup);
    FFList->setObjectName(QStringLiteral("FFList"));
    FFList->setAccessibleName(QStringLiteral("Friends & Foes"));
    FFList->setSortingEnabled(true);
    FFList->setSelectionMode(QAbstractItemView::SingleSelection);
    FFList->setFixedSize(Scaled(this, 180), Scaled(this, 190));
    NewEdit = orv::ui::MakeEdit(FriendsGroup, "NewEdit", QStringLiteral("Name to add"),
                                static_cast<int>(orv::FriendsAndFoes::NameLimit));
    AddBtn = MakeButton(FriendsGroup, "AddBtn", QStringLiteral("Add Name"));
    DeleteBtn = MakeButton(FriendsGroup, "DeleteBtn", QStringLiteral("Delete Name"));
    auto* friends = new QGridLayout(FriendsGroup);
    friends->addWidget(FFList, 0, 0, 1, 2);
    friends->addWidget(NewEdit, 1, 0, 1, 2);
    friends->addWidget(AddBtn, 2, 0);
    friends->addWidget(DeleteBtn, 2, 1);

    OKBtn = MakeButton(this, "OKBtn", QStringLiteral("OK"));
    OKBtn->setDefault(true);
    CancelBtn = MakeButton(this, "CancelBtn", QStringLiteral("Cancel"));
    for (QPushButton* button : {AddBtn, DeleteBtn, OKBtn, CancelBtn})
        button->setMinimumSize(Scaled(this, 94), Scaled(this, 31));

    auto* groups = new QHBoxLayout;
    groups->addWidget(RanksGroup, 0, Qt::AlignTop);
    groups->addWidget(FriendsGroup);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    outer->addLayout(groups);
    outer->addLayout(buttons);

    connect(AddBtn, &QPushButton::clicked, this, &TFriendsForm::AddBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TFriendsForm::DeleteBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &TFriendsForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TFriendsForm::CancelBtnClick);

    FormCreate();
}

TFriendsForm::~TFriendsForm() {
    // The list goes with the dialog that keeps it: no friend alerts once it is gone.
    foes_.SetNames({});
}

void TFriendsForm::FormCreate() {
    const std::int32_t mask = links_.GetRanksAlert ? links_.GetRanksAlert() : 0;
    foes_.SetRanksAlertMask(mask);
    ShowMask(mask);
    LoadFriends();
}

void TFriendsForm::LoadFriends() {
    std::vector<std::string> names = orv::LoadFriends(startDir_, orv::FriendsAndFoes::NameLimit);
    for (const std::string& name : names)
        AddToList(DecodeCp1252(name));
    foes_.SetNames(std::move(names));
}

void TFriendsForm::SaveFriends() {
    if (!orv::SaveFriends(startDir_, foes_.Names()) && links_.ShowLine)
        links_.ShowLine(orv::SaveFriendsFailed);
}

void TFriendsForm::AddBtnClick() {
    const QString typed = NewEdit->text();
    if (typed.isEmpty()) return;
    AddToList(DecodeCp1252(orv::CapitaliseName(EncodeCp1252(typed))));
    NewEdit->clear();
}

void TFriendsForm::DeleteBtnClick() {
    const QList<QListWidgetItem*> selected = FFList->selectedItems();
    if (selected.isEmpty()) return;
    delete selected.constFirst();
    // As a list box does: after a deletion nothing is selected, so a second click deletes nothing.
    FFList->clearSelection();
}

void TFriendsForm::OKBtnClick() {
    const std::int32_t mask = TickedMask();
    foes_.SetRanksAlertMask(mask);
    if (links_.SetRanksAlert) links_.SetRanksAlert(mask);

    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(FFList->count()));
    for (int row = 0; row < FFList->count(); ++row)
        names.push_back(EncodeCp1252(FFList->item(row)->text()));
    foes_.SetNames(std::move(names));

    if (links_.RebuildList) links_.RebuildList();
    SaveFriends();
    hide();
}

void TFriendsForm::CancelBtnClick() {
    // The controls keep what the player left in them; a later "OK" applies it.
    hide();
}

void TFriendsForm::reject() {
    CancelBtnClick();
}

void TFriendsForm::showEvent(QShowEvent* event) {
    // Not QDialog's, which would centre the dialog over its parent: it opens where the system puts
    // new windows.
    QWidget::showEvent(event);
}

void TFriendsForm::ShowMask(std::int32_t mask) {
    for (QCheckBox* check : checks_)
        check->setChecked((mask & check->property("Tag").toInt()) != 0);
}

std::int32_t TFriendsForm::TickedMask() const {
    std::int32_t mask = 0;
    for (const QCheckBox* check : checks_)
        if (check->isChecked()) mask |= check->property("Tag").toInt();
    return mask;
}

void TFriendsForm::AddToList(const QString& name) {
    FFList->addItem(new orv::ui::NameItem(name));
}
