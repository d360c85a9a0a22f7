#include "session/Connection.h"

#include "../gametext/Fakes.h"
#include "FakeHost.h"
#include "gametext/Foes.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace orv::test {
namespace {

const Lines ErrorLines = {"   ", "Your computer has reported an internet connection error.",
                          "This may be because your comm settings are wrong,",
                          "because of serious network delays, or because the",
                          "Orvanta Server computer is temporarily unavailable."};
const Lines LostLines(ClosedLines.begin(), ClosedLines.end() - 1);

// A socket as the toolkit's behaves: Close reports the disconnection at once unless bytes are
// still queued, Abort drops them and reports it at once.
class FakeSocket : public LinkSocket, public MonotonicClock {
  public:
    enum class State { Idle, Connecting, Connected, Closing };

    void Open(const std::string& host, unsigned short port) override {
        opened.push_back(host + ":" + std::to_string(port));
        state = State::Connecting;
    }
    void Close() override {
        if (state != State::Connected) return;
        state = queued > 0 ? State::Closing : State::Idle;
        if (state == State::Idle) link->Disconnected();
    }
    void Abort() override {
        ++aborts;
        incoming.clear(), queued = 0;
        if (std::exchange(state, State::Idle) == State::Connected) link->Disconnected();
    }
    bool IsActive() const override { return state != State::Idle; }
    bool IsConnected() const override { return state == State::Connected; }
    std::size_t BytesAvailable() const override { return incoming.size(); }
    std::size_t Read(char* into, std::size_t max) override {
        const std::size_t n = incoming.copy(into, max);
        incoming.erase(0, n);
        reads.push_back(n);
        now += msPerRead;
        return n;
    }
    void Write(std::string_view bytes) override {
        written.append(bytes), queued += serverReads ? 0 : bytes.size();
    }
    std::size_t BytesQueued() const override { return queued; }
    void ReadLater() override { ++readLaters; }
    std::int64_t NowMs() const override { return now; }

    // What the network does.
    void Accept() { state = State::Connected, link->Connected(); }
    void Arrive(const std::string& bytes) { incoming += bytes, link->ReadyRead(); }
    void ServerCloses() { state = State::Idle, link->Disconnected(); }
    void QueueDrains() {
        if (std::exchange(queued, 0) > 0 && state == State::Closing) ServerCloses();
    }

    Connection* link = nullptr;
    State state = State::Idle;
    std::string incoming, written;
    std::size_t queued = 0;
    bool serverReads = true;
    std::vector<std::string> opened;
    std::vector<std::size_t> reads;
    int aborts = 0, readLaters = 0;
    std::int64_t now = 0, msPerRead = 0;
};

// The window around the connection: what it shows, the text processor's host, whose sends and
// LinkState are the connection's own, and the player list, whose rows are not looked at here.
class FakeWindow : public FakeHost, public LinkView, public FakeListView {
  public:
    void SendText(std::string_view bytes) override { link->SendText(bytes); }
    void SendTelnet(std::string_view bytes) override { link->SendTelnet(bytes); }
    void ShowLine(std::string_view line) override {
        FakeHost::ShowLine(line), onShow ? onShow(line) : void();
    }
    LinkState GetLinkState() const override { return link->State(); }
    void SetLinkState(LinkState state) override { link->SetState(state); }

    void ShowCondition(std::string_view text) override { condition = text; }
    void SetTotalCaption(std::string_view text) override { caption = text; }
    void UpdateCaption() override { ++captions; }
    void EnableConnectCommands(bool enabled) override { connectEnabled = enabled; }
    void EnableLogoff(bool enabled) override { logoffEnabled = enabled; }
    void ClearPlayerList() override { ++listClears; }
    void FinishSetup() override { ++setupsFinished; }
    void ShowCountdown(std::string_view text) override { countdown = text; }

