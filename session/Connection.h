#pragma once

#include "session/LinkState.h"
#include "session/Reconnect.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class PlayerRoster;
class TextProcessor;

inline constexpr std::string_view VersionLabel = "Version 1.04";

// The window title: "Orv2Term - Version 1.04", with the host and avatar while a socket is active,
// with the avatar alone otherwise.
std::string ComposeCaption(std::string_view host, std::string_view avatar, bool socketActive);

// A port text read as a decimal number, as the connect commands take it; nothing for a text that
// is not a port number (empty, not decimal, out of range).
std::optional<unsigned short> ParsePort(std::string_view text);

// The socket under a connection, as the window's toolkit provides it. Its notifications come back
// as Connection's Connected, Disconnected, Failed and ReadyRead; Close and Abort may report the
// disconnection before they return.
class LinkSocket {
  public:
    // Starts connecting; the outcome comes later as Connected or Failed. A link still closing from
    // before finishes on its own, its queued bytes still sent.
    virtual void Open(const std::string& host, unsigned short port) = 0;
    // Closes once the bytes already written are handed to the network.
    virtual void Close() = 0;
    // Closes at once; bytes still queued are dropped.
    virtual void Abort() = 0;
    // Connecting, connected or still closing.
    virtual bool IsActive() const = 0;
    virtual bool IsConnected() const = 0;
    virtual std::size_t BytesAvailable() const = 0;
    // At most max bytes of what has arrived; 0 when nothing has.
    virtual std::size_t Read(char* into, std::size_t max) = 0;
    virtual void Write(std::string_view bytes) = 0;
    // Bytes written but not yet handed to the network.
    virtual std::size_t BytesQueued() const = 0;
    // Calls ReadyRead again once the window has had its turn.
    virtual void ReadLater() = 0;

  protected:
    ~LinkSocket() = default;
};

// What the window shows of the connection.
class LinkView {
  public:
    virtual void ShowLine(std::string_view line) = 0;
    // The connection's condition in TotalPanel and the first status panel.
    virtual void ShowCondition(std::string_view condition) = 0;
    // TotalPanel alone.
    virtual void SetTotalCaption(std::string_view caption) = 0;
    virtual void UpdateCaption() = 0;
    // Log On To Orv, its tool button and New Account/Avatar.
    virtual void EnableConnectCommands(bool enabled) = 0;
    // Log Off and its tool button.
    virtual void EnableLogoff(bool enabled) = 0;
    // Empties the player list's rows (not the roster).
    virtual void ClearPlayerList() = 0;
    // The set-up after log-on is over, or will never end: the input pane is given back.
    virtual void FinishSetup() = 0;
    // While a reconnect waits: the countdown in the status bar, and Tick once a second. An empty
    // text ends both.
    virtual void ShowCountdown(std::string_view countdown) = 0;

  protected:
    ~LinkView() = default;
};

// Milliseconds from any fixed point; only differences count.
class MonotonicClock {
  public:
    virtual std::int64_t NowMs() const = 0;

  protected:
    ~MonotonicClock() = default;
};

// The link to the game server: the owner of the LinkState, and every rule of how a link starts and
// ends (a connect command, the connect notification, a failed attempt, the server closing, the
// player's log-off, a log-on abandoned after a refusal). It hands what arrives to the text
// processor in chunks of at most ChunkSize bytes for at most SliceMs at a time, so the window keeps
// answering during a flood.
class Connection {
  public:
    // Reads are handed on in the old 4,095-byte chunks: the text processor's limits are stated in them.
    static constexpr std::size_t ChunkSize = 4095;
    // How long one read notification may process before the window gets its turn.
    static constexpr std::int64_t SliceMs = 5;
    // Reads are capped by the socket; this caps what waits to be sent. A server that stops reading
    // past it (while its requests keep the client answering) has a broken link.
    static constexpr std::size_t SendQueueLimit = 4 << 20;

    Connection(LinkSocket& socket, LinkView& view, const MonotonicClock& clock);
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // What the connection reads into and resets; set once both exist.
    void Attach(TextProcessor& processor, PlayerRoster& roster);

    LinkState State() const { return state_; }
    // Entering the set-up is the log-on's success.
    void SetState(LinkState state) {
        if (state == LinkState::Setup && state_ != LinkState::Setup) LoggedOn();
        state_ = state;
    }

    // A connect command confirmed: connects to host and the port typed, the link then read in state
    // (Logon or NewAccount). A port that is not a number fails at once. Cancels any reconnect, and
    // closes the link of a try under way.
    void Start(const std::string& host, std::string_view portText, LinkState state);
    // The Reconnect When Dropped option. Switched off, a countdown under way ends; switched on while
    // logged on, the next drop is tried.
    void SetReconnect(bool enabled) {
        if (!enabled && reconnect_.Waiting()) view_.ShowCountdown({});
        reconnect_.SetEnabled(enabled);
    }
    // The automated log-on got in (the set-up begins): a drop from now on is tried again, if the option
    // is on.
    void LoggedOn();
    // The log-on was refused: a wrong password is not tried again.
    void StopReconnect();
    // Once a second while a reconnect waits: the countdown, then the try.
    void Tick();
    // The player's Log Off: queued commands still go out, then the link closes with its messages.
    void LogOff();
    // The player gave up after a log-on refusal: closed as a log-off closes it, TotalPanel reading
    // "Not Connected".
    void AbandonLogon();
    // Text to the server, a 0xFF byte doubled so that it is not read as a telnet command; dropped
    // while not connected.
    void SendText(std::string_view text);
    // Telnet protocol bytes, as they stand; dropped while not connected.
    void SendTelnet(std::string_view bytes);

    // The socket's notifications. A disconnection reported while a read is under way (a box it
    // opened runs a nested event loop) is acted on when that read ends, after what is left to read.
    void Connected();
    void Disconnected();
    void Failed();
    void ReadyRead();

  private:
    // Connects to host_ and port_ (a port that is not one fails at once), read in state.
    void Open(LinkState state);
    // The link dropped or a try failed: the next try is scheduled, or the tries are over.
    void ReconnectLater();
    void ReportError();
    // The link is gone: what the server sent before is shown, then the closing lines.
    void ReportClosed();
    void LeaveLinkState();
    void Drain(bool timeSliced);
    void DrainChunks(bool timeSliced);
    void Send(std::string_view bytes);

    LinkSocket& socket_;
    LinkView& view_;
    const MonotonicClock& clock_;
    TextProcessor* processor_ = nullptr;
    PlayerRoster* roster_ = nullptr;
    LinkState state_ = LinkState::Normal;
    bool attempting_ = false;   // a connect command waits for its connect notification
    bool connected_ = false;    // the connect notification came and no disconnection since
    bool reading_ = false;      // a read is under way (a box it opened runs a nested event loop)
    bool closePending_ = false; // the socket reported the disconnection during that read
    Reconnect reconnect_;
    std::string host_;                       // of the last connect command, for a reconnect
    std::optional<unsigned short> port_;     // none: the port typed was not a port
    LinkState openedAs_ = LinkState::Normal; // Logon or NewAccount
    std::vector<char> chunk_;
    std::string escaped_; // SendText's copy when the text holds a 0xFF byte
};

} // namespace orv
