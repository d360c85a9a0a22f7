// Socket to screen: a local server floods the real main window with game text and a closing
// telnet request; the client's answer to that request stops the clock. The same flood read by a
// plain socket drain, in the same run, gives the physical limit to compare with. While the window
// reads, a 10 ms timer measures how late the event loop answers; resident memory is sampled once
// the output buffer is full and at the end.
//
//   window_flood [--mb N]      (run under Xvfb, or with QT_QPA_PLATFORM=offscreen)
#include "GameText.h"
#include "app/Forms.h"
#include "ui/Main.h"
#include "ui/Tcp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpSocket>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

const std::string Marker = {char(255), char(253), char(24)};      // IAC DO TERMINAL-TYPE
const std::string MarkerReply = {char(255), char(252), char(24)}; // IAC WONT TERMINAL-TYPE

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

// One connection: waits for "go\n", sends the text and the marker, then waits for the reply.
// Returns the seconds from the first byte sent to the reply (or to the end of sending when the
// peer is a plain drain that never answers).
class FloodServer {
  public:
    explicit FloodServer(const std::string& text) : text_(text) {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
            listen(listener_, 1) != 0) {
            std::perror("listen");
            std::exit(1);
        }
        socklen_t len = sizeof addr;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
    }
    ~FloodServer() { close(listener_); }
    int Port() const { return port_; }

    void Serve(bool waitForReply) {
        thread_ = std::thread([this, waitForReply] {
            const int peer = accept(listener_, nullptr, nullptr);
            std::string in;
            char buf[4096];
            while (in.find("go\n") == std::string::npos) {
                const ssize_t n = recv(peer, buf, sizeof buf, 0);
                if (n <= 0) return;
                in.append(buf, static_cast<std::size_t>(n));
            }
            in.clear();
            const auto start = Clock::now();
            for (std::size_t at = 0; at < text_.size();) {
                const ssize_t n = send(peer, text_.data() + at, text_.size() - at, 0);
                if (n <= 0) return;
                at += static_cast<std::size_t>(n);
            }
            send(peer, Marker.data(), Marker.size(), 0);
            if (waitForReply) {
                while (in.find(MarkerReply) == std::string::npos) {
                    const ssize_t n = recv(peer, buf, sizeof buf, 0);
                    if (n <= 0) break;
                    in.append(buf, static_cast<std::size_t>(n));
                }
            }
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
            done = true;
            shutdown(peer, SHUT_WR);
            close(peer);
        });
    }
    void Join() { thread_.join(); }

    std::atomic<bool> done = false;
    double seconds = 0;

  private:
    const std::string& text_;
    int listener_;
    int port_;
    std::thread thread_;
};

double PlainDrain(const std::string& text) {
    FloodServer server(text);
    server.Serve(false);
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<unsigned short>(server.Port()));
    if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) std::exit(1);
    send(fd, "go\n", 3, 0);
    const auto start = Clock::now();
    std::size_t total = 0;
    char buf[65536];
    for (ssize_t n; (n = recv(fd, buf, sizeof buf, 0)) > 0;)
        total += static_cast<std::size_t>(n);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    close(fd);
    server.Join();
    if (total != text.size() + Marker.size()) std::fprintf(stderr, "drain: short read\n");
    return seconds;
}

} // namespace

int main(int argc, char* argv[]) {
    std::size_t megabytes = 200;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--mb") == 0) megabytes = std::strtoul(argv[i + 1], nullptr, 10);

    const std::string text = orv::bench::MakeGameText(megabytes << 20);
    const double lines = static_cast<double>(std::count(text.begin(), text.end(), '\n'));

    const double drain = PlainDrain(text);
    std::printf("plain socket drain : %8.0f lines/s (%.0f MB/s)\n", lines / drain, text.size() / drain / 1e6);

    // A settings folder of the run's own: the player's settings are neither read nor changed.
    const std::string config = "/tmp/orv-flood-" + std::to_string(getpid());
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);

    QApplication app(argc, argv);
    MainForm = new TMainForm;
    TCPIPForm = new TTCPIPForm;
    MainForm->SetDialogs({TCPIPForm});
    MainForm->resize(1024, 700);
    MainForm->show();

    FloodServer server(text);
    server.Serve(true);

    // Answer the connection dialog, then ask for the flood once connected, as a player in game.
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(50, [&] {
            TCPIPForm->HostEdit->setText(QStringLiteral("127.0.0.1"));
            TCPIPForm->PortEdit->setText(QString::number(server.Port()));
            TCPIPForm->OKBtn->click();
        });
        MainForm->LogontoOrvClick();
    });
    QObject::connect(MainForm->CliSocket, &QTcpSocket::connected, [] {
        MainForm->SetLinkState(orv::LinkState::Normal);
        MainForm->SendText("go\n");
    });

    QElapsedTimer sinceTick;
    qint64 worstLateMs = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (sinceTick.isValid()) worstLateMs = std::max(worstLateMs, sinceTick.elapsed() - 10);
        sinceTick.restart();
    });
    ticker.start(10);

    long rssFull = 0;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (rssFull == 0 && MainForm->OutputModel().EndSeq() > 100000) rssFull = ResidentKb();
        if (server.done) app.quit();
    });
    sampler.start(5);
    app.exec();
    server.Join();
    const long rssEnd = ResidentKb();

    std::printf("window under flood : %8.0f lines/s (%.0f MB/s), a 10 ms timer at most %lld ms late\n",
                lines / server.seconds, text.size() / server.seconds / 1e6,
                static_cast<long long>(worstLateMs));
    std::printf("resident memory    : %ld kB with the buffer full, %ld kB at the end (%+ld kB)\n", rssFull,
                rssEnd, rssEnd - rssFull);
    delete TCPIPForm;
    delete MainForm;
    std::filesystem::remove_all(config);
    return 0;
}
