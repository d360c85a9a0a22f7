#include "DemoClient.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace demotest;

namespace {

// Each helper sends exactly what the client sends, grouped as it groups it.
class NewAccountTest : public DemoServerTest {
  protected:
    // "new" at the log-on prompt, then, at the first line that follows, the account's four answers
    // in two sends; returns what came through `until`, by default the name question.
    std::string openAccount(Client& c, const std::string& account, const std::string& password = "pw",
                            std::string_view until = "Please provide a name for your character: ") {
        c.takeThrough("login: ");
        c.send("new\n");
        EXPECT_TRUE(c.waitUntil([&c] { return c.in.find_first_of(":\n") != std::string::npos; }));
        c.send(account + "\n" + password + "\n" + password + "\n");
        c.send("me@x.org\n");
        return c.takeThrough(until);
    }

    // The answers to the name question, in two sends; returns what came through the offer line.
    std::string makeCharacter(Client& c, const std::string& name) {
        c.send(name + "\nHuman\nf\nn\n");
        c.send("30\n40\n50\nyes\n");
        std::string text = c.takeThrough("Do you want to play");
        return text + c.takeThrough("\r\n");
    }
};

TEST_F(NewAccountTest, TakenAccountNamesAreRefusedAndLeaveTheAccountAlone) {
    auto first = connect();
    openAccount(*first, "taken1");

    // A seed in another case, an account opened in this server's life, and the word that starts one.
    for (const std::string name : {"DEMO", "Taken1", "new"}) {
        auto c = connect();
        const std::string text = openAccount(*c, name, "other", "taken.\r\nlogin: ");
        EXPECT_TRUE(text.ends_with("address: I'm sorry, that account name is taken.\r\nlogin: ")) << text;
        if (name == "new") continue;
        // The prompt that follows still works, and the refused password opens nothing.
        c->send(name + "\nother\n");
        EXPECT_EQ(c->takeThrough("login: "), "Password: Login incorrect\r\nlogin: ") << name;
    }
}

TEST_F(NewAccountTest, TakenCharacterNamesAreRefusedAfterTheOfferAndNewAccountsLast) {
    auto maker = connect();
    openAccount(*maker, "nyxpilot");
    makeCharacter(*maker, "Nyx");
    maker->ask("");
    const std::string here = server_->simulateArrival().toStdString();
    const std::string gone = server_->simulateDeparture().toStdString();
    ASSERT_FALSE(gone.empty());

    // A seed, a character made here, simulated players on line and away, and regulars.
    const std::vector<std::string> taken{"zed", "NYX", here, gone, "Avalon", "Orin"};
    for (std::size_t i = 0; i < taken.size(); ++i) {
        const int online = server_->playersOnline();
        auto c = connect();
        openAccount(*c, "refused" + std::to_string(i));
        makeCharacter(*c, taken[i]);
        EXPECT_EQ(c->takeThrough("\r\n"), "I'm sorry that name is not available.\r\n") << taken[i];
        // The client answers the offer before it reads the refusal; a reply must follow for it to read on.
        c->send("spynet notice\n");
        EXPECT_TRUE(c->waitFor("\r\n"));
        EXPECT_EQ(c->in.find("Welcome"), std::string::npos) << c->in;
        EXPECT_EQ(server_->playersOnline(), online) << taken[i] << " entered the game";
    }
    player("NYXPILOT", "pw"); // the new account logs straight into the game
}

} // namespace
