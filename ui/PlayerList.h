#pragma once

#include "gametext/Players.h"

#include <QObject>

class QLabel;
class QListWidget;
class QWidget;

namespace orv::ui {

// The player list as the roster drives it: the sorted list box, the caption above it, the count
// in the status bar and the panel holding list and caption.
class PlayerListPanel final : public QObject, public orv::PlayerListView {
  public:
    // rowHeight: the designed row height in this screen's pixels.
    PlayerListPanel(QWidget* panel, QLabel* caption, QListWidget* list, QLabel* count, int rowHeight);

    void AddRow(std::string_view name) override;
    int FindRow(std::string_view name) const override;
    void DeleteRow(int row) override;
    void ClearRows() override;
    void BeginUpdate() override;
    void EndUpdate() override;
    void SetTotalCaption(std::string_view caption) override;
    void SetCountText(std::string_view text) override;
    void ShowPlayerPanel(bool shown) override;

  private:
    QWidget* panel_;
    QLabel* caption_;
    QListWidget* list_;
    QLabel* count_;
    int rowHeight_;
    int topRow_ = 0; // the list's scroll position kept across one change
};

} // namespace orv::ui
