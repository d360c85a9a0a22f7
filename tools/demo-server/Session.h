#pragma once

#include "Accounts.h"
#include "TelnetInput.h"

#include <functional>
#include <string>
#include <string_view>

namespace orvdemo {

class World;
struct OnlinePlayer;

// One connection's side of the dialogue: the log-on questions, then the game. It never touches a socket:
// bytes come in through receive(), leave through the writer, and the closer asks the owner to end the
// connection once what was written has gone out. The closer must not call back into the session at once.
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
    // New-account creation will add its questions as stages between Login and Playing, entered from
    // Login on the answer "new"; each stage reads one line.
    enum class Stage { Login, Password, Playing, Closed };

    bool onLine(std::string_view line);
    void onLogin(std::string_view line);
    void onPassword(std::string_view line);
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
    std::string account_;
    Character character_;
    bool notices_ = false;
};

} // namespace orvdemo
