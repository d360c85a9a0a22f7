#pragma once

#include "session/LinkState.h"
#include "session/NewAccount.h"

#include <string>
#include <string_view>

namespace orv {

// What the telnet layer needs from the window around it: the send path, the trace switch and
// the output pane.
class TelnetHost {
  public:
    // Sends text to the server, zero bytes included; a 0xFF byte goes out doubled, as telnet data
    // must. Dropped when no connection is open.
    virtual void SendText(std::string_view bytes) = 0;
    // Sends telnet protocol bytes (the replies to the server's commands) as they stand.
    virtual void SendTelnet(std::string_view bytes) = 0;
    virtual bool DiagnosticsOn() const = 0;
    // One line into the output pane (and the log). A text holding '\n' shows as several lines.
    virtual void ShowLine(std::string_view line) = 0;

  protected:
    ~TelnetHost() = default;
};

// What the text processor needs besides: the connection's LinkState and the blank-line option.
class SessionHost : public TelnetHost {
  public:
    virtual LinkState GetLinkState() const = 0;
    virtual void SetLinkState(LinkState state) = 0;
    virtual bool SupressBlanks() const = 0;

  protected:
    ~SessionHost() = default;
};

// What the automated log-on and new-account dialogues need from the window: the details typed
// into the connection dialog and the new-account form, the boxes they show, and the controls
// they lock while the client sets up after log-on.
class DialogueHost {
  public:
    // The connection dialog's account ID and password, as they stand when a prompt is answered.
    virtual std::string LogonAccount() const = 0;
    virtual std::string LogonPassword() const = 0;
    // Shows the log-on error box. On OK the corrected details are copied into the connection
    // dialog and the account is saved, and the answer is true; on Cancel it is false.
    virtual bool AskCorrectedLogon() = 0;
    // The player gave up after a refusal: the connection is closed as a log-off closes it (the
    // disconnect lines, then "Connection to Orvanta Closed"), the caption panel reads
    // "Not Connected" and the log-on command is enabled again.
    virtual void AbandonLogon() = 0;
    // Logged on: the Player List option is disabled and the input pane shows waitText, read-only,
    // until the player list is built.
    virtual void BeginSetup(std::string_view waitText) = 0;

    virtual NewAccountDetails NewAccountForm() const = 0;
    // A modal error box with an OK button.
    virtual void ShowError(std::string_view text) = 0;
    // The player's log-off command: the connection closes with its messages.
    virtual void LogoffClick() = 0;
    // The account exists now: the next attempt only adds a character to it.
    virtual void UntickNewAccount() = 0;

  protected:
    ~DialogueHost() = default;
};

} // namespace orv
