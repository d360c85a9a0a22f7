#include "gametext/Lexer.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

TEST(Lexer, VocabularyIsExactAndEachRankHasBothTitles) {
    // clang-format off
    for (auto [word, cls] : {std::pair{">qw", 0}, {"OK", 1}, {"OFF.", 3}, {"REPORT:", 5}, {"DataSpace.", 6},
                             {"entered", 12}, {"Spaceways", 19}, {"Duchess", 39}, {"OK,", -1}, {"ok", -1},
                             {"DataSpace", -1}, {"Index out of bounds", -1}, {"", -1}})
        EXPECT_EQ(Lexer::WordClass(word), cls) << word;
    for (auto [title, rank] : {std::pair{"GroundHog", 0}, {"Adventurer", 3}, {"Adventureuse", 3}, {"Maitreuse", 7},
                               {"Baroness", 13}, {"Duke", 14}, {"Duchess", 14}})
        EXPECT_EQ(Lexer::RankOfClass(Lexer::WordClass(title)), rank) << title;
    // clang-format on
    for (int notATitle : {-1, 5, 19, 40})
        EXPECT_FALSE(Lexer::RankOfClass(notATitle));
}

TEST(Lexer, SplitsAtRunsOfDelimitersIntoItsOwnCopies) {
    Lexer lexer;
    std::string line = "  a  b  ";
    EXPECT_EQ(lexer.Tokenize(line, " "), 2);
    line.assign(line.size(), '#'); // the caller's buffer is reused for the next line
    EXPECT_EQ(lexer.Token(1), "b");
    EXPECT_EQ(lexer.Token(2), "Index out of bounds");
    EXPECT_EQ(lexer.Token(-1), "Index out of bounds");

    EXPECT_EQ(lexer.Tokenize("a\tb c\r ", " "), 2); // only the delimiters given split
    EXPECT_EQ(lexer.Token(0), "a\tb");
    EXPECT_EQ(lexer.Tokenize("a,b; c", ",; "), 3);
    EXPECT_EQ(lexer.Tokenize(std::string_view("a b\0c d", 7), " "), 2); // a zero byte ends the line

    lexer.Tokenize("Zed has has left ", " ");
    EXPECT_EQ(lexer.FindToken("has"), 1);
    EXPECT_EQ(lexer.FindToken("Has"), -1);

    EXPECT_EQ(lexer.Tokenize("   ", " "), 0); // nothing of the previous line is left
    EXPECT_EQ(lexer.Token(0), "Index out of bounds");
    EXPECT_EQ(lexer.FindToken("Zed"), -1);
}

TEST(Lexer, OverlongLineIsCutBeforeItIsSplit) {
    Lexer lexer;
    EXPECT_EQ(lexer.Tokenize(std::string(40000, 'x'), " "), 1);
    EXPECT_EQ(lexer.Token(0).size(), Lexer::LineLimit);
    EXPECT_EQ(lexer.Tokenize(std::string(Lexer::LineLimit - 2, ' ') + "abcd", " "), 1);
    EXPECT_EQ(lexer.Token(0), "ab");
}

} // namespace
} // namespace orv::test
