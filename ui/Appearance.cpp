#include "ui/Appearance.h"

#include "ui/Codepage.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPalette>

#include <algorithm>

namespace orv::ui {

namespace {

// The colour of a Windows system colour index, from the toolkit's palette.
QColor SystemColour(int index) {
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 0:  // scroll bar
    case 15: // button face
        return palette.color(QPalette::Button);
    case 2:  // active caption
    case 13: // highlight
    case 27:
    case 29: // menu highlight
        return palette.color(QPalette::Highlight);
    case 3: // inactive caption
        return palette.color(QPalette::Mid);
    case 5: // window background
        return palette.color(QPalette::Base);
    case 6:  // window frame
    case 21: // 3-D dark shadow
        return palette.color(QPalette::Shadow);
    case 7: // menu text
        return palette.color(QPalette::WindowText);
    case 8: // window text
        return palette.color(QPalette::Text);
    case 9:  // caption text
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 12: // application workspace
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 17: // grey text
    case 19: // inactive caption text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 22: // 3-D light
        return palette.color(QPalette::Midlight);
    case 23: // tool tip text
        return palette.color(QPalette::ToolTipText);
    case 24: // tool tip background
        return palette.color(QPalette::ToolTipBase);
    case 26: // hot-tracked item
        return palette.color(QPalette::Link);
    default: // desktop, menus, borders, menu bar
        return palette.color(QPalette::Window);
    }
}

} // namespace

QColor ToQColor(std::uint32_t colour) {
    const orv::Rgb rgb = orv::ColourToRgb(colour, [](int index) {
        const QColor system = SystemColour(index);
        return orv::Rgb{static_cast<std::uint8_t>(system.red()), static_cast<std::uint8_t>(system.green()),
                        static_cast<std::uint8_t>(system.blue())};
    });
    return QColor(rgb.Red, rgb.Green, rgb.Blue);
}

std::uint32_t FromQColor(const QColor& colour) {
    return orv::RgbToColour(orv::Rgb{static_cast<std::uint8_t>(colour.red()),
                                     static_cast<std::uint8_t>(colour.green()),
                                     static_cast<std::uint8_t>(colour.blue())});
}

QFont FixedFace(const QString& face) {
    if (!face.isEmpty() && QFontDatabase::families().contains(face, Qt::CaseInsensitive)) return QFont(face);
    const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QFont font(QFontInfo(system).family());
    font.setPointSizeF(system.pointSizeF());
    return font;
}

QFont ToQFont(const orv::StoredFont& stored) {
    QFont font = FixedFace(orv::ui::DecodeCp1252(stored.FaceName));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(stored.Weight, 1, 1000)));
    font.setItalic(false);
    if (stored.PointSize > 0)
        font.setPointSize(stored.PointSize);
    else if (stored.PointSize < 0) // a negative size is a height in pixels
        font.setPixelSize(-stored.PointSize);
    else if (stored.Height > 0)
        font.setPixelSize(stored.Height);
    return font;
}

QFont WithStyleName(QFont font) {
    const QString family = QFontInfo(font).family();
    for (const QString& style : QFontDatabase::styles(family)) {
        // Compared by slant, not italic(): an oblique face does not count as italic.
        if (QFontDatabase::font(family, style, 12).style() == font.style() &&
            QFontDatabase::weight(family, style) == font.weight()) {
            font.setStyleName(style);
            break;
        }
    }
    return font;
}

} // namespace orv::ui
