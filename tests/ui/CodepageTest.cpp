#include "ui/Codepage.h"

#include <gtest/gtest.h>

#include <string>

using orv::ui::DecodeCp1252;
using orv::ui::EncodeCp1252;

TEST(Codepage, EveryByteRoundTripsAndTheHighControlsAreNotLatin1) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const QString decoded = DecodeCp1252(all);
    ASSERT_EQ(decoded.size(), 256);
    EXPECT_EQ(EncodeCp1252(decoded), all);

    EXPECT_EQ(decoded[0x80], QChar(0x20AC));
    EXPECT_EQ(decoded[0x92], QChar(0x2019));
    EXPECT_EQ(decoded[0x9F], QChar(0x0178));
    EXPECT_EQ(decoded[0x81], QChar(0x0081)); // undefined in the code page
    EXPECT_EQ(decoded[0xE9], QChar(0x00E9));
}

TEST(Codepage, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
    EXPECT_EQ(EncodeCp1252(QString::fromUtf8("a\u4e16b\U0001F600c\u0080")), "a?b?c?");
    EXPECT_EQ(EncodeCp1252(QString::fromUtf8("\u201cok\u201d \u2026")), "\x93ok\x94 \x85");
}
