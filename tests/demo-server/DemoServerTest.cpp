#include "DemoClient.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QStringList>

#include <string>

using namespace demotest;

namespace {

// The lines of text, each ended by CR LF.
QStringList lines(const std::string& text) {
    QStringList out = QString::fromStdString(text).split(QStringLiteral("\r\n"));
    EXPECT_EQ(out.takeLast(), QString()) << "text after the last line end";
    return out;
}

TEST_F(DemoServerTest, LogOnRefusesBadPairsAndWelcomesGoodOnes) {
    auto client = connect();
    client->takeThrough("login: ");
    client->send("nobody\ndemo\n");
    EXPECT_EQ(client->takeThrough("login: "), "Password: Login incorrect\r\nlogin: ");
    client->send("DEMO\ndemo\n"); // account names ignore case
    EXPECT_EQ(client->takeThrough("\r\n"), "Password: Welcome to Orvanta DataSpace.\r\n");
    client->ask(""); // the room description that follows
    EXPECT_EQ(client->ask("spynet notice"), ">spynet notice\r\nOK - SpyNet Notice is now ON.\r\n");
    EXPECT_EQ(client->ask("SpyNet  NOTICE"), ">SpyNet  NOTICE\r\nOK - SpyNet Notice is now OFF.\r\n");
}

TEST_F(DemoServerTest, QuickWhoListsEveryNameOnceThenTheCount) {
    start(20);
    auto zed = player("demo", "demo");
    server_->simulateDeparture();
    server_->simulateArrival();
    const QStringList reply = lines(zed->ask("qw"));
    ASSERT_GE(reply.size(), 3);
    EXPECT_EQ(reply.front(), ">qw");
    EXPECT_EQ(reply.back(), "21 players in Orvanta");
    const QStringList names = reply.mid(1, reply.size() - 2).join(' ').split(' ', Qt::SkipEmptyParts);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size()) << "a name listed twice";
    EXPECT_EQ(names.size(), server_->playersOnline());
    EXPECT_TRUE(names.contains("Zed"));
}

TEST_F(DemoServerTest, SpyNetReportsReachOnlyPlayersWithNoticesOnAndQuitLeaves) {
    auto watcher = player("demo", "demo");
    auto quiet = player("kx1234", "secret");
    watcher->ask("spynet notice");
    const std::string arrived = server_->simulateArrival().toStdString();
    const std::string report = watcher->takeThrough(arrived + " has entered Orvanta DataSpace.\r\n");
    EXPECT_TRUE(report.starts_with("SPYNET REPORT: ")) << report;
    EXPECT_EQ(QString::fromStdString(report).split(' ').size(), 8) << "one title before the name: " << report;
    EXPECT_EQ(quiet->ask("look").find("SPYNET"), std::string::npos);

    const int online = server_->playersOnline();
    quiet->send("quit\nlook\n");
    ASSERT_TRUE(quiet->waitUntil([&] { return quiet->socket.state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(lines(quiet->in).size(), 2) << "nothing after the goodbye";
    watcher->takeThrough("Nova has left Orvanta DataSpace.\r\n");
    EXPECT_EQ(watcher->ask("").find("SPYNET"), std::string::npos) << "a report sent twice";
    EXPECT_EQ(server_->playersOnline(), online - 1);
}

} // namespace
