#pragma once

#include "Accounts.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace orvdemo {

class Session;

// The station is a 3 by 3 grid of rooms; real players start in the middle one.
struct Room {
    std::string_view name;
    std::string_view description;
};
inline constexpr int kRoomCount = 9;
inline constexpr int kStartRoom = 4;
const Room& roomAt(int index);
// Directions 0..7 are north, northeast, east, ... northwest. Returns the room reached, or -1 for a wall.
int roomTowards(int from, int direction);
std::string_view directionName(int direction);
std::string exitsOf(int room); // "north, east, south"

// Simulated players who come and go far more often than the crowd, so that a player soon meets the same
// names again and has someone worth marking as a friend or a foe. Their names are never free for others.
struct Regular {
    std::string_view name;
    int rank;
    Gender gender;
};
inline constexpr std::array<Regular, 6> kRegulars{{
    {"Avalon", 13, Gender::Female}, // Baroness
    {"Orin", 2, Gender::Male},      // Captain
    {"Kestrel", 7, Gender::Female}, // Maitreuse
    {"Tarquin", 14, Gender::Male},  // Duke
    {"Mira", 6, Gender::Female},    // Journeywoman
    {"Brannoc", 3, Gender::Male},   // Adventurer
}};

struct OnlinePlayer {
    Character who;
    int room = kStartRoom;
    Session* session = nullptr; // null for a simulated player
};

// Everyone on line, real and simulated, with the accounts they log on to. Arrivals and departures are
// reported here, to every real player who has SpyNet notices on, whoever caused them.
class World {
  public:
    explicit World(std::uint32_t seed);

    AccountBook& accounts() { return accounts_; }
    // In order of arrival, which is the order of the quick-who list.
    const std::vector<OnlinePlayer>& online() const { return online_; }
    const OnlinePlayer* find(std::string_view name) const; // in any case
    const OnlinePlayer* find(const Session& session) const;

    // Real players. A session already playing the same character is evicted without a report: the
    // character never left.
    void enter(Session& session, const Character& who);
    void leave(const Session& session);
    void moveTo(const Session& session, int room);
    // A line for every real player in a room but one.
    void toRoom(int room, const Session* except, std::string_view line);

    // True when a new character may not take this name (in any case): a character of some account, anyone
    // on line, a simulated player who left and may come back, or a regular.
    bool nameTaken(std::string_view name) const;

    // Simulated players. populate() is for the start, before anyone is there to hear of them; it brings
    // every other regular on line first.
    void populate(int count);
    // One tick of background life: someone arrives or leaves, drifting towards target simulated players;
    // about one tick in three it is a regular.
    void stepActivity(int target);
    std::mt19937& random() { return random_; }

  private:
    void report(const Character& who, bool entered, const Session* except);
    std::string freshName();
    void arrive(Character who);
    void depart(std::size_t index);
    void simulateArrival();
    void simulateDeparture(); // nothing when no simulated player is on line
    int simulatedCount() const;
    void toggleRegular(const Regular& regular);

    AccountBook accounts_;
    std::vector<OnlinePlayer> online_;
    std::vector<Character> away_; // simulated players who left and may come back, regulars included
    std::mt19937 random_;
};

} // namespace orvdemo
