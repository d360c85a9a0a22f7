#pragma once

#include "LinkState.h"

#include <string_view>

namespace orv {

// What the telnet layer needs from the window around it: the send path, the trace switch and
// the output pane.
class TelnetHost {
public:
    // Sends the bytes as they stand, zero bytes included. Dropped when no connection is open.
    virtual void SendText(std::string_view bytes) = 0;
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

} // namespace orv
