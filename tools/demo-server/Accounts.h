#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace orvdemo {

enum class Gender { Male, Female };

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
    std::string_view character;
    int rank;
    Gender gender;
};

// The accounts every demo server starts with. Account names match in any case, passwords exactly.
inline constexpr std::array<SeedAccount, 4> kSeedAccounts{{
    {"demo", "demo", "Zed", 2, Gender::Male},          // Captain Zed
    {"kx1234", "secret", "Nova", 3, Gender::Female},   // Adventureuse Nova
    {"vesper", "stars", "Vesper", 14, Gender::Female}, // Duchess Vesper: a top rank for rank alerts
    {"rookie", "rookie", "Pip", 0, Gender::Male},      // GroundHog Pip
}};

// The server's accounts, in memory only. New accounts will be added here by the creation dialogue.
class AccountBook {
  public:
    AccountBook();

    // The account's character when the pair is right, else null.
    const Character* logOn(std::string_view account, std::string_view password) const;
    // True when a character of some account already has this name (in any case).
    bool characterExists(std::string_view name) const;

  private:
    struct Account {
        std::string id;
        std::string password;
        Character character;
    };
    std::vector<Account> accounts_;
};

bool equalsNoCase(std::string_view a, std::string_view b);

} // namespace orvdemo
