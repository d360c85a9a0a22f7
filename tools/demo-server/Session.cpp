#include "Session.h"

#include "World.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
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

// Text is Windows-1252; the client's form counts its accented letters as letters, so a byte above 0x7F is
// taken as one rather than refuse a name the form allowed.
bool isLetter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return std::isalpha(u) || u >= 0x80;
}

// The client's own rules for names and races: 3 to 15 characters, a letter first, then letters and digits
// (and, in a race, spaces).
bool validName(std::string_view s, bool spaces) {
    if (s.size() < 3 || s.size() > 15 || !isLetter(s.front())) return false;
    return std::all_of(s.begin() + 1, s.end(), [spaces](char c) {
        return isLetter(c) || std::isdigit(static_cast<unsigned char>(c)) || (spaces && c == ' ');
    });
}

struct GenderWords {
    std::string_view adjective, noun, pronoun;
};

GenderWords wordsFor(Gender g) {
    switch (g) {
    case Gender::Female:
        return {"female", "woman", "She"};
    case Gender::Neuter:
        return {"neuter", "being", "It"};
    case Gender::Male:
        break;
    }
    return {"male", "man", "He"};
}

bool isYes(std::string_view s) {
    return equalsNoCase(s, "y") || equalsNoCase(s, "yes");
}

bool isNo(std::string_view s) {
    return equalsNoCase(s, "n") || equalsNoCase(s, "no");
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
    case Stage::AccountName:
    case Stage::AccountPassword:
    case Stage::AccountPasswordAgain:
    case Stage::AccountEmail:
        onNewAccount(line);
        break;
    case Stage::CharacterName:
    case Stage::Race:
    case Stage::GenderLetter:
    case Stage::Rules:
    case Stage::Strength:
    case Stage::Stamina:
    case Stage::Dexterity:
    case Stage::Confirm:
        onNewCharacter(line);
        break;
    case Stage::Playing:
        onCommand(line);
        break;
    case Stage::Closed:
        break;
    }
    return stage_ != Stage::Closed;
}

// The client cuts what it reads during account creation at colons and line feeds, and waits for a few
// texts: "ogin:", "I'm sorry,", "Please provide a name" and "Do you want to play". Each of them appears
// only where it is meant; the other questions are worded around them.
void Session::ask(Stage stage) {
    stage_ = stage;
    switch (stage) {
    case Stage::Login:
        return send("login: ");
    case Stage::Password:
        return send("Password: ");
    case Stage::AccountName:
        return send("Choose an account name: ");
    case Stage::AccountPassword:
        return send("Choose a password: ");
    case Stage::AccountPasswordAgain:
        return send("Type the password again: ");
    case Stage::AccountEmail:
        return send("Your e-mail address: ");
    case Stage::CharacterName:
        return send("Please provide a name for your character: ");
    case Stage::Race:
        return send("Your character's race: ");
    case Stage::GenderLetter:
        return send("Gender (m/f/n): ");
    case Stage::Rules:
        return send("Do you want to read the rules? (y/n): ");
    case Stage::Strength:
        return send("Strength (20-70): ");
    case Stage::Stamina:
        return send("Stamina (20-70): ");
    case Stage::Dexterity:
        return send("Dexterity (20-70): ");
    case Stage::Confirm:
        return send("Is this right? (yes/no): ");
    case Stage::Playing:
    case Stage::Closed:
        return;
    }
}

void Session::onLogin(std::string_view line) {
    const std::string_view account = trim(line);
    if (account.empty()) {
        ask(Stage::Login);
    } else if (equalsNoCase(account, "new")) {
        // The client answers this first line with all four of the account's answers at once.
        sendLine("A new account needs a name, a password and an e-mail address.");
        ask(Stage::AccountName);
    } else {
        loginName_ = account;
        ask(Stage::Password);
    }
}

void Session::onPassword(std::string_view line) {
    Account* account = world_.accounts().logOn(loginName_, line);
    if (!account) {
        sendLine("Login incorrect");
        ask(Stage::Login);
        return;
    }
    account_ = account;
    if (!account->characters.empty()) {
        enterGame(account->characters.back());
        return;
    }
    sendLine("This account has no character yet.");
    ask(Stage::CharacterName);
}

void Session::onNewAccount(std::string_view answer) {
    switch (stage_) {
    case Stage::AccountName:
        newAccountName_ = trim(answer);
        ask(newAccountName_.empty() ? Stage::AccountName : Stage::AccountPassword);
        return;
    case Stage::AccountPassword:
        newPassword_ = answer;
        ask(newPassword_.empty() ? Stage::AccountPassword : Stage::AccountPasswordAgain);
        return;
    case Stage::AccountPasswordAgain:
        if (answer != newPassword_) {
            sendLine("The two passwords differ; choose one again.");
            ask(Stage::AccountPassword);
        } else {
            ask(Stage::AccountEmail);
        }
        return;
    default:
        break;
    }
    const std::string_view email = trim(answer);
    if (email.find('@') == std::string_view::npos) {
        sendLine("An e-mail address has an @ in it.");
        ask(Stage::AccountEmail);
        return;
    }
    // The name is checked only now, with every answer in: the client has sent them all by then, and no
    // answer is left over to be misread after a refusal.
    account_ = world_.accounts().open(newAccountName_, newPassword_, email);
    if (!account_) {
        sendLine("I'm sorry, that account name is taken.");
        ask(Stage::Login);
        return;
    }
    sendLine("Your account is open."); // not named: an account name is free text and could hold anything
    ask(Stage::CharacterName);
}

