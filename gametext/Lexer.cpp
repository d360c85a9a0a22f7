#include "gametext/Lexer.h"

#include <algorithm>

namespace orv {

namespace {

// In class order: a word's position is its class.
constexpr std::array<std::string_view, Lexer::VocabularySize> Vocabulary = {
    ">qw",          "OK",      "Notice",     "OFF.",         "SPYNET",    "REPORT:",   "DataSpace.",
    "Drovantium",   "Kesska",  "Morrix",     "Tolb",         "Subject",   "entered",   "No",
    "comm",         "relays",  "crackles",   "The",          "spaceways", "Spaceways", "GroundHog",
    "Commander",    "Captain", "Adventurer", "Adventureuse", "Trader",    "Merchant",  "Journeyman",
    "Journeywoman", "Master",  "Maitreuse",  "Explorer",     "Squire",    "Thane",     "Industrialist",
    "Technocrat",   "Baron",   "Baroness",   "Duke",         "Duchess"};

// Rank of each title from class 20 on; the female titles share their male title's rank.
constexpr std::array<int, 20> RankOfTitle = {0, 1, 2, 3,  3,  4,  5,  6,  6,  7,
                                             7, 8, 9, 10, 11, 12, 13, 13, 14, 14};

struct Entry {
    std::string_view word;
    int wordClass;
};

// The vocabulary in byte order, for a binary search that needs no allocation.
constexpr std::array<Entry, Lexer::VocabularySize> SortedVocabulary = [] {
    std::array<Entry, Lexer::VocabularySize> entries{};
    for (int i = 0; i < Lexer::VocabularySize; ++i)
        entries[static_cast<std::size_t>(i)] = {Vocabulary[static_cast<std::size_t>(i)], i};
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.word < b.word; });
    return entries;
}();

} // namespace

Lexer::Lexer() {
    line_.reserve(LineLimit);
    words_.reserve(64);
}

int Lexer::Tokenize(std::string_view line, std::string_view delimiters) {
    words_.clear();
    line_.assign(line.substr(0, std::min({line.size(), LineLimit, line.find('\0')})));

    delimiters = delimiters.substr(0, delimiters.find('\0'));
    if (delimiters != delimiters_) { // every caller passes " ", so this is built once
        delimiters_.assign(delimiters);
        delimiter_.fill(false);
        for (char c : delimiters)
            delimiter_[static_cast<unsigned char>(c)] = true;
    }

    const auto isDelimiter = [this](char c) { return delimiter_[static_cast<unsigned char>(c)]; };
    const std::size_t size = line_.size();
    std::size_t at = 0;
    while (at < size) {
        while (at < size && isDelimiter(line_[at]))
            ++at;
        if (at == size) break;
        const std::size_t begin = at;
        while (at < size && !isDelimiter(line_[at]))
            ++at;
        words_.push_back({static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(at - begin)});
    }
    return TokenCount();
}

std::string_view Lexer::Token(int position) const {
    if (position < 0 || position >= TokenCount()) return OutOfBounds;
    const Span span = words_[static_cast<std::size_t>(position)];
    return std::string_view(line_).substr(span.begin, span.size);
}

int Lexer::FindToken(std::string_view word) const {
    for (int i = 0; i < TokenCount(); ++i)
        if (Token(i) == word) return i;
    return -1;
}

int Lexer::WordClass(std::string_view word) {
    const auto it = std::lower_bound(SortedVocabulary.begin(), SortedVocabulary.end(), word,
                                     [](const Entry& e, std::string_view w) { return e.word < w; });
    return it != SortedVocabulary.end() && it->word == word ? it->wordClass : wordclass::None;
}

std::optional<int> Lexer::RankOfClass(int wordClass) {
    if (wordClass < wordclass::FirstRankTitle || wordClass > wordclass::LastRankTitle) return std::nullopt;
    return RankOfTitle[static_cast<std::size_t>(wordClass - wordclass::FirstRankTitle)];
}

} // namespace orv
