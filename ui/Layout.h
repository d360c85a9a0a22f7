#pragma once

#include <QRect>
#include <QString>

class QFont;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
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

// A push, check or radio button; its caption is also its accessible name.
template <class Button = QPushButton>
Button* MakeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new Button(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(caption);
    return button;
}

// A one-line box whose accessible name is its label; a maxLength of 0 leaves the box's own limit.
// It never holds a line break: CR and LF in what is pasted, dropped or set are left out.
QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& label, int maxLength = 0,
                    const QString& text = QString());

// A group box with its caption (the spaces around a caption are part of the design).
QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& caption);

// A row of a grid: a label in the first column showing the box's accessible name, with the box as
// its buddy, and the box beside it across the given number of columns.
void AddRow(QGridLayout* grid, int row, QLineEdit* edit, int columns = 1);

} // namespace orv::ui
