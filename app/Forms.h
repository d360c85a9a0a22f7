#pragma once

// The program's windows: the main window first (its create handler reads the settings; the dialogs
// may refer to it), then the dialogs, hidden, living from start-up to exit. At exit the dialogs go
// first; the main window's destroy handler then writes the settings and closes the log.
void CreateForms();
void DestroyForms();
