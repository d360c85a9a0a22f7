#pragma once

// A test client for the demo server, and the fixture that starts one server per test on a free port.

#include "DemoServer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTcpSocket>
#include <QtCore/qtestsupport_core.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace demotest {

using orvdemo::DemoServer;

// A server on a free port of 127.0.0.1; nobody comes or goes unless the test says so.
inline std::unique_ptr<DemoServer> startServer(int players) {
    DemoServer::Options options;
    options.players = players;
    options.seed = 7;
    options.activityMs = 0;
    auto server = std::make_unique<DemoServer>(options);
    EXPECT_TRUE(server->listen(QHostAddress::LocalHost, 0)) << server->errorString().toStdString();
    return server;
}

// An unknown command sent after another one: once its answer is in, the other's is complete.
inline constexpr std::string_view kSync = "#sync";

// The server lives in this thread, so every wait runs its event loop until the condition holds.
class Client {
  public:
    explicit Client(quint16 port) {
        socket_.connectToHost(QHostAddress::LocalHost, port);
        EXPECT_TRUE(waitUntil(
            [this](const std::string&) { return socket_.state() == QAbstractSocket::ConnectedState; }));
    }

    const std::string& received() const { return buffer_; }

    void send(std::string_view bytes) { socket_.write(bytes.data(), static_cast<qint64>(bytes.size())); }

    bool waitUntil(const std::function<bool(const std::string& received)>& done) {
        return QTest::qWaitFor([&] {
            buffer_ += socket_.readAll().toStdString();
            return done(buffer_);
        });
    }
    bool waitClosed() {
        return waitUntil(
            [this](const std::string&) { return socket_.state() == QAbstractSocket::UnconnectedState; });
    }

    // Everything up to and including text, removed from what was received.
    std::string takeThrough(std::string_view text) {
        EXPECT_TRUE(waitUntil([&](const std::string& have) { return have.find(text) != std::string::npos; }))
            << "never received \"" << text << "\"; have \"" << buffer_ << '"';
        std::string head = buffer_.substr(0, std::min(buffer_.size(), buffer_.find(text) + text.size()));
        buffer_.erase(0, head.size());
        return head;
    }

    // Sends a game command; returns all that arrived from now until its answer is complete.
    std::string ask(std::string_view command) {
        send(std::string(command) + "\n" + std::string(kSync) + "\n");
        std::string reply = takeThrough(">" + std::string(kSync) + "\r\n");
        reply.erase(reply.size() - kSync.size() - 3);
        takeThrough("\r\n"); // the answer to the sync command
        return reply;
    }

    void logOn(std::string_view account, std::string_view password) {
        takeThrough("login: ");
        send(std::string(account) + "\n");
        takeThrough("Password: ");
        send(std::string(password) + "\n");
        takeThrough("Welcome to Orvanta DataSpace.\r\n");
        ask(""); // the room description that follows
    }

  private:
    QTcpSocket socket_;
    std::string buffer_;
};

inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        out.push_back(text.substr(from, end - from));
    EXPECT_EQ(from, text.size()) << "text after the last line end";
    return out;
}

inline std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

class DemoServerTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "demo_server_test";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    }

    void start(int players = 12) { server_ = startServer(players); }
    std::unique_ptr<Client> connect() { return std::make_unique<Client>(server_->port()); }
    std::unique_ptr<Client> player(std::string_view account, std::string_view password) {
        auto client = connect();
        client->logOn(account, password);
        return client;
    }

    std::unique_ptr<DemoServer> server_;
};

} // namespace demotest
