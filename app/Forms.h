#pragma once

class TAboutBox;
class TFKeyForm;
class TFriendsForm;
class TLogonErrorForm;
class TMainForm;
class TNewAccountForm;
class TTCPIPForm;

// The program's windows. The main window comes first (its create handler reads the settings; the
// dialogs refer to it), then the dialogs, hidden, living from start-up to exit. At exit the dialogs
// go first; the main window's destroy handler then writes the settings and closes the log.
extern TMainForm* MainForm;
extern TAboutBox* AboutBox;
extern TFKeyForm* FKeyForm;
extern TFriendsForm* FriendsForm;
extern TLogonErrorForm* LogonErrorForm;
extern TTCPIPForm* TCPIPForm;
extern TNewAccountForm* NewAccountForm;

// Creates the dialogs for the main window and hands them to it.
void CreateForms(TMainForm& main);
void DestroyForms();
