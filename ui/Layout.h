#pragma once

#include <QFontMetrics>
#include <QLabel>
#include <QRect>
#include <QSize>
#include <QScreen>
#include <QWidget>
#include <QtMath>

#include <algorithm>

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

// A fixed-size dialog: its designed size, or larger where the fonts on this system need more room.
inline void FixDesignedSize(QWidget* widget, int designedWidth, int designedHeight) {
    const QSize needed = widget->sizeHint();
    widget->setFixedSize(std::max(Designed(widget, designedWidth), needed.width()),
                         std::max(Designed(widget, designedHeight), needed.height()));
}

// A label placed at its designed size keeps all its text in view: where this system's font is
// larger than the designed one, the label's font is made smaller until the text fits.
inline void FitLabelText(QLabel* label) {
    QFont font = label->font();
    const QRect room = label->contentsRect();
    auto needed = [&] { return QFontMetrics(font).boundingRect(room, int(label->alignment()), label->text()); };
    for (int guard = 0; guard < 40 && (needed().width() > room.width() || needed().height() > room.height()); ++guard) {
        if (font.pixelSize() > 0)
            font.setPixelSize(font.pixelSize() - 1);
        else
            font.setPointSizeF(font.pointSizeF() - 0.5);
        if ((font.pixelSize() > 0 && font.pixelSize() <= 6) || (font.pixelSize() <= 0 && font.pointSizeF() <= 5)) break;
    }
    label->setFont(font);
}

// A font by face and pixel height, as the forms name theirs.
inline QFont FontOf(const QWidget* widget, const QString& face, int designedPixels) {
    QFont font(face);
    font.setPixelSize(Designed(widget, designedPixels));
    return font;
}

} // namespace orv::ui
