#pragma once
// ShortStrings: one length byte and at most 255 single-byte characters. A field of capacity N
// takes N+1 bytes in a record; longer texts are cut to N, and a length byte read from a buffer is
// clamped to N so a damaged record never reads past its field.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace panolcd {

inline constexpr std::size_t kShortStringMax = 255;

// The text as a ShortString of capacity `capacity` holds it (capacity itself is at most 255).
std::string CutShortString(std::string_view text, std::size_t capacity = kShortStringMax);

// Writes length byte and characters into a field of `capacity` + 1 bytes; the rest is zeroed.
void StoreShortString(std::uint8_t* field, std::size_t capacity, std::string_view text);

// Reads a field of `capacity` + 1 bytes.
std::string LoadShortString(const std::uint8_t* field, std::size_t capacity);

} // namespace panolcd
