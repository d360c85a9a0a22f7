#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// Word classes the recognisers test, by their place in the vocabulary.
namespace wordclass {
inline constexpr int None = -1;        // a word outside the vocabulary
inline constexpr int QuickWhoEcho = 0; // ">qw"
inline constexpr int Ok = 1;           // "OK"
inline constexpr int Notice = 2;       // "Notice"
inline constexpr int Off = 3;          // "OFF."
inline constexpr int Spynet = 4;       // "SPYNET"
inline constexpr int DataSpace = 6;    // "DataSpace."
inline constexpr int Entered = 12;     // "entered"
inline constexpr int FirstRankTitle = 20;
inline constexpr int LastRankTitle = 39;
} // namespace wordclass

// Splits one line of game text into words and knows the 40 words the client cares about. The
// words of the last line stay valid until the next Tokenize; the buffers are reused, so
// tokenising does not allocate once the longest line so far has been seen.
class Lexer {
  public:
    // Lines are cut to this many characters before they are split.
    static constexpr std::size_t LineLimit = 32767;
    static constexpr int VocabularySize = 40;
    // What Token gives for a position that holds no word; callers ask for fixed positions
    // without testing the count, so this must match no vocabulary word.
    static constexpr std::string_view OutOfBounds = "Index out of bounds";

    Lexer();

    // Splits the line at any run of delimiter characters and returns the number of words. A zero
    // byte ends the line and the delimiter set, as it would a C string.
    int Tokenize(std::string_view line, std::string_view delimiters);
    int TokenCount() const { return static_cast<int>(words_.size()); }
    // The word at position (from 0) of the last line, or OutOfBounds.
    std::string_view Token(int position) const;
    // Position of the first word exactly equal to word, or -1.
    int FindToken(std::string_view word) const;

    // The word's class 0..39, or wordclass::None; exact, case-sensitive, punctuation included.
    static int WordClass(std::string_view word);
    // The rank number of a rank title's class (20..39), nothing for any other class.
    static std::optional<int> RankOfClass(int wordClass);

  private:
    struct Span {
        std::uint32_t begin;
        std::uint32_t size;
    };

    std::string line_; // the last line, cut to LineLimit; the words point into it
    std::vector<Span> words_;
    std::string delimiters_; // the set delimiter_ was built from
    std::array<bool, 256> delimiter_{};
};

} // namespace orv