    Connection* link = nullptr;
    std::function<void(std::string_view)> onShow;
    std::string condition, countdown;
    bool connectEnabled = true, logoffEnabled = false;
    int captions = 0, listClears = 0, setupsFinished = 0;
};

class ConnectionTest : public ::testing::Test {
  protected:
    ConnectionTest() {
        socket.link = &link;
        window.link = &link;
        link.Attach(processor, roster);
    }
    // Connected and playing, with what was shown so far forgotten.
    void Play() {
        link.Start("game.example", "30003", LinkState::Logon);
        socket.Accept();
        link.SetState(LinkState::Normal);
        window.shown.clear();
    }
    // The window as a link leaves it once closed: the connect commands back, Log Off gone.
    void ExpectClosedShowing(const Lines& lines) const {
        EXPECT_EQ(window.shown, lines);
        EXPECT_EQ(window.condition, "Disconnected");
        EXPECT_TRUE(window.connectEnabled && !window.logoffEnabled);
        EXPECT_EQ(link.State(), LinkState::Normal);
    }
    FakeSocket socket;
    FakeWindow window;
    FriendsAndFoes foes;
    PlayerRoster roster{window, foes};
    TextProcessor processor{window};
    Connection link{socket, window, socket};
};

TEST_F(ConnectionTest, AnAttemptThatFailsReportsTheErrorAndAllowsAnotherTry) {
    link.Start("game.example", "abc", LinkState::Logon);
    EXPECT_TRUE(socket.opened.empty());
    ExpectClosedShowing(ErrorLines);

    window.shown.clear();
    link.Start("game.example", " 30003 ", LinkState::Logon);
    EXPECT_EQ(socket.opened, Lines{"game.example:30003"});
    EXPECT_EQ(window.condition, "Connecting");
    EXPECT_FALSE(window.connectEnabled);
    link.Failed();
    EXPECT_EQ(socket.aborts, 1);
    ExpectClosedShowing(ErrorLines);

    // Once connected, an error is the disconnection's to report.
    Play();
    link.Failed();
    EXPECT_TRUE(window.shown.empty());
    EXPECT_EQ(window.condition, "Connected");
}

TEST_F(ConnectionTest, TheServerClosingShowsWhatItSentBeforeTheClosingLines) {
    link.Start("game.example", "30003", LinkState::Logon);
    EXPECT_EQ(window.listClears, 1);
    socket.Accept();
    EXPECT_EQ(window.shown, Lines{"Connected to talmaro"});
    EXPECT_TRUE(window.logoffEnabled && !window.connectEnabled);
    link.SetState(LinkState::Normal);
    window.shown.clear();

    socket.incoming = "Goodbye.\r\n"; // arrived, not yet read
    socket.ServerCloses();
    ExpectClosedShowing({"Goodbye. ", LostLines[0], LostLines[1]});
    EXPECT_EQ(window.setupsFinished, 0);

    // A link lost while the player list is built leaves nothing to wait for.
    for (LinkState state : {LinkState::Setup, LinkState::WhoList}) {
        Play();
        link.SetState(state);
        socket.ServerCloses();
        EXPECT_EQ(link.State(), LinkState::Normal);
    }
    EXPECT_EQ(window.setupsFinished, 2);
}

TEST_F(ConnectionTest, LogOffSendsQueuedCommandsAndReportsTheCloseOnce) {
    // The socket may report the close at once, or only once its queue is sent.
    for (bool queuedBytes : {false, true}) {
        Play();
        socket.serverReads = !queuedBytes;
        link.SendText("quit\n");
        link.LogOff();
        EXPECT_EQ(socket.aborts, 0);
        ExpectClosedShowing(ClosedLines);
        EXPECT_EQ(socket.IsActive(), queuedBytes);

        // The queue drains later: nothing more is shown, but the title drops the host.
        const int captions = window.captions;
        socket.QueueDrains();
        EXPECT_EQ(window.shown, ClosedLines);
        EXPECT_EQ(window.captions, captions + (queuedBytes ? 1 : 0));
        EXPECT_TRUE(socket.written.ends_with("quit\n"));
    }

    // A connect while the last link still sends its final bytes leaves them to go out.
    socket.serverReads = false;
    Play();
    link.SendText("quit\n");
    link.LogOff();
    link.Start("game.example", "30003", LinkState::Logon);
    EXPECT_EQ(socket.aborts, 0);

    // A log-on abandoned after a refusal closes the same way and says so above the list.
    Play();
    link.AbandonLogon();
    ExpectClosedShowing(ClosedLines);
    EXPECT_EQ(window.caption, "Not Connected");
}

TEST_F(ConnectionTest, AFloodIsReadInChunksOf4095BytesAndYieldsAfterItsSlice) {
    Play();
    socket.Arrive(std::string(10000, 'x'));
    EXPECT_EQ(socket.reads, (std::vector<std::size_t>{4095, 4095, 1810}));
    EXPECT_EQ(socket.readLaters, 0);

    // Slow chunks: the read stops once its slice is used and asks to go on later.
    socket.reads.clear();
    socket.msPerRead = 3;
    socket.Arrive(std::string(10000, 'y'));
    EXPECT_EQ(socket.reads, (std::vector<std::size_t>{4095, 4095}));
    EXPECT_EQ(socket.readLaters, 1);
    link.ReadyRead();
    EXPECT_EQ(socket.reads.back(), 1810u);
    EXPECT_EQ(socket.BytesAvailable(), 0u);
}

TEST_F(ConnectionTest, AReadUnderWayIsNeitherReenteredNorCutShortByAClose) {
    Play();
    // A box opened by a line runs a nested event loop, in which more text and the close arrive.
    window.onShow = [this](std::string_view line) {
        if (line != "box ") return;
        socket.incoming += "after the box\r\n";
        link.ReadyRead();
        socket.ServerCloses();
    };
    socket.Arrive("box\r\nsame chunk\r\n");
    Lines expected = {"box ", "same chunk ", "after the box "};
    expected.insert(expected.end(), LostLines.begin(), LostLines.end());
    EXPECT_EQ(window.shown, expected);

    // A chunk that throws leaves the link readable.
    Play();
    window.onShow = [](std::string_view line) {
        if (line == "boom ") throw std::runtime_error("boom");
    };
    EXPECT_THROW(socket.Arrive("boom\r\n"), std::runtime_error);
    window.onShow = nullptr;
    socket.Arrive("still here\r\n");
    EXPECT_EQ(window.shown.back(), "still here ");
}

TEST_F(ConnectionTest, AServerThatStopsReadingBreaksTheLinkPastTheSendLimit) {
    Play();
    socket.serverReads = false;
    const std::string reply(64 * 1024, 'r');
    for (std::size_t sent = 0; sent <= Connection::SendQueueLimit; sent += reply.size())
        link.SendText(reply);
    EXPECT_LE(socket.written.size(), Connection::SendQueueLimit);
    EXPECT_EQ(socket.aborts, 1);
    ExpectClosedShowing(LostLines);
    link.SendText("look\n"); // nothing more goes out
    EXPECT_LE(socket.written.size(), Connection::SendQueueLimit);
}

TEST_F(ConnectionTest, TextDoublesIts0xFFBytesWhileTelnetRepliesGoAsTheyStand) {
    Play();
    socket.Arrive(Bytes({255, 253, 31}));                       // IAC DO NAWS
    link.SendText(Bytes({255}) + "a" + Bytes({0, 255}) + "\n"); // typed, a zero byte included
    const std::string naws = Bytes({255, 251, 31, 255, 250, 31, 0, 0, 0, 0, 255, 240});
    EXPECT_EQ(socket.written, naws + Bytes({255, 255}) + "a" + Bytes({0, 255, 255}) + "\n");
}

TEST_F(ConnectionTest, ADroppedLinkIsLoggedOnAgainUntilThePlayerTakesOver) {
    Play();
    link.LoggedOn();
    for (const bool on : {true, false, true}) // the option switched while logged on
        link.SetReconnect(on);
    socket.ServerCloses();
    EXPECT_EQ(window.shown.back(), "Reconnecting in 2 s (try 1 of 10)");
    socket.now += 1000;
    link.Tick();
    EXPECT_EQ(window.countdown, "Reconnecting in 1 s (try 1 of 10)");
    // The try fails at once; the next waits 4 s and connects to the same host and port.
    socket.now += 1000;
    link.Tick();
    EXPECT_EQ(window.countdown, "");
    link.Failed();
    EXPECT_EQ(window.shown.back(), "Reconnecting in 4 s (try 2 of 10)");
    socket.now += 4000;
    link.Tick();
    EXPECT_EQ(socket.opened, Lines(3, "game.example:30003"));
    EXPECT_EQ(link.State(), LinkState::Logon);
    socket.Accept();
    link.LoggedOn();
    EXPECT_EQ(window.shown.back(), "Reconnected (try 2 of 10)");
    // The player's connect, confirmed in a dialog the try began behind, takes over from its link.
    link.SetState(LinkState::Setup);
    const int aborts = socket.aborts, setups = window.setupsFinished;
    link.Start("game.example", "30003", LinkState::Logon);
    EXPECT_EQ(std::pair(socket.aborts, window.setupsFinished), std::pair(aborts + 1, setups + 1));

    // The player's own log-off and a refused log-on are never followed by a try.
    for (const auto stop : {&Connection::LogOff, &Connection::StopReconnect}) {
        const std::size_t opened = socket.opened.size();
        (link.*stop)();
        socket.ServerCloses();
        socket.now += 600'000;
        link.Tick();
        EXPECT_EQ(socket.opened.size(), opened);
        Play();
        link.LoggedOn();
    }
    // Nor is a character's first log-on from the new-account form.
    link.Start("game.example", "30003", LinkState::NewAccount);
    socket.Accept();
    link.LoggedOn();
    socket.ServerCloses();
    EXPECT_NE(window.shown.back().substr(0, 12), "Reconnecting");
}

// The forms with an avatar are checked on the window's title, over a real link.
TEST(Caption, WithoutAnAvatarIsTheVersionAloneEvenWhileConnected) {
    EXPECT_EQ(ComposeCaption("10.1.2.3", "", true), "Orv2Term - Version 1.04");
}

TEST(Port, OnlyADecimalPortNumberIsAccepted) {
    EXPECT_EQ(ParsePort(" 23 "), 23);
    EXPECT_EQ(ParsePort("65535"), 65535);
    for (const char* bad : {"abc", "", " ", "30003x", "-1", "65536", "99999999", "+5", "0x10"})
        EXPECT_FALSE(ParsePort(bad).has_value()) << bad;
}

} // namespace
} // namespace orv::test
