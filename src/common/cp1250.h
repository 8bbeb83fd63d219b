#pragma once
// Windows-1250 <-> Unicode. Every stored text is Windows-1250 bytes; Unicode appears only at the
// edges (widgets, clipboard, file names, UTF-8 literals in our sources). The mapping is lossless
// for all 256 byte values: the five codes Windows-1250 leaves undefined map to the Unicode
// control code points of the same value.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace panolcd {

char32_t Cp1250ToUnicode(std::uint8_t byte);
std::optional<std::uint8_t> UnicodeToCp1250(char32_t codePoint);

std::string Cp1250ToUtf8(std::string_view cp1250);

// Characters that Windows-1250 cannot hold, and malformed UTF-8 sequences, become `replacement`.
std::string Utf8ToCp1250(std::string_view utf8, char replacement = '?');

// File names. A name is kept as Windows-1250 like every stored text, but one that came from the
// file system must find the same file again even when Windows-1250 cannot spell it. Such a name
// keeps what Windows-1250 lacks escaped in two bytes Windows-1250 leaves undefined: 0x81 before
// the UTF-8 bytes of a character, 0x83 before a byte that is no UTF-8 at all. The escapes hold
// only bytes >= 0x80, so separators, dots and extensions are found as in any other name.
std::string FileNameFromUtf8(std::string_view fsBytes);
// The file-system bytes of a name: the inverse of FileNameFromUtf8, and Cp1250ToUtf8 for a name
// without escapes.
std::string FileNameToUtf8(std::string_view fileName);
// The name as plain Windows-1250 text, for records, generated files and messages: each escaped
// character becomes '?'; `lossy` (when given) tells whether there was one.
std::string FileNameText(std::string_view fileName, bool* lossy = nullptr);

// "U+03A9": names a character that may have no Windows-1250 form.
std::string UnicodeName(char32_t codePoint);

// Letter case as Windows gives it for Windows-1250: ASCII letters, the accented letters of the
// code page's upper half (č and Č, ž and Ž, ...); every other byte is its own case.
char Cp1250Upper(char c);
char Cp1250Lower(char c);
// Equal but for letter case, by those rules (file names a user typed, as Windows compares them).
bool SameTextCp1250(std::string_view a, std::string_view b);

// Strict form: false when the input is not valid UTF-8 or holds a character outside Windows-1250.
bool TryUtf8ToCp1250(std::string_view utf8, std::string& out);

} // namespace panolcd
