#pragma once

#include <QLineEdit>
#include <QList>
#include <QRect>
#include <QString>

class QFont;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace orv::ui {

// What a dialog's exec() returns, as the commands that open it compare it: the numbers of the
// standard answers (OK is also QDialog::Accepted).
namespace DialogResult {
inline constexpr int OK = 1;
inline constexpr int Cancel = 2;
inline constexpr int Yes = 6;
// The log-on dialog's "Connect" answers as Yes does.
inline constexpr int Connect = Yes;
} // namespace DialogResult

// The forms are designed at 120 pixels per inch. Scaled maps a designed size to this screen's
// pixels; Unscaled maps pixels back to the designed size, as the settings keep sizes. Any int is
// taken; a result beyond int's range is held at its end.
int Scaled(const QWidget* widget, int designed);
int Unscaled(const QWidget* widget, int pixels);

// The room the desktop offers a window: the available area of the screens, in pixels.
QRect ScreenRoom(const QWidget* widget);

// A stored size in designed pixels, as this screen's pixels: bounded to the room along that
// direction before it is scaled (a settings file may be edited by hand), and at least 1.
int ScaledWithinScreen(const QWidget* widget, int designed, Qt::Orientation along);

// Places a widget at its designed position and size within its parent.
void PlaceScaled(QWidget* widget, int x, int y, int width, int height);

// Dialogs open in the middle of the screen, not over the main window.
void CentreOnScreen(QWidget* widget);

// A fixed-size dialog: its designed size, or larger where the fonts on this system need more room.
void FixDesignedSize(QWidget* widget, int designedWidth, int designedHeight);

// A label placed at its designed size keeps all its text in view: where this system's font is
// larger than the designed one, the label's font is made smaller until the text fits.
void FitLabelText(QLabel* label);

// A font by face and pixel height, as the forms name theirs.
QFont FontOf(const QWidget* widget, const QString& face, int designedPixels);

// The widget makers: each sets the object name tests find the widget by.

// A caption as a screen reader says it: the mnemonic's "&" left out ("&&" is one "&"), and without
// the spaces a design pads some captions with.
QString SpokenCaption(const QString& caption);

// A push, check or radio button; its caption, as spoken, is also its accessible name.
template <class Button = QPushButton>
Button* MakeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new Button(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(SpokenCaption(caption));
    return button;
}

// A one-line box that only shows a value: read-only from the start, it reads aloud as read-only
// text, where Qt would call it editable as well (ui/Accessible.h).
class ReadOnlyEdit final : public QLineEdit {
    Q_OBJECT

  public:
    explicit ReadOnlyEdit(QWidget* parent) : QLineEdit(parent) { setReadOnly(true); }
};

// A one-line box whose accessible name is its label; a maxLength of 0 leaves the box's own limit.
// It never holds a line break: CR and LF in what is pasted, dropped or set are left out.
QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& label, int maxLength = 0,
                    const QString& text = QString());
// The same for a box that only shows its text.
QLineEdit* MakeReadOnlyEdit(QWidget* parent, const char* name, const QString& label, int maxLength,
                            const QString& text);

// The label shown beside a box made by MakeEdit, whatever SpellOut has made its accessible name.
QString CaptionOf(const QLineEdit* edit);

// For a screen reader, a control says more than its caption, which stays as it is on screen:
// SpellOut gives the name in full where the caption is cut short, Describe says what the control
// does where the caption does not tell.
void SpellOut(QWidget* control, const QString& fullName);
void Describe(QWidget* control, const QString& whatItDoes);

// The Tab key visits the controls in the order given, which is their order on screen; Shift+Tab
// goes back the same way.
void SetTabOrder(const QList<QWidget*>& controls);

// A group box with its caption (the spaces around a caption are part of the design).
QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& caption);

// A row of a grid: a label in the first column showing the box's caption, with the box as its
// buddy, and the box beside it across the given number of columns.
void AddRow(QGridLayout* grid, int row, QLineEdit* edit, int columns = 1);

} // namespace orv::ui
