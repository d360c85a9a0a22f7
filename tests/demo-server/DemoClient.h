#pragma once

// A test client for the demo server, and the fixture that starts one server per test on a free port.

#include "DemoServer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTcpSocket>
#include <QtCore/qtestsupport_core.h>

#include <functional>
#include <memory>
#include <string>

namespace demotest {

// A server on a free port of 127.0.0.1; nobody comes or goes unless the test says so.
inline std::unique_ptr<orvdemo::DemoServer> startServer(int players) {
    auto server = std::make_unique<orvdemo::DemoServer>(
        orvdemo::DemoServer::Options{.players = players, .seed = 7, .activityMs = 0});
    EXPECT_TRUE(server->listen(QHostAddress::LocalHost, 0)) << server->errorString().toStdString();
    return server;
}

// An unknown command sent after another one: once its answer is in, the other's is complete.
inline const std::string kSync = "#sync";

// The server lives in this thread, so every wait runs its event loop until the condition holds;
// what arrives collects in `in`.
struct Client {
    explicit Client(quint16 port) {
        socket.connectToHost(QHostAddress::LocalHost, port);
        EXPECT_TRUE(waitUntil([this] { return socket.state() == QAbstractSocket::ConnectedState; }));
    }

    void send(const std::string& bytes) { socket.write(bytes.data(), static_cast<qint64>(bytes.size())); }
    bool waitUntil(const std::function<bool()>& done) {
        return QTest::qWaitFor([&] { return in += socket.readAll().toStdString(), done(); });
    }
    bool waitFor(std::string_view text) {
        return waitUntil([&] { return in.find(text) != std::string::npos; });
    }

    // Everything up to and including text, removed from what was received.
    std::string takeThrough(std::string_view text) {
        EXPECT_TRUE(waitFor(text)) << "never received \"" << text << "\"; have \"" << in << '"';
        std::string head = in.substr(0, in.find(text) + text.size());
        in.erase(0, head.size());
        return head;
    }

    // Sends a game command; returns all that arrived from now until its answer is complete.
    std::string ask(std::string_view command) {
        send(std::string(command) + "\n" + kSync + "\n");
        std::string reply = takeThrough(">" + kSync + "\r\n");
        reply.erase(reply.size() - kSync.size() - 3);
        takeThrough("\r\n"); // the answer to the sync command
        return reply;
    }

    void logOn(const std::string& account, const std::string& password) {
        takeThrough("login: ");
        send(account + "\n" + password + "\n"); // the server reads ahead
        takeThrough("Welcome to Orvanta DataSpace.\r\n");
        ask(""); // the room description that follows
    }

    QTcpSocket socket;
    std::string in;
};

class DemoServerTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 0; // the application takes no arguments of ours
        if (!QCoreApplication::instance()) new QCoreApplication(argc, nullptr);
    }

    // Each test gets a server of 12 players; start again for another number.
    void SetUp() override { start(); }
    void start(int players = 12) { server_ = startServer(players); }
    std::unique_ptr<Client> connect() { return std::make_unique<Client>(server_->port()); }
    std::unique_ptr<Client> player(const std::string& account, const std::string& password) {
        auto client = connect();
        client->logOn(account, password);
        return client;
    }

    std::unique_ptr<orvdemo::DemoServer> server_;
};

} // namespace demotest
