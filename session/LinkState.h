#pragma once

#include <cstdint>

namespace orv {

// Whose turn it is to read incoming text. The numeric values are part of the window's contract
// (the text processor routes by them), so they are fixed.
enum class LinkState : std::int32_t {
    Normal = 0,         // ordinary play; also while not connected
    WhoList = 1,        // reading the quick-who list that follows log-on
    Logon = 2,          // the automated log-on dialogue
    Setup = 3,          // logged on; switching SpyNet notices on and asking for the who-list
    LogonAbandoned = 4, // the player cancelled the log-on error box; the connection is closed
    NewAccount = 5,     // the automated account and character creation dialogue
};

} // namespace orv
