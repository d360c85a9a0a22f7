#include "ui/Codepage.h"

#include <QFile>
#include <QList>

#include <array>

namespace orv::ui {

namespace {

// 0x80-0x9F; 0 marks the undefined bytes, which keep their C1 code points.
constexpr std::array<char16_t, 32> High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char EncodeOne(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < High.size(); ++i) {
        const char32_t mapped = High[i] != 0 ? High[i] : 0x80 + i;
        if (mapped == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

void AppendCp1252(QString& out, std::string_view bytes) {
    out.reserve(out.size() + static_cast<qsizetype>(bytes.size()));
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b <= 0x9F && High[b - 0x80] != 0)
            out.append(QChar(High[b - 0x80]));
        else
            out.append(QChar(static_cast<char16_t>(b)));
    }
}

QString DecodeCp1252(std::string_view bytes) {
    QString out;
    AppendCp1252(out, bytes);
    return out;
}

std::string EncodeCp1252(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const uint c : text.toUcs4())
        out.push_back(EncodeOne(static_cast<char32_t>(c)));
    return out;
}

std::string FileName(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace orv::ui
