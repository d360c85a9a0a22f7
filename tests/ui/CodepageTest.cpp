#include "ui/Codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using namespace orv::ui;

TEST(Codepage, EveryByteRoundTripsAndWhatTheCodePageLacksBecomesOneQuestionMarkEach) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const QString decoded = DecodeCp1252(all);
    ASSERT_EQ(decoded.size(), 256);
    EXPECT_EQ(EncodeCp1252(decoded), all);
    // The high controls are not Latin-1, except 0x81, which the code page leaves undefined.
    for (auto [byte, unicode] :
         {std::pair{0x80, 0x20AC}, {0x92, 0x2019}, {0x9F, 0x0178}, {0x81, 0x0081}, {0xE9, 0x00E9}})
        EXPECT_EQ(decoded[byte], QChar(unicode)) << byte;

    EXPECT_EQ(EncodeCp1252(QString::fromUtf8("a\u4e16b\U0001F600c\u0080")), "a?b?c?");
    EXPECT_EQ(EncodeCp1252(QString::fromUtf8("\u201cok\u201d \u2026")), "\x93ok\x94 \x85");
}
