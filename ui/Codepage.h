#pragma once

#include <QString>

#include <string>
#include <string_view>

// The game speaks Windows-1252. The core keeps bytes; the window converts at its edges only.
namespace orv::ui {

// Bytes to Unicode by the Windows-1252 table; the five bytes that table leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become their C1 code points, so every byte round-trips.
QString DecodeCp1252(std::string_view bytes);
void AppendCp1252(QString& out, std::string_view bytes);

// Unicode to bytes; a character outside the code page becomes '?' (one per character, also for
// characters outside the basic plane).
std::string EncodeCp1252(const QString& text);

// A file's path as the system takes it (the local 8-bit encoding, not the game's code page).
std::string FileName(const QString& path);

} // namespace orv::ui
