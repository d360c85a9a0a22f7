#pragma once

#include <array>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace orvdemo {

// Neuter characters carry the common (male) title: the game has no third form.
enum class Gender { Male, Female, Neuter };

// The game's ranks run from 0 to 14; each has a title for each gender. Every title is one word, because
// the client finds the rank as the word just before the name in a SpyNet report.
inline constexpr int kRankCount = 15;
std::string_view rankTitle(int rank, Gender gender);

struct Character {
    std::string name;
    int rank = 0;
    Gender gender = Gender::Male;

    std::string_view title() const { return rankTitle(rank, gender); }
    std::string titled() const; // "Captain Zed"
};

struct SeedAccount {
    std::string_view account;
    std::string_view password;
    std::string_view character; // empty: the account has no character yet
    int rank;
    Gender gender;
};

// The accounts every demo server starts with. Account names match in any case, passwords exactly.
inline constexpr std::array<SeedAccount, 5> kSeedAccounts{{
    {"demo", "demo", "Zed", 2, Gender::Male},          // Captain Zed
    {"kx1234", "secret", "Nova", 3, Gender::Female},   // Adventureuse Nova
    {"vesper", "stars", "Vesper", 14, Gender::Female}, // Duchess Vesper: a top rank for rank alerts
    {"rookie", "rookie", "Pip", 0, Gender::Male},      // GroundHog Pip
    {"newbie", "firstflight", "", 0, Gender::Male},    // logging on asks for a first character
}};

struct Account {
    std::string id;
    std::string password;
    std::string email;
    std::vector<Character> characters; // in the order made; logging on plays the last one
};

// The server's accounts, in memory only: the seeds and every account opened while the server runs.
// Accounts are never removed, so a pointer to one stays valid for the book's life.
class AccountBook {
  public:
    AccountBook();

    // The account when the pair is right, else null.
    Account* logOn(std::string_view account, std::string_view password);
    // Null when the name is in use (in any case) or is the word that starts an account at the log-on prompt.
    Account* open(std::string_view id, std::string_view password, std::string_view email);
    // True when a character of some account already has this name (in any case).
    bool characterExists(std::string_view name) const;

  private:
    std::deque<Account> accounts_;
};

bool equalsNoCase(std::string_view a, std::string_view b);

} // namespace orvdemo
