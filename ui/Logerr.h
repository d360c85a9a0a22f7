#pragma once

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

// Asks for a corrected account ID and password after the server refused the log-on. It only
// collects the two texts; the log-on automation acts on the answer. The fields keep what was
// typed, so a second refusal in the same run starts from the last try.
class TLogonErrorForm : public QDialog {
    Q_OBJECT

  public:
    static constexpr int ResultOK = 1;
    static constexpr int ResultCancel = 2;

    explicit TLogonErrorForm(QWidget* parent = nullptr);
    ~TLogonErrorForm() override;

    void reject() override; // Escape answers Cancel

    QWidget* MainPannel;
    QGroupBox* GroupBox1;
    QLineEdit* AccountEdit;
    QLineEdit* PasswordEdit;
    QWidget* BtnPanel;
    QPushButton* Button1;
    QPushButton* Button2;

  protected:
    void showEvent(QShowEvent* event) override;
};

extern TLogonErrorForm* LogonErrorForm;
