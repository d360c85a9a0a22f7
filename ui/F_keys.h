#pragma once

#include <QDialog>

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// Where the F-key dialog keeps its texts between runs and where it hands them for the keys to
// use. Texts are bytes in the game's code page. Without GetFKeyText nothing is loaded, without
// SetFKeyText "Save All" writes nothing (the main window may have no settings store).
struct FKeyLinks {
    // A key's stored text by its setting name ("F1" to "F12"); empty when it has none.
    std::function<std::string(const std::string& name)> GetFKeyText;
    // Writes a key's text, an empty text as an empty value. False when the write failed (the
    // caller has told the player): "Save All" stops there and the dialog stays as it was.
    std::function<bool(const std::string& name, const std::string& text)> SetFKeyText;
    // Told a key's text each time its slot is filled or released; empty when the key has none.
    std::function<void(std::size_t index, const std::string& text)> PublishKeyText;
};

// The macro texts of F1 to F12, edited one key at a time. Created once at start-up, when it loads
// the stored texts; reopening it shows the key that was being edited. Texts changed here last for
// the run; only "Save All" writes them to the store.
class TFKeyForm : public QDialog {
    Q_OBJECT

  public:
    static constexpr std::size_t KeyCount = 12;
    // What the editor takes, counted as stored: a line break is CR LF, two characters.
    static constexpr int MemoLimit = 240;
    // Each key's name is also the name of the setting that stores its text.
    static constexpr std::array<std::string_view, KeyCount> KeyNames{"F1", "F2", "F3", "F4",  "F5",  "F6",
                                                                     "F7", "F8", "F9", "F10", "F11", "F12"};

    explicit TFKeyForm(FKeyLinks links, QWidget* parent = nullptr);
    ~TFKeyForm() override;

    // Removes CR and LF from the end of the text.
    static void TrimLineEnds(std::string& text);

    // The text of key index 0 (F1) to 11 (F12): none, or a text that may be empty.
    const std::optional<std::string>& KeyText(std::size_t index) const { return KeyTexts.at(index); }

    void LastBtnClick();
    void NextBtnClick();
    void OKBtnClick();
    void SaveBtnClick();
    void ResetBtnClick();

    QWidget* Image1;
    QLabel* Label1;
    QGroupBox* F_KeyGroup;
    QPlainTextEdit* F_KeyMemo;
    QPushButton* LastBtn;
    QPushButton* NextBtn;
    QPushButton* SaveBtn;
    QPushButton* ResetBtn;
    QPushButton* OKBtn;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormCreate();
    void LoadTexts();
    void StoreCurrent();
    void ShowCurrent();
    void ShowKeyCaption();
    void Publish(std::size_t index);
    void LimitMemo();

    FKeyLinks links_;
    std::array<std::optional<std::string>, KeyCount> KeyTexts;
    std::size_t CurrentKey = 0;
    // The last edit of the memo, cut back when it goes over the limit; unset while the dialog
    // itself fills the memo (a stored text is shown whole).
    int editAt_ = 0;
    int editAdded_ = 0;
    bool settingMemo_ = false;
};
