#pragma once

// The data this dialog edits.
#include "gametext/Foes.h"

#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// What the friends-and-foes dialog needs from the main window. Each may be left empty: then the
// mask reads as 0, and nothing is stored, rebuilt or shown.
struct FriendsLinks {
    std::function<std::int32_t()> GetRanksAlert;
    // Reports its own write failure and returns, so "OK" goes on to apply the list.
    std::function<void(std::int32_t mask)> SetRanksAlert;
    // The player roster's RebuildList.
    std::function<void()> RebuildList;
    std::function<void(std::string_view line)> ShowLine;
};

// The friends-and-foes dialog: edits the names and watched ranks in its controls and applies them
// to the FriendsAndFoes the client consults only on "OK", so alerts keep to the old list until
// then. Created once at start-up, shown without blocking the main window, hidden by "OK" or
// "Cancel" (it has no close box); its controls keep their contents between showings.
class TFriendsForm : public QDialog {
    Q_OBJECT

  public:
    // Loads the "Ranks Alert" mask and startDir's ff.dat into foes and into the controls. foes
    // must outlive the dialog.
    TFriendsForm(orv::FriendsAndFoes& foes, const QString& startDir, FriendsLinks links,
                 QWidget* parent = nullptr);
    ~TFriendsForm() override;

    void AddBtnClick();
    void DeleteBtnClick();
    void OKBtnClick();
    void CancelBtnClick();

    // Escape, or any request to close the window, answers "Cancel".
    void reject() override;

    // Rank check boxes in rank order (0 to 14); each carries its bit value as its "Tag" property.
    QGroupBox* RanksGroup;
    QCheckBox* GHogCheck;
    QCheckBox* CommanderCheck;
    QCheckBox* CaptainCheck;
    QCheckBox* AdventCheck;
    QCheckBox* TraderCheck;
    QCheckBox* MerchantCheck;
    QCheckBox* JourneyCheck;
    QCheckBox* GuildCheck;
    QCheckBox* ExplorerCheck;
    QCheckBox* SquireCheck;
    QCheckBox* ThaneCheck;
    QCheckBox* IndustCheck;
    QCheckBox* TechnoCheck;
    QCheckBox* BaronCheck;
    QCheckBox* DukeCheck;
    QCheckBox* AudioCheck;

    QGroupBox* FriendsGroup;
    QListWidget* FFList;
    QLineEdit* NewEdit;
    QPushButton* AddBtn;
    QPushButton* DeleteBtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormCreate();
    void LoadFriends();
    void SaveFriends();
    void ShowMask(std::int32_t mask);
    std::int32_t TickedMask() const;
    void AddToList(const QString& name);

    orv::FriendsAndFoes& foes_;
    std::filesystem::path startDir_;
    FriendsLinks links_;
    // Every check box, in bit order: ranks 0 to 14, then AudioCheck.
    std::array<QCheckBox*, 16> checks_{};
};