void Session::onNewCharacter(std::string_view line) {
    const std::string_view answer = trim(line);
    switch (stage_) {
    case Stage::CharacterName:
        if (!validName(answer, false)) {
            if (!answer.empty()) sendLine("A name has 3 to 15 letters and digits and begins with a letter.");
            return ask(Stage::CharacterName);
        }
        draft_ = Character{std::string(answer), 0, Gender::Male};
        return ask(Stage::Race);
    case Stage::Race:
        if (!validName(answer, true)) {
            if (!answer.empty())
                sendLine("A race has 3 to 15 letters, digits and spaces and begins with a letter.");
            return ask(Stage::Race);
        }
        race_ = answer;
        return ask(Stage::GenderLetter);
    case Stage::GenderLetter:
        if (equalsNoCase(answer, "m"))
            draft_.gender = Gender::Male;
        else if (equalsNoCase(answer, "f"))
            draft_.gender = Gender::Female;
        else if (equalsNoCase(answer, "n"))
            draft_.gender = Gender::Neuter;
        else
            return ask(Stage::GenderLetter);
        return ask(Stage::Rules);
    case Stage::Rules:
        if (isYes(answer)) {
            sendLine("1. Honour your contracts; traders remember a broken one.");
            sendLine("2. No fighting aboard the station; its guards shoot first.");
            sendLine("3. Be kind to GroundHogs. Everyone starts as one.");
        } else if (!isNo(answer)) {
            return ask(Stage::Rules);
        }
        return ask(Stage::Strength);
    case Stage::Strength:
    case Stage::Stamina:
    case Stage::Dexterity: {
        int value = 0;
        const auto [end, error] = std::from_chars(answer.data(), answer.data() + answer.size(), value);
        if (error != std::errc() || end != answer.data() + answer.size() || value < 20 || value > 70)
            return ask(stage_);
        if (stage_ == Stage::Strength) {
            stats_[0] = value;
            return ask(Stage::Stamina);
        }
        if (stage_ == Stage::Stamina) {
            stats_[1] = value;
            return ask(Stage::Dexterity);
        }
        stats_[2] = value;
        sendLine(draft_.name + ", a " + std::string(wordsFor(draft_.gender).adjective) + " " + race_ +
                 ", strength " + std::to_string(stats_[0]) + ", stamina " + std::to_string(stats_[1]) +
                 ", dexterity " + std::to_string(stats_[2]) + ".");
        return ask(Stage::Confirm);
    }
    case Stage::Confirm:
        if (isYes(answer)) return makeCharacter();
        if (isNo(answer)) sendLine("Then let us start again.");
        return ask(isNo(answer) ? Stage::CharacterName : Stage::Confirm);
    default:
        return;
    }
}

// The game offers to play before it files the character, so a taken name is refused only after the offer.
// The refusal asks for another name at once: the client answers the offer before it reads the refusal,
// and only a further reply from us makes it read on.
void Session::makeCharacter() {
    sendLine("Your character is ready. Do you want to play now?");
    if (world_.nameTaken(draft_.name)) {
        sendLine("I'm sorry that name is not available.");
        ask(Stage::CharacterName);
        return;
    }
    account_->characters.push_back(draft_);
    enterGame(draft_);
    offerOpen_ = true;
}

void Session::enterGame(const Character& who) {
    character_ = who;
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

    // The game began with the offer to play; a plain yes or no right after it answers the offer.
    if (std::exchange(offerOpen_, false) && rest.empty()) {
        if (isYes(verb)) return sendLine("You are already here. Fly safe.");
        if (isNo(verb)) return quit();
    }

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
    else if (verb == "new" && equalsNoCase(rest, "character"))
        newCharacter();
    else if (verb == "help") {
        sendLine(
            "Commands: look, n ne e se s sw w nw, say TEXT, tell NAME TEXT, ex NAME, hug NAME, kiss NAME,");
        sendLine("buy round, qw, spynet notice, spynet report NAME, new character, quit.");
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
    const GenderWords words = wordsFor(p->who.gender);
    sendLine(p->who.titled() + " is a " + std::string(words.noun) + " in a patched flight suit, rank " +
             std::to_string(p->who.rank) + " of " + std::to_string(kRankCount - 1) + ".");
    sendLine(std::string(words.pronoun) + " is in the " + std::string(roomAt(p->room).name) + ".");
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

void Session::newCharacter() {
    sendLine("You step out of DataSpace to make a new character.");
    world_.leave(*this);
    ask(Stage::CharacterName);
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
