#include "DemoClient.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace demotest;

namespace {

using Texts = std::vector<std::string>;

// What the client's new-account dialogue acts on in a stretch of server text, in order: it cuts the text
// at colons and line feeds and looks for these texts in each piece.
Texts recognised(const std::string& text) {
    static constexpr std::array<std::string_view, 5> kTexts{"ogin:", "I'm sorry,", "Please provide a name",
                                                            "Do you want to play",
                                                            "I'm sorry that name is not available."};
    Texts found;
    for (std::size_t from = 0, end; from < text.size(); from = end) {
        end = std::min(text.find_first_of(":\n", from), text.size() - 1) + 1;
        for (const auto t : kTexts)
            if (std::string_view(text).substr(from, end - from).find(t) != std::string_view::npos)
                found.emplace_back(t);
    }
    return found;
}

// Whether a quick-who reply lists the name.
bool listed(const std::string& reply, const std::string& name) {
    const auto all = lines(reply);
    for (std::size_t i = 1; i + 1 < all.size(); ++i)
        for (const auto& w : words(all[i]))
            if (w == name) return true;
    return false;
}

// Each helper sends exactly what the client sends, grouped as it groups it.
class NewAccountTest : public DemoServerTest {
  protected:
    // Box ticked: "new" at the log-on prompt, then at the first line that follows the account's four
    // answers in two sends. Returns what came up to the name question.
    std::string openAccount(Client& c, const std::string& account, const std::string& password = "pw") {
        c.takeThrough("login: ");
        c.send("new\n");
        EXPECT_TRUE(
            c.waitUntil([](const std::string& s) { return s.find_first_of(":\n") != std::string::npos; }));
        c.send(account + "\n" + password + "\n" + password + "\n");
        c.send("me@x.org\n");
        return c.takeThrough("Please provide a name for your character: ");
    }

    // The answers to the name question, in two sends; returns what came through the offer line.
    std::string makeCharacter(Client& c, const std::string& name) {
        c.send(name + "\nHuman\nf\nn\n");
        c.send("30\n40\n50\nyes\n");
        std::string text = c.takeThrough("Do you want to play");
        return text + c.takeThrough("\r\n");
    }

    // The client's next step after the offer, then a quick-who; true when the character is listed.
    bool playsAndIsListed(Client& c, const std::string& name) {
        const std::string reply = c.ask("spynet notice");
        EXPECT_NE(reply.find("Welcome to Orvanta DataSpace.\r\n"), std::string::npos) << reply;
        EXPECT_TRUE(reply.ends_with(">spynet notice\r\nOK - SpyNet Notice is now ON.\r\n")) << reply;
        return listed(c.ask("qw"), name);
    }
};

TEST_F(NewAccountTest, ClientCreatesAnAccountAndACharacterAndPlaysIt) {
    start();
    auto watcher = player("demo", "demo");
    watcher->ask("spynet notice");

    auto c = connect();
    const std::string account = openAccount(*c, "nyxpilot", "hyperdrive");
    EXPECT_EQ(recognised(account), Texts{"Please provide a name"}) << account;
    const std::string offer = makeCharacter(*c, "Nyx");
    EXPECT_EQ(recognised(offer), Texts{"Do you want to play"}) << offer;
    EXPECT_TRUE(offer.ends_with(": Your character is ready. Do you want to play now?\r\n")) << offer;

    EXPECT_TRUE(playsAndIsListed(*c, "Nyx"));
    EXPECT_EQ(watcher->takeThrough("\r\n"),
              "SPYNET REPORT: GroundHog Nyx has entered Orvanta DataSpace.\r\n");
    EXPECT_NE(c->ask("ex nyx").find("GroundHog Nyx is a woman"), std::string::npos);
    c->send("quit\n");
    ASSERT_TRUE(c->waitClosed());

    // The account now logs on straight into the game as Nyx.
    auto again = player("NYXPILOT", "hyperdrive");
    watcher->takeThrough("Nyx has left Orvanta DataSpace.\r\n");
    EXPECT_EQ(watcher->takeThrough("\r\n"),
              "SPYNET REPORT: GroundHog Nyx has entered Orvanta DataSpace.\r\n");
}

TEST_F(NewAccountTest, TakenAccountNamesAreRefusedAndLeaveTheAccountAlone) {
    start();
    auto first = connect();
    openAccount(*first, "taken1");

    // A seed in another case, an account opened in this server's life, and the word that starts one.
    for (const std::string name : {"DEMO", "Taken1", "new"}) {
        auto c = connect();
        c->takeThrough("login: ");
        c->send("new\n");
        c->send(name + "\nother\nother\n");
        c->send("o@x.org\n");
        const std::string text = c->takeThrough("taken.\r\nlogin: ");
        EXPECT_EQ(recognised(text), (Texts{"I'm sorry,", "ogin:"})) << text;
        EXPECT_TRUE(text.ends_with("address: I'm sorry, that account name is taken.\r\nlogin: ")) << text;
        if (name == "new") continue;
        // The prompt that follows still works, and the refused password opens nothing.
        c->send(name + "\nother\n");
        EXPECT_EQ(c->takeThrough("login: "), "Password: Login incorrect\r\nlogin: ") << name;
    }
    player("demo", "demo");
}

TEST_F(NewAccountTest, TakenCharacterNamesAreRefusedAfterTheOffer) {
    start();
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
        std::string text = makeCharacter(*c, taken[i]);
        text += c->takeThrough("not available.\r\n");
        EXPECT_EQ(recognised(text), (Texts{"Do you want to play", "I'm sorry that name is not available."}))
            << taken[i] << ": " << text;
        // The client answers the offer before it reads the refusal; a reply must follow for it to read on.
        c->send("spynet notice\n");
        EXPECT_TRUE(c->waitUntil([](const std::string& s) { return s.find("\r\n") != std::string::npos; }));
        EXPECT_EQ(c->received().find("Welcome"), std::string::npos) << c->received();
        EXPECT_EQ(server_->playersOnline(), online) << taken[i] << " entered the game";
    }
}

} // namespace
