#include "World.h"

#include "Session.h"

#include <algorithm>
#include <array>

namespace orvdemo {

namespace {

constexpr std::array<Room, kRoomCount> kRooms{{
    {"Hangar Deck", "Battered freighters sit in their cradles, hulls ticking as they cool."},
    {"Cargo Bay", "Crates of ore and machine parts are stacked to the ceiling."},
    {"Customs Office", "A bored clerk stamps manifests behind a scratched plexiglass screen."},
    {"Trading Floor", "Price boards flicker with the latest quotes from a dozen planets."},
    {"Central Concourse", "The station's busy heart. Traders hurry past in every direction."},
    {"Starport Bar", "Low lights, loud music and the smell of something fried. A round costs 50 credits."},
    {"Repair Yard", "Welding torches flare around a freighter with a holed cargo pod."},
    {"Market Row", "Stalls sell spare parts, star charts and dubious souvenirs."},
    {"Observation Dome", "The planet turns slowly below, blue and white against the black."},
}};

// Column and row steps for north, northeast, east, southeast, south, southwest, west, northwest.
constexpr std::array<int, 8> kDx{0, 1, 1, 1, 0, -1, -1, -1};
constexpr std::array<int, 8> kDy{-1, -1, 0, 1, 1, 1, 0, -1};
constexpr std::array<std::string_view, 8> kDirections{"north", "northeast", "east", "southeast",
                                                      "south", "southwest", "west", "northwest"};

constexpr std::array<std::string_view, 30> kFirst{
    "Ar",  "Bel",  "Cor", "Dra", "El",  "Fen", "Gal", "Hal", "Ir",  "Jas", "Kel", "Lor", "Mar", "Nyx", "Or",
    "Pax", "Quin", "Ras", "Sol", "Tor", "Ul",  "Vex", "Wyn", "Xan", "Yor", "Zan", "Kai", "Ryn", "Tal", "Vor"};
constexpr std::array<std::string_view, 20> kSecond{"a",  "an", "ek", "ia",  "ion", "is",  "ix",
                                                   "or", "us", "yn", "ara", "eth", "ira", "ox",
                                                   "on", "el", "ar", "en",  "um",  "ys"};
constexpr std::array<std::string_view, 8> kThird{"dar", "mir", "ven", "tor", "lis", "sa", "rik", "wen"};

} // namespace

const Room& roomAt(int index) {
    return kRooms[static_cast<std::size_t>(std::clamp(index, 0, kRoomCount - 1))];
}

int roomTowards(int from, int direction) {
    const int x = from % 3 + kDx[static_cast<std::size_t>(direction)];
    const int y = from / 3 + kDy[static_cast<std::size_t>(direction)];
    return x < 0 || x > 2 || y < 0 || y > 2 ? -1 : y * 3 + x;
}

std::string_view directionName(int direction) {
    return kDirections[static_cast<std::size_t>(direction)];
}

std::string exitsOf(int room) {
    std::string text;
    for (int d = 0; d < 8; ++d) {
        if (roomTowards(room, d) < 0) continue;
        if (!text.empty()) text += ", ";
        text += directionName(d);
    }
    return text;
}

World::World(std::uint32_t seed) : random_(seed) {
    for (const auto& r : kRegulars)
        away_.push_back({std::string(r.name), r.rank, r.gender});
}

const OnlinePlayer* World::find(std::string_view name) const {
    auto it = std::find_if(online_.begin(), online_.end(),
                           [&](const OnlinePlayer& p) { return equalsNoCase(p.who.name, name); });
    return it == online_.end() ? nullptr : &*it;
}

const OnlinePlayer* World::find(const Session& session) const {
    auto it = std::find_if(online_.begin(), online_.end(),
                           [&](const OnlinePlayer& p) { return p.session == &session; });
    return it == online_.end() ? nullptr : &*it;
}

void World::enter(Session& session, const Character& who) {
    auto it = std::find_if(online_.begin(), online_.end(),
                           [&](const OnlinePlayer& p) { return equalsNoCase(p.who.name, who.name); });
    if (it != online_.end() && it->session) {
        Session* old = it->session;
        it->session = &session;
        old->evict();
        return;
    }
    online_.push_back({who, kStartRoom, &session});
    report(who, true, &session);
}

void World::leave(const Session& session) {
    auto it = std::find_if(online_.begin(), online_.end(),
                           [&](const OnlinePlayer& p) { return p.session == &session; });
    if (it == online_.end()) return;
    const Character who = it->who;
    online_.erase(it);
    report(who, false, &session);
}

void World::moveTo(const Session& session, int room) {
    for (auto& p : online_)
        if (p.session == &session) p.room = room;
}

void World::toRoom(int room, const Session* except, std::string_view line) {
    for (const auto& p : online_)
        if (p.session && p.session != except && p.room == room) p.session->deliver(line);
}

void World::report(const Character& who, bool entered, const Session* except) {
    std::string line = "SPYNET REPORT: " + who.titled() +
                       (entered ? " has entered Orvanta DataSpace." : " has left Orvanta DataSpace.");
    for (const auto& p : online_)
        if (p.session && p.session != except) p.session->spynetReport(line);
}

bool World::nameTaken(std::string_view name) const {
    return find(name) || accounts_.characterExists(name) ||
           std::any_of(away_.begin(), away_.end(),
                       [&](const Character& c) { return equalsNoCase(c.name, name); });
}

std::string World::freshName() {
    auto pick = [this](const auto& list) {
        return list[std::uniform_int_distribution<std::size_t>(0, list.size() - 1)(random_)];
    };
    for (int attempt = 0;; ++attempt) {
        std::string name(pick(kFirst));
        name += pick(kSecond);
        // Two syllables give 600 names, three some 5,000; past that a number keeps a huge crowd unique.
        if (online_.size() + away_.size() > 300 || std::uniform_int_distribution<int>(0, 3)(random_) == 0)
            name += pick(kThird);
        if (attempt >= 20) name += std::to_string(attempt);
        if (!nameTaken(name)) return name;
    }
}

void World::populate(int count) {
    for (std::size_t i = 0; i < kRegulars.size() && count > 0; i += 2, --count)
        toggleRegular(kRegulars[i]);
    for (int i = 0; i < count; ++i)
        simulateArrival();
}

void World::arrive(Character who) {
    const int room = std::uniform_int_distribution<int>(0, kRoomCount - 1)(random_);
    online_.push_back({std::move(who), room, nullptr});
    report(online_.back().who, true, nullptr);
}

void World::depart(std::size_t index) {
    away_.push_back(std::move(online_[index].who));
    online_.erase(online_.begin() + static_cast<std::ptrdiff_t>(index));
    report(away_.back(), false, nullptr);
}

void World::toggleRegular(const Regular& regular) {
    const auto on = std::find_if(online_.begin(), online_.end(), [&](const OnlinePlayer& p) {
        return !p.session && p.who.name == regular.name;
    });
    if (on != online_.end()) {
        depart(static_cast<std::size_t>(on - online_.begin()));
        return;
    }
    const auto off =
        std::find_if(away_.begin(), away_.end(), [&](const Character& c) { return c.name == regular.name; });
    if (off == away_.end()) return;
    Character who = std::move(*off);
    away_.erase(off);
    arrive(std::move(who));
}

void World::simulateArrival() {
    Character who;
    if (!away_.empty() && std::uniform_int_distribution<int>(0, 1)(random_) == 0) {
        auto it =
            away_.begin() + std::uniform_int_distribution<std::ptrdiff_t>(0, std::ssize(away_) - 1)(random_);
        who = std::move(*it);
        away_.erase(it);
    } else {
        who.name = freshName();
        // Most players are of low rank; the top titles are rare.
        const double u = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
        who.rank = std::min(kRankCount - 1, static_cast<int>(u * u * kRankCount));
        who.gender = std::uniform_int_distribution<int>(0, 1)(random_) ? Gender::Female : Gender::Male;
    }
    arrive(std::move(who));
}

void World::simulateDeparture() {
    std::vector<std::size_t> simulated;
    for (std::size_t i = 0; i < online_.size(); ++i)
        if (!online_[i].session) simulated.push_back(i);
    if (!simulated.empty())
        depart(simulated[std::uniform_int_distribution<std::size_t>(0, simulated.size() - 1)(random_)]);
}

void World::stepActivity(int target) {
    if (target > 0 && std::uniform_int_distribution<int>(0, 2)(random_) == 0) {
        toggleRegular(
            kRegulars[std::uniform_int_distribution<std::size_t>(0, kRegulars.size() - 1)(random_)]);
        return;
    }
    const int n = simulatedCount();
    double arrival = 0.5;
    if (n == 0)
        arrival = 1.0;
    else if (target <= 0)
        arrival = 0.0;
    else
        arrival = std::clamp(0.5 + 0.5 * (target - n) / target, 0.1, 0.9);
    if (std::bernoulli_distribution(arrival)(random_))
        simulateArrival();
    else
        simulateDeparture();
}

int World::simulatedCount() const {
    return static_cast<int>(
        std::count_if(online_.begin(), online_.end(), [](const OnlinePlayer& p) { return !p.session; }));
}

} // namespace orvdemo
