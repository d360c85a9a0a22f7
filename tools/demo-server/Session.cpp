#include "Session.h"

#include "World.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace orvdemo {

namespace {

constexpr char kLineEnd[] = "\r\n";

// IAC WILL SUPPRESS-GO-AHEAD, IAC DO NAWS, IAC DO TERMINAL-TYPE, IAC SB TERMINAL-TYPE SEND IAC SE.
constexpr std::string_view kOpening{"\xff\xfb\x03"
                                    "\xff\xfd\x1f"
                                    "\xff\xfd\x18"
                                    "\xff\xfa\x18\x01\xff\xf0",
                                    15};

constexpr std::string_view kBanner = "\r\n"
                                     "Welcome to the Orvanta demo server.\r\n"
                                     "A practice universe for Orv2Term; nothing is kept when it stops.\r\n"
                                     "\r\n";

// The game lists several names per quick-who line; the client reads every word of them as a name.
constexpr std::size_t kNamesPerLine = 8;
// "Also here" lists this many players and counts the rest, so a crowded room stays one line.
constexpr std::size_t kAlsoHereMax = 10;

constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kDirectionWords{{
    {"n", "north"},
    {"ne", "northeast"},
    {"e", "east"},
    {"se", "southeast"},
    {"s", "south"},
    {"sw", "southwest"},
    {"w", "west"},
    {"nw", "northwest"},
}};

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

// Splits off the first word; the rest comes back trimmed.
std::pair<std::string_view, std::string_view> firstWord(std::string_view s) {
    s = trim(s);
    const auto end =
        std::find_if(s.begin(), s.end(), [](char c) { return std::isspace(static_cast<unsigned char>(c)); });
    const auto n = static_cast<std::size_t>(end - s.begin());
    return {s.substr(0, n), trim(s.substr(n))};
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (auto& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

Session::Session(World& world, Writer write, Closer close)
    : world_(world), write_(std::move(write)), close_(std::move(close)) {}

void Session::start() {
    send(kOpening);
    send(kBanner);
    send("login: ");
}

void Session::receive(std::string_view bytes) {
    if (stage_ == Stage::Closed) return;
    input_.feed(bytes, [this](std::string_view line) { return onLine(line); });
}

void Session::hangUp() {
    if (stage_ == Stage::Playing) world_.leave(*this);
    stage_ = Stage::Closed;
}

void Session::deliver(std::string_view line) {
    if (stage_ == Stage::Playing) sendLine(line);
}

void Session::spynetReport(std::string_view line) {
    if (notices_) deliver(line);
}

void Session::evict() {
    if (stage_ != Stage::Playing) return;
    sendLine("Your character has been logged on from another connection. Goodbye.");
    close(); // no departure report: the character is still on line
}

bool Session::onLine(std::string_view line) {
    switch (stage_) {
    case Stage::Login:
        onLogin(line);
        break;
    case Stage::Password:
        onPassword(line);
        break;
    case Stage::Playing:
        onCommand(line);
        break;
    case Stage::Closed:
        break;
    }
    return stage_ != Stage::Closed;
}

void Session::onLogin(std::string_view line) {
    const std::string_view account = trim(line);
    if (account.empty()) {
        send("login: ");
    } else if (equalsNoCase(account, "new")) {
        sendLine("New accounts are not open on this demo server yet.");
        send("login: ");
    } else {
        account_ = account;
        stage_ = Stage::Password;
        send("Password: ");
    }
}

void Session::onPassword(std::string_view line) {
    const Character* who = world_.accounts().logOn(account_, line);
    if (!who) {
        stage_ = Stage::Login;
        sendLine("Login incorrect");
        send("login: ");
        return;
    }
    character_ = *who;
    stage_ = Stage::Playing;
    notices_ = false;
    sendLine("Welcome to Orvanta DataSpace.");
    sendLine("");
    world_.enter(*this, character_);
    look();
}

void Session::onCommand(std::string_view line) {
    send(">");
    send(line);
    send(kLineEnd);

    const auto [word, rest] = firstWord(line);
    if (word.empty()) return;
    const std::string verb = lower(word);

    for (std::size_t d = 0; d < kDirectionWords.size(); ++d) {
        if (verb == kDirectionWords[d].first || verb == kDirectionWords[d].second) {
            move(static_cast<int>(d));
            return;
        }
    }
    if (verb == "look" || verb == "l")
        look();
    else if (verb == "say")
        say(rest);
    else if (verb == "tell")
        tell(rest);
    else if (verb == "ex" || verb == "examine")
        examine(rest);
    else if (verb == "hug" || verb == "kiss")
        social(verb, rest);
    else if (verb == "buy" && equalsNoCase(rest, "round"))
        buyRound();
    else if (verb == "spynet")
        spynet(rest);
    else if (verb == "qw")
        quickWho();
    else if (verb == "help") {
        sendLine(
            "Commands: look, n ne e se s sw w nw, say TEXT, tell NAME TEXT, ex NAME, hug NAME, kiss NAME,");
        sendLine("buy round, qw, spynet notice, spynet report NAME, quit.");
    } else if (verb == "quit")
        quit();
    else
        sendLine("Unknown command. Type help for the commands this demo server knows.");
}

void Session::look() {
    const int here = room();
    const Room& r = roomAt(here);
    sendLine(r.name);
    sendLine(r.description);
    sendLine("Exits: " + exitsOf(here) + ".");
    std::string also;
    std::size_t count = 0;
    for (const auto& p : world_.online()) {
        if (p.room != here || p.session == this) continue;
        if (count++ < kAlsoHereMax) {
            also += also.empty() ? "Also here: " : ", ";
            also += p.who.titled();
        }
    }
    if (count > kAlsoHereMax) also += " and " + std::to_string(count - kAlsoHereMax) + " others";
    if (!also.empty()) sendLine(also + ".");
}

void Session::move(int direction) {
    const int to = roomTowards(room(), direction);
    if (to < 0) {
        sendLine("You can't go that way.");
        return;
    }
    const std::string name = character_.titled();
    world_.toRoom(room(), this, name + " leaves " + std::string(directionName(direction)) + ".");
    world_.moveTo(*this, to);
    world_.toRoom(to, this, name + " arrives.");
    look();
}

void Session::say(std::string_view text) {
    if (text.empty()) {
        sendLine("Say what?");
        return;
    }
    sendLine("You say, \"" + std::string(text) + "\"");
    world_.toRoom(room(), this, character_.titled() + " says, \"" + std::string(text) + "\"");
}

void Session::tell(std::string_view args) {
    const auto [name, text] = firstWord(args);
    if (name.empty() || text.empty()) {
        sendLine("Tell whom what?");
        return;
    }
    const OnlinePlayer* p = target(name, "");
    if (!p) return;
    if (p->session == this) {
        sendLine("You mutter to yourself.");
        return;
    }
    sendLine("You tell " + p->who.name + ", \"" + std::string(text) + "\"");
    if (p->session) p->session->deliver(character_.titled() + " tells you, \"" + std::string(text) + "\"");
}

void Session::examine(std::string_view name) {
    const OnlinePlayer* p = target(name, "Examine whom?");
    if (!p) return;
    const bool female = p->who.gender == Gender::Female;
    sendLine(p->who.titled() + " is a " + (female ? "woman" : "man") + " in a patched flight suit, rank " +
             std::to_string(p->who.rank) + " of " + std::to_string(kRankCount - 1) + ".");
    sendLine(std::string(female ? "She" : "He") + " is in the " + std::string(roomAt(p->room).name) + ".");
}

void Session::social(std::string_view verb, std::string_view name) {
    const bool hug = verb == "hug";
    const OnlinePlayer* p = target(name, hug ? "Hug whom?" : "Kiss whom?");
    if (!p) return;
    if (p->session == this) {
        sendLine("You " + std::string(verb) + " yourself. Nobody is watching, probably.");
        return;
    }
    sendLine("You " + std::string(verb) + " " + p->who.titled() + ".");
    if (p->session) p->session->deliver(character_.titled() + (hug ? " hugs you." : " kisses you."));
}

void Session::buyRound() {
    const int here = room();
    if (roomAt(here).name != "Starport Bar") {
        sendLine("There is no bar here. Try the Starport Bar.");
        return;
    }
    sendLine("You buy a round for everyone in the bar. Cheers!");
    world_.toRoom(here, this, character_.titled() + " buys a round for everyone in the bar!");
}

void Session::spynet(std::string_view args) {
    const auto [what, name] = firstWord(args);
    if (equalsNoCase(what, "notice") && name.empty()) {
        notices_ = !notices_;
        sendLine(notices_ ? "OK - SpyNet Notice is now ON." : "OK - SpyNet Notice is now OFF.");
    } else if (equalsNoCase(what, "report") && !name.empty()) {
        // Worded so that no line starts with SPYNET: the client would take it for an arrival report.
        if (const OnlinePlayer* p = world_.find(name))
            sendLine("Report on " + p->who.titled() + ", rank " + std::to_string(p->who.rank) +
                     ", last seen in the " + std::string(roomAt(p->room).name) + ".");
        else
            sendLine("No SpyNet file on " + std::string(name) + ".");
    } else {
        sendLine("SpyNet commands are spynet notice and spynet report NAME.");
    }
}

void Session::quickWho() {
    const auto& online = world_.online();
    std::string line;
    std::size_t onLine = 0;
    for (const auto& p : online) {
        if (onLine > 0) line += ' ';
        line += p.who.name;
        if (++onLine == kNamesPerLine) {
            sendLine(line);
            line.clear();
            onLine = 0;
        }
    }
    if (onLine > 0) sendLine(line);
    sendLine(std::to_string(online.size()) + (online.size() == 1 ? " player" : " players") + " in Orvanta");
}

void Session::quit() {
    sendLine("Goodbye, " + character_.name + ". Fly safe.");
    world_.leave(*this);
    close();
}

const OnlinePlayer* Session::target(std::string_view name, std::string_view question) {
    if (name.empty()) {
        sendLine(question);
        return nullptr;
    }
    const OnlinePlayer* p = world_.find(name);
    if (!p) sendLine("There is no one called " + std::string(name) + " in Orvanta.");
    return p;
}

int Session::room() const {
    const OnlinePlayer* self = world_.find(*this);
    return self ? self->room : kStartRoom;
}

void Session::send(std::string_view bytes) {
    if (stage_ != Stage::Closed) write_(bytes);
}

void Session::sendLine(std::string_view line) {
    send(line);
    send(kLineEnd);
}

void Session::close() {
    stage_ = Stage::Closed;
    close_();
}

} // namespace orvdemo
