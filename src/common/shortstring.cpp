#include "common/shortstring.h"

#include <algorithm>
#include <cstring>

namespace panolcd {

std::string CutShortString(std::string_view text, std::size_t capacity) {
    const std::size_t limit = std::min(capacity, kShortStringMax);
    return std::string(text.substr(0, std::min(text.size(), limit)));
}

void StoreShortString(std::uint8_t* field, std::size_t capacity, std::string_view text) {
    const std::string cut = CutShortString(text, capacity);
    const std::size_t limit = std::min(capacity, kShortStringMax);
    std::memset(field, 0, limit + 1);
    field[0] = static_cast<std::uint8_t>(cut.size());
    std::memcpy(field + 1, cut.data(), cut.size());
}

std::string LoadShortString(const std::uint8_t* field, std::size_t capacity) {
    const std::size_t limit = std::min(capacity, kShortStringMax);
    const std::size_t length = std::min<std::size_t>(field[0], limit);
    return std::string(reinterpret_cast<const char*>(field + 1), length);
}

} // namespace panolcd
