#pragma once

#include <QIcon>

// Toolbar pictures, drawn in code on a 25-unit grid so the program needs no image files. Each is
// painted afresh at the size asked for, so it stays sharp at any pixel density; the disabled look
// is the same picture greyed and faded.
namespace orv::ui::icons {

QIcon OpenLog();
QIcon CloseLog();
QIcon SaveBuffer();
QIcon LogOn();
QIcon LogOff();
QIcon ScrollBack();
QIcon News();
QIcon Help();
QIcon FKeys();
QIcon Foes();
QIcon TextAlert();
QIcon KeyPad();

} // namespace orv::ui::icons
