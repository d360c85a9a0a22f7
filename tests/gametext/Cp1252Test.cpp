#include "gametext/Cp1252.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

// Case changes stay among letters and come back: a byte that changes case is a letter, and its
// other case changes back to it. Digits are never letters.
TEST(Cp1252, CaseChangesAreLetterPairsThatRoundTrip) {
    int pairs = 0;
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b), lower = ToLower1252(c), upper = ToUpper1252(c);
        pairs += lower != c;
        EXPECT_TRUE(lower == c || (IsLetter1252(c) && IsLetter1252(lower) && ToUpper1252(lower) == c)) << b;
        EXPECT_TRUE(upper == c || ToLower1252(upper) == c) << b;
        EXPECT_FALSE(IsDigit1252(c) && IsLetter1252(c)) << b;
    }
    EXPECT_EQ(pairs, 26 + 30 + 4); // ASCII, the Latin-1 block without the multiplication sign, and Š Œ Ž Ÿ
    // Letters without a partner in the other case are letters still; the signs among them are not.
    for (const char letter : {'\xdf', '\xb5', '\x83', '\xaa'})
        EXPECT_TRUE(IsLetter1252(letter)) << int(letter);
    for (const char sign : {'\x80', '\xd7', '\xf7', '\xa9', '_', '\xb2'})
        EXPECT_FALSE(IsLetter1252(sign)) << int(sign);
    EXPECT_TRUE(IsDigit1252('\xb2'));
}

} // namespace
} // namespace orv::test
