#pragma once

#include <QCollator>
#include <QListWidgetItem>
#include <QString>

namespace orv::ui {

// Names in the window's lists sort as the desktop's sorted list boxes sort them: by the user's
// locale, ignoring case. Lookups that search a sorted list compare the same way.
inline int CompareNames(const QString& a, const QString& b) {
    static const QCollator collator = [] {
        QCollator made;
        made.setCaseSensitivity(Qt::CaseInsensitive);
        return made;
    }();
    return collator.compare(a, b);
}

// An entry of a sorted list of names.
class NameItem : public QListWidgetItem {
  public:
    using QListWidgetItem::QListWidgetItem;
    bool operator<(const QListWidgetItem& other) const override {
        return CompareNames(text(), other.text()) < 0;
    }
};

} // namespace orv::ui
