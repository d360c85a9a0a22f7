#include "gametext/Cp1252.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

// Case changes stay among letters and come back: a byte that changes case is a letter, and its
// other case changes back to it. Digits are never letters.
TEST(Cp1252, CaseChangesAreLetterPairsThatRoundTrip) {
    int pairs = 0;
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        if (ToLower1252(c) != c) {
            ++pairs;
            EXPECT_TRUE(IsLetter1252(c) && IsLetter1252(ToLower1252(c))) << b;
            EXPECT_EQ(ToUpper1252(ToLower1252(c)), c) << b;
        }
        if (ToUpper1252(c) != c) {
            EXPECT_EQ(ToLower1252(ToUpper1252(c)), c) << b;
        }
        EXPECT_FALSE(IsDigit1252(c) && IsLetter1252(c)) << b;
    }
    EXPECT_EQ(pairs, 26 + 30 + 4); // ASCII, the Latin-1 block without the multiplication sign, and Š Œ Ž Ÿ
    EXPECT_TRUE(IsDigit1252('\xb2') && IsLetter1252('\xdf') && IsLetter1252('\x83'));
    EXPECT_FALSE(IsLetter1252('\xd7') || IsLetter1252('\x80') || IsLetter1252('_'));
}

} // namespace
} // namespace orv::test
