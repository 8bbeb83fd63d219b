#pragma once
// Little-endian access to packed byte buffers. Records and streams are byte arrays; never overlay
// C++ structs on them.

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace panolcd {

template <typename T> T ReadLE(const std::uint8_t* src) {
    static_assert(std::is_arithmetic_v<T>);
    using U = std::conditional_t<
        sizeof(T) == 1, std::uint8_t,
        std::conditional_t<sizeof(T) == 2, std::uint16_t,
                           std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>>;
    U raw = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        raw |= static_cast<U>(static_cast<U>(src[i]) << (8 * i));
    T value;
    std::memcpy(&value, &raw, sizeof(T));
    return value;
}

template <typename T> void WriteLE(std::uint8_t* dst, T value) {
    static_assert(std::is_arithmetic_v<T>);
    using U = std::conditional_t<
        sizeof(T) == 1, std::uint8_t,
        std::conditional_t<sizeof(T) == 2, std::uint16_t,
                           std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>>;
    U raw;
    std::memcpy(&raw, &value, sizeof(T));
    for (std::size_t i = 0; i < sizeof(T); ++i)
        dst[i] = static_cast<std::uint8_t>(raw >> (8 * i));
}

} // namespace panolcd
