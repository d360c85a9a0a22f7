#include "DemoClient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

using namespace demotest;

namespace {

TEST_F(DemoServerTest, OpensWithTelnetRequestsBannerAndLoginPrompt) {
    start();
    auto client = connect();
    const std::string opening = client->takeThrough("login: ");
    ASSERT_EQ(opening.substr(0, kOpening.size()), kOpening);
    const std::string banner = opening.substr(kOpening.size());
    EXPECT_TRUE(banner.ends_with("\r\n\r\nlogin: ")) << banner; // a blank line before the prompt
    const std::string text = banner.substr(0, banner.size() - 7);
    EXPECT_GE(lines(text).size(), 3u);
    // The client answers the first "ogin:" it sees and cuts lines after colons during log-on.
    EXPECT_EQ(text.find(':'), std::string::npos) << text;
    for (std::size_t i = 0; i < text.size(); ++i)
        EXPECT_TRUE(text[i] != '\n' || (i > 0 && text[i - 1] == '\r')) << "bare LF at " << i;
    EXPECT_TRUE(client->received().empty());
}

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
    client->ask("");

    // Every seeded account with a character logs on as that character.
    for (const auto& seed : orvdemo::kSeedAccounts) {
        if (seed.character.empty()) continue;
        auto other = player(seed.account, seed.password);
        EXPECT_EQ(lines(other->ask("ex " + std::string(seed.character))).size(), 3u) << seed.account;
    }
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

    // Real players are reported too, when they log on, quit, or just drop.
    auto vesper = player("vesper", "stars");
    EXPECT_EQ(watcher->takeThrough("\r\n"),
              "SPYNET REPORT: Duchess Vesper has entered Orvanta DataSpace.\r\n");
    vesper->send("quit\n");
    EXPECT_EQ(watcher->takeThrough("\r\n"), "SPYNET REPORT: Duchess Vesper has left Orvanta DataSpace.\r\n");
    auto pip = player("rookie", "rookie");
    EXPECT_EQ(watcher->takeThrough("\r\n"),
              "SPYNET REPORT: GroundHog Pip has entered Orvanta DataSpace.\r\n");
    pip->socket().abort();
    EXPECT_EQ(watcher->takeThrough("\r\n"), "SPYNET REPORT: GroundHog Pip has left Orvanta DataSpace.\r\n");

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

TEST_F(DemoServerTest, EchoesEveryCommandAndCapsLongOnes) {
    start();
    auto client = player("demo", "demo");
    EXPECT_EQ(client->ask(""), ">\r\n");
    for (const char* command : {"look", "n", "southwest", "say hi", "tell Nova hi", "ex Zed", "hug Zed",
                                "kiss nobody", "buy round", "spynet report Zed", "frobnicate"}) {
        const auto reply = lines(client->ask(command));
        ASSERT_GE(reply.size(), 2u) << command << ": an echo and an answer";
        EXPECT_EQ(reply[0], ">" + std::string(command));
        for (const auto& line : reply)
            EXPECT_FALSE(line.starts_with("SPYNET")) << line;
    }
    const auto reply = lines(client->ask(std::string(100000, 'x')));
    ASSERT_EQ(reply.size(), 2u);
    EXPECT_EQ(reply[0], ">" + std::string(4096, 'x'));
    EXPECT_EQ(lines(client->ask("qw")).front(), ">qw") << "the rest of the long line was dropped";
}

TEST_F(DemoServerTest, SurvivesCrowdsDropoutsAndClientsThatNeverRead) {
    start(2000, 256 * 1024);
    std::vector<std::unique_ptr<Client>> crowd;
    for (int i = 0; i < 50; ++i)
        crowd.push_back(connect());
    for (auto& c : crowd)
        EXPECT_EQ(c->takeThrough("login: ").substr(0, kOpening.size()), kOpening);
    crowd[0]->send("demo\n");
    crowd[0]->takeThrough("Password: ");
    crowd.clear(); // all leave, one of them half logged on
    EXPECT_TRUE(pumpUntil([&] { return server_->clientCount() == 0; }));

    auto first = player("demo", "demo");
    auto watcher = player("kx1234", "secret");
    watcher->ask("spynet notice");
    auto second = player("demo", "demo"); // the same character from elsewhere takes over
    EXPECT_TRUE(first->waitClosed());
    EXPECT_EQ(lines(second->ask("qw")).back(), "2002 players in Orvanta");

    // A client that asks for the long list over and over and reads none of it is cut off. Some 25 MB:
    // more than the kernel's buffers on both sides can hold.
    second->socket().setReadBufferSize(1);
    std::string flood;
    for (int i = 0; i < 1500; ++i)
        flood += "qw\n";
    second->send(flood);
    EXPECT_TRUE(pumpUntil([&] { return server_->clientCount() == 1; }));
    EXPECT_EQ(watcher->takeThrough("\r\n"), "SPYNET REPORT: Captain Zed has left Orvanta DataSpace.\r\n");
    EXPECT_EQ(server_->playersOnline(), 2001);
}

// Past 1,024 names the client's player list changes how it draws; the server must seed that many.
TEST_F(DemoServerTest, SeedsACrowdOfElevenHundredWithTheRegularsAmongThem) {
    start(1100);
    auto zed = player("demo", "demo");
    const auto reply = lines(zed->ask("qw"));
    ASSERT_GE(reply.size(), 3u);
    EXPECT_EQ(reply.back(), "1101 players in Orvanta");
    std::set<std::string> names;
    for (std::size_t i = 1; i + 1 < reply.size(); ++i)
        for (const auto& w : words(reply[i])) {
            EXPECT_TRUE(w.size() <= 15 &&
                        std::all_of(w.begin(), w.end(),
                                    [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
                << "the client keeps names of at most 15 letters and digits: " << w;
            names.insert(w);
        }
    EXPECT_EQ(names.size(), 1101u) << "a name listed twice";
    for (std::size_t i = 0; i < orvdemo::kRegulars.size(); i += 2)
        EXPECT_TRUE(names.count(std::string(orvdemo::kRegulars[i].name))) << "regulars start on line";

    EXPECT_NE(zed->ask("spynet report Avalon").find("Report on Baroness Avalon, rank 13"), std::string::npos);
}

TEST_F(DemoServerTest, RegularsComeAndGoOftenWhileTheCrowdStaysNearItsSize) {
    start(30, 4 * 1024 * 1024, 1);
    auto watcher = player("demo", "demo");
    watcher->ask("spynet notice");
    EXPECT_TRUE(watcher->waitUntil([](const std::string& seen) {
        int cameBack = 0;
        for (const auto& r : orvdemo::kRegulars) {
            const auto left = seen.find(" " + std::string(r.name) + " has left ");
            cameBack += left != std::string::npos &&
                        seen.find(" " + std::string(r.name) + " has entered ", left) != std::string::npos;
        }
        return cameBack >= 3;
    })) << "three regulars left and came back";
    EXPECT_GE(server_->playersOnline(), 10);
    EXPECT_LE(server_->playersOnline(), 60);
}

} // namespace
