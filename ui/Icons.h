#pragma once

#include <QIcon>

// Toolbar pictures, drawn in code so the program needs no image files. QIcon derives the
// disabled look from the normal one.
namespace orv::ui::icons {

QIcon LogOn();
QIcon LogOff();
QIcon ScrollBack();
QIcon TextAlert();
QIcon KeyPad();

} // namespace orv::ui::icons
