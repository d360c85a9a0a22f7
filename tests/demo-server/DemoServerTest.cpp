#include "DemoClient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

using namespace demotest;

namespace {

TEST_F(DemoServerTest, LogOnRefusesBadPairsAndWelcomesGoodOnes) {
    start();
    auto client = connect();
    client->takeThrough("login: ");
    // The client's telnet answers arrive around its first line, cut anywhere.
    client->send(bytes("\xff\xfd\x03\xff\xfb\x1f\xff\xfa\x1f\x00\x00"));
    client->send(bytes("\x00\x00\xff\xf0\xff\xfc\x18\xff\xfa\x18\x00KX-ORV"));
    client->send(bytes("TERM32\xff\xf0"
                       "demo\r\n"));
    EXPECT_EQ(client->takeThrough("Password: "), "Password: ");
    client->send("wrong\n");
    EXPECT_EQ(client->takeThrough("login: "), "Login incorrect\r\nlogin: ");

    client->send("nobody\ndemo\n");
    EXPECT_EQ(client->takeThrough("login: "), "Password: Login incorrect\r\nlogin: ");

    client->send("DEMO\ndemo\n");
    EXPECT_EQ(client->takeThrough("\r\n"), "Password: Welcome to Orvanta DataSpace.\r\n");
}

TEST_F(DemoServerTest, SpyNetNoticeTogglesOnThenOff) {
    start();
    auto client = player("demo", "demo");
    EXPECT_EQ(client->ask("spynet notice"), ">spynet notice\r\nOK - SpyNet Notice is now ON.\r\n");
    EXPECT_EQ(client->ask("SpyNet  NOTICE"), ">SpyNet  NOTICE\r\nOK - SpyNet Notice is now OFF.\r\n");
    EXPECT_EQ(client->ask("spynet notice"), ">spynet notice\r\nOK - SpyNet Notice is now ON.\r\n");
}

TEST_F(DemoServerTest, QuickWhoListsEveryNameOnceThenTheCount) {
    start(20);
    auto zed = player("demo", "demo");
    auto nova = player("kx1234", "secret");
    server_->simulateDeparture();
    server_->simulateArrival();
    server_->simulateArrival();

    const auto reply = lines(zed->ask("qw"));
    ASSERT_GE(reply.size(), 3u);
    EXPECT_EQ(reply.front(), ">qw");
    std::set<std::string> names;
    std::size_t listed = 0;
    for (std::size_t i = 1; i + 1 < reply.size(); ++i) {
        const auto w = words(reply[i]);
        ASSERT_FALSE(w.empty());
        EXPECT_LE(w.size(), 8u);
        std::string joined = w.front();
        for (std::size_t k = 1; k < w.size(); ++k)
            joined += ' ' + w[k];
        EXPECT_EQ(reply[i], joined) << "names are separated by single spaces";
        // The client reads names until a line whose first word starts with a digit.
        EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(reply[i][0]))) << reply[i];
        listed += w.size();
        names.insert(w.begin(), w.end());
    }
    EXPECT_EQ(names.size(), listed) << "a name listed twice";
    EXPECT_EQ(listed, 23u);
    EXPECT_EQ(static_cast<int>(listed), server_->playersOnline());
    EXPECT_EQ(reply.back(), "23 players in Orvanta");
    EXPECT_TRUE(names.count("Zed") && names.count("Nova"));
}

TEST_F(DemoServerTest, SpyNetReportsReachOnlyPlayersWithNoticesOn) {
    start();
    auto watcher = player("demo", "demo");
    auto quiet = player("kx1234", "secret");
    watcher->ask("spynet notice");

    std::set<std::string> titles;
    for (int rank = 0; rank < orvdemo::kRankCount; ++rank)
        for (auto g : {orvdemo::Gender::Male, orvdemo::Gender::Female})
            titles.emplace(orvdemo::rankTitle(rank, g));

    const std::string arrived = server_->simulateArrival().toStdString();
    const auto report = lines(watcher->takeThrough(arrived + " has entered Orvanta DataSpace.\r\n"));
    ASSERT_EQ(report.size(), 1u);
    const auto w = words(report[0]);
    ASSERT_EQ(w.size(), 8u) << report[0];
    EXPECT_EQ(w[0] + ' ' + w[1], "SPYNET REPORT:");
    EXPECT_TRUE(titles.count(w[2])) << "rank title " << w[2];
    EXPECT_EQ(w[3], arrived);

    const std::string left = server_->simulateDeparture().toStdString();
    const auto gone = lines(watcher->takeThrough(left + " has left Orvanta DataSpace.\r\n"));
    ASSERT_EQ(gone.size(), 1u);
    EXPECT_TRUE(gone[0].starts_with("SPYNET REPORT: ")) << gone[0];

    // Nova, notices off, heard none of it.
    EXPECT_EQ(quiet->ask("look").find("SPYNET"), std::string::npos);
    EXPECT_EQ(watcher->ask("").find("SPYNET"), std::string::npos) << "a report sent twice";
}

TEST_F(DemoServerTest, QuitSaysGoodbyeAndCloses) {
    start(5);
    auto client = player("demo", "demo");
    EXPECT_EQ(server_->playersOnline(), 6);
    client->send("quit\nlook\n");
    ASSERT_TRUE(client->waitClosed());
    const auto said = lines(client->received());
    ASSERT_EQ(said.size(), 2u) << "nothing after the goodbye";
    EXPECT_EQ(said[0], ">quit");
    EXPECT_TRUE(pumpUntil([&] { return server_->clientCount() == 0; }));
    EXPECT_EQ(server_->playersOnline(), 5);
}

} // namespace
