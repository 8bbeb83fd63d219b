#pragma once
// Small text helpers over Windows-1250 byte strings. Letter-case rules here are ASCII only, as
// the keywords, class names and INI names they serve are ASCII.

#include <string>
#include <string_view>

namespace panolcd {

char AsciiUpper(char c);
std::string AsciiUpper(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);
int CompareTextAscii(std::string_view a, std::string_view b);
// Dictionary order of Windows-1250 texts for lists the user reads: letter case ignored, accented
// letters right after their base letter (a < á < ä < b < c < č < d), everything that is no letter
// before the letters. -1, 0 or 1.
int CompareTextCp1250(std::string_view a, std::string_view b);

// Blanks and control characters (codes 0..32) at both ends removed.
std::string_view TrimBlanks(std::string_view text);

} // namespace panolcd
