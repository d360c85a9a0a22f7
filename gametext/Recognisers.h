#pragma once

#include <string_view>

namespace orv {

class FriendsAndFoes;
class Lexer;
class PlayerRoster;

// TotalPanel caption while the who-list is read.
inline constexpr std::string_view QuickWhoCaption = "Quick Who";
// Commands the set-up sends on its own.
inline constexpr std::string_view SpyNetToggleCommand = "spynet notice\n";
inline constexpr std::string_view QuickWhoCommand = "qw\n";

// What the recognisers need from the window. ShowLine and SendText have the text processor's host's
// signatures, so a window implementing both overrides each once.
class GameLineHost {
  public:
    virtual void ShowLine(std::string_view line) = 0;
    virtual void SendText(std::string_view bytes) = 0;
    // The set-up exchange after log-on is under way (SpyNet notices being switched on).
    virtual bool SettingUp() const = 0;
    // The echo of the set-up's quick-who command came: the lines that follow are the who-list.
    virtual void WhoListStarted() = 0;
    // The check marks of the Player List and SpyNet Notices options.
    virtual bool PlayerListTicked() const = 0;
    virtual bool SpyNetNoticesTicked() const = 0;
    virtual void UpdateCaption() = 0;
    // Same signature as PlayerListView's: both write the one TotalPanel caption.
    virtual void SetTotalCaption(std::string_view caption) = 0;
    // The set-up is over: back to ordinary play; the input pane emptied and made editable, and the
    // Player List option enabled.
    virtual void FinishSetup() = 0;
    // Plays StartDir's alert.wav without waiting for it to end.
    virtual void PlayAlert() = 0;

  protected:
    ~GameLineHost() = default;
};

// The two readers of game lines, each given one line as the text processor hands it on (without
// its line end, one space appended). The line classifier takes the lines of Normal and Setup that
// are not blank: it finishes the set-up exchange, keeps the roster current from SpyNet reports and
// raises the alerts, and shows or hides each line. The who-list reader takes the lines of WhoList.
// Both tokenise with the text processor's lexer and keep no state of their own.
class LineRecognisers {
  public:
    LineRecognisers(GameLineHost& host, PlayerRoster& roster, const FriendsAndFoes& foes)
        : host_(host), roster_(roster), foes_(foes) {}

    void ClassifyLine(Lexer& lexer, std::string_view line);
    void ReadWhoLine(Lexer& lexer, std::string_view line);

  private:
    void QuickWhoEcho(std::string_view line);
    void NoticeReply(const Lexer& lexer, std::string_view line);
    void SpyNetReport(const Lexer& lexer, std::string_view line);

    GameLineHost& host_;
    PlayerRoster& roster_;
    const FriendsAndFoes& foes_;
};

} // namespace orv
