#include "session/Connection.h"

#include "gametext/Players.h"
#include "session/Textproc.h"

#include <charconv>

namespace orv {

std::string ComposeCaption(std::string_view host, std::string_view avatar, bool socketActive) {
    std::string caption = "Orv2Term - ";
    caption += VersionLabel;
    if (avatar.empty()) return caption;
    if (socketActive) {
        caption += " - ";
        caption += host;
    }
    caption += " - ";
    caption += avatar;
    return caption;
}

std::optional<unsigned short> ParsePort(std::string_view text) {
    // Surrounding blanks are forgiven, as a number box would; anything else is not a port.
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value > 65535)
        return std::nullopt;
    return static_cast<unsigned short>(value);
}

namespace {

constexpr std::string_view Connecting = "Connecting";
constexpr std::string_view ConnectedCondition = "Connected";
constexpr std::string_view DisconnectedCondition = "Disconnected";
constexpr std::string_view ClosedLine = "Connection to Orvanta Closed";

} // namespace

Connection::Connection(LinkSocket& socket, LinkView& view, const MonotonicClock& clock)
    : socket_(socket), view_(view), clock_(clock), chunk_(ChunkSize) {}

void Connection::Attach(TextProcessor& processor, PlayerRoster& roster) {
    processor_ = &processor;
    roster_ = &roster;
}

void Connection::Start(const std::string& host, std::string_view portText, LinkState state) {
    StopReconnect();
    // A try under way (begun behind the dialog that asked for this connect) gives way to it.
    if (attempting_ || connected_) {
        attempting_ = connected_ = false;
        socket_.Abort();
        LeaveLinkState();
    }
    host_ = host;
    port_ = ParsePort(portText);
    Open(state);
}

void Connection::Open(LinkState state) {
    view_.ShowCondition(Connecting);
    view_.UpdateCaption();
    view_.ClearPlayerList();
    if (!port_) {
        ReportError();
        return;
    }
    // A new link starts clean: no half line or dialogue step from the last one.
    processor_->Reset();
    view_.EnableConnectCommands(false);
    roster_->ClearRoster();
    state_ = state;
    openedAs_ = state;
    closePending_ = false;
    attempting_ = true;
    // Everything above is done before connecting: the socket may report a failure at once.
    socket_.Open(host_, *port_);
}

void Connection::LoggedOn() {
    if (reconnect_.Trying()) view_.ShowLine(reconnect_.Label("Reconnected"));
    // A character just made is not logged on again by itself: its account may still be half made.
    if (openedAs_ == LinkState::Logon)
        reconnect_.LoggedOn();
    else
        reconnect_.Cancel();
}

void Connection::StopReconnect() {
    if (reconnect_.Waiting()) view_.ShowCountdown({});
    reconnect_.Cancel();
}

void Connection::ReconnectLater() {
    if (reconnect_.Trying()) view_.ShowLine(reconnect_.Label("Failed to reconnect"));
    switch (reconnect_.Dropped(clock_.NowMs())) {
    case Reconnect::Next::Wait: {
        const std::string countdown = reconnect_.Countdown(clock_.NowMs());
        view_.ShowLine(countdown);
        view_.ShowCountdown(countdown);
        break;
    }
    case Reconnect::Next::GiveUp:
        view_.ShowLine("No more tries to reconnect.");
        break;
    case Reconnect::Next::Nothing:
        break;
    }
}

void Connection::Tick() {
    if (!reconnect_.TryDue(clock_.NowMs())) {
        if (reconnect_.Waiting()) view_.ShowCountdown(reconnect_.Countdown(clock_.NowMs()));
        return;
    }
    view_.ShowCountdown({});
    view_.ShowLine(reconnect_.Label("Reconnecting to " + host_));
    Open(LinkState::Logon);
}

void Connection::Connected() {
    attempting_ = false;
    connected_ = true;
    view_.EnableLogoff(true);
    view_.ShowLine("Connected to talmaro");
    view_.ShowCondition(ConnectedCondition);
    view_.UpdateCaption();
}

void Connection::Disconnected() {
    if (reading_ && connected_) {
        closePending_ = true;
        return;
    }
    ReportClosed();
}

