#pragma once

#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QtMath>

namespace orv::ui {

// The forms are designed at 120 pixels per inch; this maps a designed size to the screen's.
inline int Designed(const QWidget* widget, int pixels) {
    return qRound(pixels * widget->logicalDpiY() / 120.0);
}

// Dialogs open in the middle of the screen, not over the main window.
inline void CentreOnScreen(QWidget* widget) {
    if (const QScreen* screen = widget->screen()) {
        QRect frame = widget->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        widget->move(frame.topLeft());
    }
}

// A font by face and pixel height, as the forms name theirs.
inline QFont FontOf(const QWidget* widget, const QString& face, int designedPixels) {
    QFont font(face);
    font.setPixelSize(Designed(widget, designedPixels));
    return font;
}

} // namespace orv::ui
