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

// Strict form: false when the input is not valid UTF-8 or holds a character outside Windows-1250.
bool TryUtf8ToCp1250(std::string_view utf8, std::string& out);

} // namespace panolcd
