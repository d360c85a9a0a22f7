#include "gametext/Cp1252.h"

#include <array>
#include <cstdint>

namespace orv {

namespace {

struct CharInfo {
    bool Letter = false;
    bool Digit = false;
    unsigned char Lower = 0;
    unsigned char Upper = 0;
};

// Upper and lower case pairs outside ASCII in the 0x80-0x9F block: Š Œ Ž Ÿ.
constexpr std::array<std::array<unsigned char, 2>, 4> ExtraPairs{
    {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}}};

constexpr std::array<CharInfo, 256> MakeTable() {
    std::array<CharInfo, 256> table{};
    for (int b = 0; b < 256; ++b) {
        auto& info = table[static_cast<std::size_t>(b)];
        info.Lower = info.Upper = static_cast<unsigned char>(b);
        info.Digit = (b >= '0' && b <= '9') || b == 0xB2 || b == 0xB3 || b == 0xB9;
        // 0xC0 to 0xFF are accented letters but for the multiplication and division signs.
        info.Letter =
            (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= 0xC0 && b != 0xD7 && b != 0xF7);
        // The Latin-1 block pairs 0xC0-0xDE with 0xE0-0xFE; ß (0xDF) has no single-byte upper case.
        if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
            info.Lower = static_cast<unsigned char>(b + 32);
        if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
            info.Upper = static_cast<unsigned char>(b - 32);
    }
    // ƒ, ª, µ, º: letters without a case partner.
    for (unsigned char b : {0x83, 0xAA, 0xB5, 0xBA})
        table[b].Letter = true;
    for (const auto& [upper, lower] : ExtraPairs) {
        table[upper].Letter = table[lower].Letter = true;
        table[upper].Lower = lower;
        table[lower].Upper = upper;
    }
    return table;
}

constexpr std::array<CharInfo, 256> Table = MakeTable();

const CharInfo& Info(char c) {
    return Table[static_cast<unsigned char>(c)];
}

} // namespace

bool IsLetter1252(char c) {
    return Info(c).Letter;
}

bool IsDigit1252(char c) {
    return Info(c).Digit;
}

char ToLower1252(char c) {
    return static_cast<char>(Info(c).Lower);
}

char ToUpper1252(char c) {
    return static_cast<char>(Info(c).Upper);
}

} // namespace orv