void Connection::ReportClosed() {
    if (!connected_) {
        // Already reported by a log-off; the socket has finished sending what was queued.
        view_.UpdateCaption();
        return;
    }
    connected_ = false;
    // Whatever the server sent before closing is shown before the closing lines.
    if (!reading_) Drain(false);
    socket_.Close();
    view_.EnableConnectCommands(true);
    view_.EnableLogoff(false);
    view_.ShowCondition(DisconnectedCondition);
    view_.UpdateCaption();
    view_.ShowLine(" ");
    view_.ShowLine(" --- No longer connected to talmaro' servers ---");
    LeaveLinkState();
    ReconnectLater(); // after a log-off or a refusal nothing is tried any more
}

void Connection::LeaveLinkState() {
    // A link gone while the player list was being built leaves nothing to wait for.
    if (state_ == LinkState::Setup || state_ == LinkState::WhoList) view_.FinishSetup();
    state_ = LinkState::Normal;
}

void Connection::LogOff() {
    StopReconnect();
    attempting_ = false;
    socket_.Close();
    // Close reports the disconnection at once unless bytes are still queued; then the report
    // would come later, after the line below, so it is made now.
    ReportClosed();
    view_.EnableConnectCommands(true);
    view_.EnableLogoff(false);
    view_.ShowCondition(DisconnectedCondition);
    view_.UpdateCaption();
    view_.ShowLine(ClosedLine);
}

void Connection::AbandonLogon() {
    StopReconnect();
    view_.EnableLogoff(false);
    socket_.Close();
    ReportClosed(); // reported now, before the lines below
    view_.ShowLine(ClosedLine);
    view_.SetTotalCaption("Not Connected");
    view_.UpdateCaption();
    view_.EnableConnectCommands(true);
}

void Connection::Failed() {
    // A link that breaks once connected is reported by the disconnect notification.
    if (!attempting_) return;
    ReportError();
}

void Connection::ReportError() {
    attempting_ = false;
    if (socket_.IsActive()) socket_.Abort();
    view_.ShowCondition(DisconnectedCondition);
    view_.UpdateCaption();
    state_ = LinkState::Normal;
    view_.EnableConnectCommands(true);
    view_.EnableLogoff(false);
    view_.ShowLine("   ");
    view_.ShowLine("Your computer has reported an internet connection error.");
    view_.ShowLine("This may be because your comm settings are wrong,");
    view_.ShowLine("because of serious network delays, or because the");
    view_.ShowLine("Orvanta Server computer is temporarily unavailable.");
    ReconnectLater();
}

void Connection::SendText(std::string_view text) {
    constexpr char Iac = static_cast<char>(Telnet::IAC);
    if (text.find(Iac) == std::string_view::npos) return Send(text);
    escaped_.clear();
    for (const char c : text) {
        escaped_ += c;
        if (c == Iac) escaped_ += Iac;
    }
    Send(escaped_);
}

void Connection::SendTelnet(std::string_view bytes) {
    Send(bytes);
}

void Connection::Send(std::string_view bytes) {
    if (!socket_.IsConnected() || bytes.empty()) return;
    if (socket_.BytesQueued() + bytes.size() > SendQueueLimit) {
        socket_.Abort();
        Disconnected(); // unless the abort reported it already
        return;
    }
    socket_.Write(bytes);
}

void Connection::ReadyRead() {
    if (reading_) return;
    Drain(true);
}

// Time-sliced, it stops after SliceMs and goes on once the window had its turn; otherwise it reads
// everything there is.
void Connection::Drain(bool timeSliced) {
    // Cleared however the read ends: a chunk that throws must not stop all later reads.
    struct Reading {
        explicit Reading(bool& flag) : flag_(flag) { flag_ = true; }
        ~Reading() { flag_ = false; }
        bool& flag_;
    };
    {
        const Reading reading(reading_);
        DrainChunks(timeSliced);
    }
    if (closePending_) {
        closePending_ = false;
        ReportClosed();
    }
}

void Connection::DrainChunks(bool timeSliced) {
    const std::int64_t start = clock_.NowMs();
    while (socket_.BytesAvailable() > 0) {
        const std::size_t n = socket_.Read(chunk_.data(), ChunkSize);
        if (n == 0) break;
        // A chunk may move the LinkState on; the next one is read in the new state.
        processor_->ProcessChunk(std::string_view(chunk_.data(), n));
        if (timeSliced && clock_.NowMs() - start >= SliceMs) {
            if (socket_.BytesAvailable() > 0) socket_.ReadLater();
            break;
        }
    }
}

} // namespace orv
