#include "Foes.h"

#include "Lexer.h"
#include "Players.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace orv {

FriendsAndFoes::FriendsAndFoes() {
    names_.reserve(24);
}

bool FriendsAndFoes::IsFriendOrFoe(std::string_view name) const {
    return std::find(names_.begin(), names_.end(), name) != names_.end();
}

bool FriendsAndFoes::RankAlert(int wordClass) const {
    const auto rank = Lexer::RankOfClass(wordClass);
    return rank && (mask_ & (1 << *rank)) != 0;
}

void FriendsAndFoes::AddListedOnline(const PlayerRoster& roster, PlayerListView& list) const {
    for (const auto& name : names_)
        if (roster.IsOnline(name)) list.AddRow(name);
}

void FriendsAndFoes::SetNames(std::vector<std::string> names) {
    for (auto& name : names)
        if (name.size() > NameLimit) name.resize(NameLimit);
    names_ = std::move(names);
}

std::vector<std::string> LoadFriends(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::ifstream file(folder / FriendsFileName, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // A zero byte ends an entry, as it would have in the fixed buffers the file was made for.
        line.resize(std::min({line.size(), FriendsAndFoes::NameLimit, line.find('\0')}));
        names.push_back(line);
    }
    return names;
}

namespace {

std::FILE* OpenForWriting(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"w"); // text mode: "\n" is written as CR LF
#else
    return std::fopen(path.c_str(), "w");
#endif
}

// Puts the file's bytes on the disk before it replaces the old list.
bool SyncToDisk(std::FILE* file) {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

std::filesystem::path TemporaryNameFor(const std::filesystem::path& target) {
    // A random suffix, so two clients started in one folder do not write into one temporary file.
    static std::mt19937_64 random{std::random_device{}()};
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%016llx", static_cast<unsigned long long>(random()));
    std::filesystem::path name = target;
    name += suffix;
    return name;
}

} // namespace

bool SaveFriends(const std::filesystem::path& folder, const std::vector<std::string>& names) {
    const std::filesystem::path target = folder / FriendsFileName;
    const std::filesystem::path temporary = TemporaryNameFor(target);

    std::FILE* file = OpenForWriting(temporary);
    if (file == nullptr) return false;
    bool written = true;
    for (const auto& name : names) {
        written = written && std::fwrite(name.data(), 1, name.size(), file) == name.size();
        written = written && std::fputc('\n', file) != EOF;
    }
    written = written && std::fflush(file) == 0 && SyncToDisk(file);
    written = std::fclose(file) == 0 && written;

    std::error_code error;
    if (written) std::filesystem::rename(temporary, target, error);
    if (!written || error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

namespace {

// Windows-1252 letters outside ASCII whose other case is also in the code page. The Latin-1 block
// pairs 0xC0-0xDE with 0xE0-0xFE, except the multiplication and division signs; the 0x80-0x9F
// block adds four pairs. ß and µ have no single-byte upper case and stay as they are.
unsigned char Lower(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A:
        return 0x9A; // Š
    case 0x8C:
        return 0x9C; // Œ
    case 0x8E:
        return 0x9E; // Ž
    case 0x9F:
        return 0xFF; // Ÿ
    default:
        return c;
    }
}

unsigned char Upper(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<unsigned char>(c - 32);
    switch (c) {
    case 0x9A:
        return 0x8A;
    case 0x9C:
        return 0x8C;
    case 0x9E:
        return 0x8E;
    case 0xFF:
        return 0x9F;
    default:
        return c;
    }
}

} // namespace

std::string CapitaliseName(std::string_view typed) {
    std::string name(typed);
    for (char& c : name)
        c = static_cast<char>(Lower(static_cast<unsigned char>(c)));
    if (!name.empty()) name[0] = static_cast<char>(Upper(static_cast<unsigned char>(name[0])));
    return name;
}

} // namespace orv
