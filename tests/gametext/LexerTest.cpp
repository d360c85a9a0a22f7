#include "gametext/Lexer.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

TEST(Lexer, SplitsAtRunsOfDelimitersIntoItsOwnCopiesOfTheLineCutToItsLimit) {
    Lexer lexer;
    std::string line = "  Zed has  has left ";
    EXPECT_EQ(lexer.Tokenize(line, " "), 4);
    line.assign(line.size(), '#'); // the caller's buffer is reused for the next line
    EXPECT_EQ(lexer.Token(3), "left");
    EXPECT_EQ(lexer.FindToken("has"), 1);
    EXPECT_EQ(lexer.FindToken("Has"), -1);
    EXPECT_EQ(lexer.Token(4), Lexer::OutOfBounds);
    EXPECT_EQ(lexer.Token(-1), Lexer::OutOfBounds);

    EXPECT_EQ(lexer.Tokenize("a\tb c\r ", " "), 2); // only the delimiters given split
    EXPECT_EQ(lexer.Token(0), "a\tb");
    EXPECT_EQ(lexer.Tokenize("a,b; c", ",; "), 3);
    EXPECT_EQ(lexer.Tokenize(std::string_view("a b\0c d", 7), " "), 2); // a zero byte ends the line
    EXPECT_EQ(lexer.Tokenize("   ", " "), 0);                           // nothing of the last line is left
    EXPECT_EQ(lexer.FindToken("a"), -1);

    // An overlong line is cut before it is split.
    EXPECT_EQ(lexer.Tokenize(std::string(40000, 'x'), " "), 1);
    EXPECT_EQ(lexer.Token(0).size(), Lexer::LineLimit);
    EXPECT_EQ(lexer.Tokenize(std::string(Lexer::LineLimit - 2, ' ') + "abcd", " "), 1);
    EXPECT_EQ(lexer.Token(0), "ab");
}

} // namespace
} // namespace orv::test
