#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The program's name and version.
class TAboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    QLabel* Label1;
    QLabel* VersionLabel;
    QPushButton* OKButton;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormCreate();
};
