#pragma once

namespace orv::ui {

// Tells Qt's accessibility how three kinds of control read aloud where Qt's own interfaces say too
// little or too much:
// - a checkable menu item says in its description whether it is on ("toggle, on", "toggle, off"):
//   the accessibility bus of this Qt drops the checkable state, and an unticked toggle would
//   sound like a plain command;
// - a box made read-only is read-only text, not also editable;
// - the stat steppers are spin buttons with the number they step as their value.
// Once installed it stays for the run; installing again does nothing.
void InstallAccessibleInterfaces();

// What a checkable menu item's description says of it.
inline constexpr char ToggleOn[] = "toggle, on";
inline constexpr char ToggleOff[] = "toggle, off";

} // namespace orv::ui
