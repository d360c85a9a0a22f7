#pragma once

#include "session/NewAccount.h"
#include "ui/Layout.h"

#include <QDialog>
#include <QString>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;

// Two arrow buttons that step the number shown in their associated box. The buttons hold no
// number themselves: OnStep is asked for each step (+1 up, -1 down) and decides whether it is taken.
class UpDownButtons : public QWidget {
    Q_OBJECT

  public:
    UpDownButtons(QLineEdit* associate, const QString& accessibleName, int minimum, int maximum,
                  QWidget* parent = nullptr);

    QLineEdit* Associate;
    // The range OnStep keeps the number in, as a screen reader is told it.
    const int Minimum;
    const int Maximum;
    QToolButton* UpButton;
    QToolButton* DownButton;
    std::function<void(int direction)> OnStep;

    // One step, as an arrow takes it.
    void Step(int direction) {
        if (OnStep) OnStep(direction);
    }

    // Lets go of an arrow held down, which stops its repeat. A box opened from a step comes after
    // it: behind the box the arrow never sees the mouse's release, and would step (and open another
    // box) at every repeat.
    void Release();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// What the server needs to make an account and its first character, or a new character for an
// account that exists. It sends nothing itself: it holds the fields, keeps the stat points adding
// up, and closes with DialogResult::Yes only once every check has passed; the new-account dialogue then
// reads it through Details(). Created once at start-up; the fields keep what was typed.
class TNewAccountForm : public QDialog {
    Q_OBJECT

  public:
    explicit TNewAccountForm(QWidget* parent = nullptr);
    ~TNewAccountForm() override;

    // The fields as they stand, in the game's code page.
    orv::NewAccountDetails Details() const;

    // The handler of the four stats' up-down buttons, before a step is taken.
    void StatChange(UpDownButtons* spin, int direction);
    void SendBtnClick();
    void CancelBtnClick();
    // Whether a request to close the form is granted.
    bool FormCloseQuery() const { return CanClose; }
    // The close box and Escape: a close request, refused after a failed send.
    void reject() override;

    QGroupBox* ServerGroup;
    QLineEdit* HostEdit;
    QLineEdit* PortEdit;
    QGroupBox* AccountGroup;
    QLineEdit* IDEdit;
    QCheckBox* NewAcCheck;
    QLineEdit* PwEdit;
    QLineEdit* PwConfEdit;
    QLineEdit* EMailEdit;
    QGroupBox* CharacterGroup;
    QLineEdit* NameEdit;
    QLineEdit* RaceEdit;
    QGroupBox* GenderRadio;
    QButtonGroup* GenderButtons; // ids 0 Male, 1 Female, 2 Neuter
    QGroupBox* StatsGroup;
    QLineEdit* StrEdit;
    QLineEdit* DexEdit;
    QLineEdit* StaEdit;
    QLineEdit* IntEdit;
    UpDownButtons* StrSpin;
    UpDownButtons* DexSpin;
    UpDownButtons* UpDown1;
    UpDownButtons* UpDown2;
    QLineEdit* UnusedEdit;
    QPushButton* SendBtn;
    QPushButton* CancelBtn;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void CloseWith(int result);

    bool CanClose = true;
};
