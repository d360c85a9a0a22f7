#include "ui/PlayerList.h"

#include "ui/Codepage.h"
#include "ui/NameList.h"

#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>

namespace orv::ui {

namespace {

// The list tells a screen reader of its rows added and removed only as a change of its model, which
// the desktop's accessibility bus does not pass on; so each row reports its own arrival and
// departure, and a reader's copy of the list neither misses a player nor keeps one who left.
void ReportRow(QListWidget* list, int row, QAccessible::Event what) {
    if (!QAccessible::isActive()) return;
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(list);
    QAccessibleInterface* cell = view != nullptr ? view->child(row) : nullptr;
    if (cell == nullptr) return;
    QAccessibleEvent event(cell, what);
    QAccessible::updateAccessibility(&event);
}

} // namespace

PlayerListPanel::PlayerListPanel(QWidget* panel, QLabel* caption, QListWidget* list, QLabel* count,
                                 int rowHeight)
    : QObject(list), panel_(panel), caption_(caption), list_(list), count_(count), rowHeight_(rowHeight) {}

void PlayerListPanel::AddRow(std::string_view name) {
    auto* row = new NameItem(DecodeCp1252(name));
    row->setSizeHint(QSize(0, rowHeight_)); // rows as designed, whatever the font
    list_->addItem(row);
    // Finding the row's place costs a search of the list: only when a reader listens.
    if (QAccessible::isActive()) ReportRow(list_, list_->row(row), QAccessible::ObjectCreated);
}

int PlayerListPanel::FindRow(std::string_view name) const {
    // The rows are sorted, so the first match is found by halving. A match is equal ignoring
    // case, as the list box's own search finds it.
    const QString wanted = DecodeCp1252(name);
    int low = 0;
    int high = list_->count();
    while (low < high) {
        const int mid = (low + high) / 2;
        if (CompareNames(list_->item(mid)->text(), wanted) < 0)
            low = mid + 1;
        else
            high = mid;
    }
    for (int row = low; row < list_->count() && CompareNames(list_->item(row)->text(), wanted) == 0; ++row)
        if (list_->item(row)->text().compare(wanted, Qt::CaseInsensitive) == 0) return row;
    return -1;
}

void PlayerListPanel::DeleteRow(int row) {
    ReportRow(list_, row, QAccessible::ObjectDestroyed);
    delete list_->takeItem(row);
}

void PlayerListPanel::ClearRows() {
    if (QAccessible::isActive())
        for (int row = list_->count(); row-- > 0;)
            ReportRow(list_, row, QAccessible::ObjectDestroyed);
    list_->clear();
}

void PlayerListPanel::BeginUpdate() {
    topRow_ = list_->verticalScrollBar()->value();
    list_->setUpdatesEnabled(false);
}

void PlayerListPanel::EndUpdate() {
    list_->verticalScrollBar()->setValue(topRow_);
    list_->setUpdatesEnabled(true);
}

void PlayerListPanel::SetTotalCaption(std::string_view caption) {
    // Captions come with the toolkit escape for an ampersand; a label shows them as written.
    caption_->setText(DecodeCp1252(caption).replace(QStringLiteral("&&"), QStringLiteral("&")));
}

void PlayerListPanel::SetCountText(std::string_view text) {
    count_->setText(DecodeCp1252(text));
}

void PlayerListPanel::ShowPlayerPanel(bool shown) {
    panel_->setVisible(shown);
}

} // namespace orv::ui
