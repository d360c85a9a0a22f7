#pragma once

#include "store/Reg.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <cstdint>

namespace orv::ui {

// A stored colour value (0x00BBGGRR, or a system colour) as the toolkit paints it, and back.
QColor ToQColor(std::uint32_t colour);
std::uint32_t FromQColor(const QColor& colour);

// A face the system has, or its fixed-pitch font where it has not. The fixed font is named by the
// face it resolves to, so the font dialog and the stored name show it.
QFont FixedFace(const QString& face);
// The font the store holds, as the toolkit draws it: the point size overrides the cell height.
QFont ToQFont(const orv::StoredFont& stored);
// The font with the name its face gives the matching style ("Book" rather than "Normal"), which
// the font dialog needs to preselect the upright style instead of its first entry.
QFont WithStyleName(QFont font);

} // namespace orv::ui
