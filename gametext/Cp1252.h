#pragma once

namespace orv {

// Letters, digits and letter case of single bytes in the game's code page, Windows-1252, as its
// Western European locale classifies them, so that the code page's accented letters count as
// letters and change case.
bool IsLetter1252(char c);
// The superscripts one, two and three count as digits too.
bool IsDigit1252(char c);
// Letters whose other case is not in the code page (ß, µ, ƒ, ª, º) stay as they are.
char ToLower1252(char c);
char ToUpper1252(char c);

} // namespace orv
