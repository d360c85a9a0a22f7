#pragma once

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

// The log-on dialog: the game server's host and port, confirmed with "Connect" before each
// connection. Created once at start-up; its boxes keep their contents between showings.
class TTCPIPForm : public QDialog {
    Q_OBJECT

  public:
    // Modal results, as the connect command reads them.
    static constexpr int ResultConnect = 6;
    static constexpr int ResultCancel = 2;

    explicit TTCPIPForm(QWidget* parent = nullptr);
    ~TTCPIPForm() override;

    // The close box and Escape close the dialog as "Cancel" does.
    void reject() override;

    QLineEdit* HostEdit;
    QLineEdit* PortEdit;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QVBoxLayout* Layout; // the groups top to bottom; the account group goes under the host group
    QGroupBox* HostGroup;
};

extern TTCPIPForm* TCPIPForm;
