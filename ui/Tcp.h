#pragma once

#include "ui/Layout.h"

#include <QDialog>

#include <functional>

namespace orv {
class SettingsStore;
}

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// The log-on dialog: the game server's host and port, the account to log on with and the avatar
// to play, confirmed with "Connect" before each connection. It also browses the saved accounts
// ("Ac0", "Ac1", ... in the settings store) with Last and Next, and saves the one shown whenever
// it closes. Created once at start-up; its boxes keep their contents between showings.
class TTCPIPForm : public QDialog {
    Q_OBJECT

  public:
    explicit TTCPIPForm(QWidget* parent = nullptr);
    ~TTCPIPForm() override;

    // The close box and Escape close the dialog as "Cancel" does.
    void reject() override;

    // Where the saved accounts live; without a store nothing is loaded or saved.
    void SetStore(orv::SettingsStore* store) { store_ = store; }
    // Told the avatar name whenever the dialog closes with one (the window shows it in its title).
    std::function<void(const QString& avatar)> OnAvatarName;

    void FormShow();
    void FormHide();
    void LastBtnClick();
    void NextBtnClick();
    void LoadAccount();
    // Saves the account shown and "Current Account"; also used after a corrected log-on.
    void SaveAccount();

    int AccountIndex = 0;

    QLineEdit* HostEdit;
    QLineEdit* PortEdit;
    QLineEdit* OrvEdit;
    QLineEdit* AccountEdit;
    QLineEdit* PasswordEdit;
    QCheckBox* SaveCheck;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* LastBtn;
    QPushButton* NextBtn;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QGroupBox* HostGroup;
    QGroupBox* AccountGroup;
    orv::SettingsStore* store_ = nullptr;
};
