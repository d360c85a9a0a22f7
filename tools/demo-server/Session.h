#pragma once

#include "Accounts.h"
#include "TelnetInput.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace orvdemo {

class World;
struct OnlinePlayer;

// One connection's side of the dialogue: the log-on or new-account questions, then the game. It never
// touches a socket: bytes come in through receive(), leave through the writer, and the closer asks the
// owner to end the connection once what was written has gone out. The closer must not call back into the
// session at once.
//
// An account that has a character logs on into the game as the character it made last; one without (a
// new account whose character name was refused, or a seed made that way) is asked for a character right
// after its password. In the game, "new character" makes another one for the same account.
class Session {
  public:
    using Writer = std::function<void(std::string_view bytes)>;
    using Closer = std::function<void()>;

    Session(World& world, Writer write, Closer close);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The telnet option requests, the banner and the first prompt.
    void start();
    void receive(std::string_view bytes);
    // The connection is gone: a player in the game leaves it, reported like a quit.
    void hangUp();

    // From the world: a line for this player, shown only in the game; a SpyNet report, shown only when
    // notices are on; another connection has taken this session's character.
    void deliver(std::string_view line);
    void spynetReport(std::string_view line);
    void evict();

    bool playing() const { return stage_ == Stage::Playing; }
    bool noticesOn() const { return notices_; }
    const std::string& terminalType() const { return input_.terminalType(); }

  private:
    // Each stage but Playing and Closed is a question and reads one line as its answer. Answers may come
    // ahead of their questions (the client sends several at once); they simply wait their turn.
    enum class Stage {
        Login,
        Password,
        // A new account, after "new" at the log-on prompt.
        AccountName,
        AccountPassword,
        AccountPasswordAgain,
        AccountEmail,
        // A character, for a new account, an account that has none, or the game command "new character".
        CharacterName,
        Race,
        GenderLetter,
        Rules,
        Strength,
        Stamina,
        Dexterity,
        Confirm,
        Playing,
        Closed
    };

    bool onLine(std::string_view line);
    void ask(Stage stage);
    void onLogin(std::string_view line);
    void onPassword(std::string_view line);
    void onNewAccount(std::string_view answer);
    void onNewCharacter(std::string_view answer);
    void makeCharacter();
    void enterGame(const Character& who);
    void onCommand(std::string_view line);

    void look();
    void move(int direction);
    void say(std::string_view text);
    void tell(std::string_view args);
    void examine(std::string_view name);
    void social(std::string_view verb, std::string_view name);
    void buyRound();
    void spynet(std::string_view args);
    void quickWho();
    void newCharacter();
    void quit();

    // Finds a player on line for a command, or says that there is none and returns null.
    const OnlinePlayer* target(std::string_view name, std::string_view question);
    int room() const;
    void send(std::string_view bytes);
    void sendLine(std::string_view line);
    void close();

    World& world_;
    Writer write_;
    Closer close_;
    TelnetInput input_;
    Stage stage_ = Stage::Login;
    std::string loginName_;
    Account* account_ = nullptr;               // once logged on, or opened
    std::string newAccountName_, newPassword_; // until the e-mail address completes the account
    Character draft_;                          // the character being made, its race and stats
    std::string race_;
    std::array<int, 3> stats_{}; // strength, stamina, dexterity
    Character character_;
    bool notices_ = false;
    bool offerOpen_ = false; // the offer to play was made; the next line may answer it
};

} // namespace orvdemo
