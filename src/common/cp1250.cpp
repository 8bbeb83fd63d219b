#include "common/cp1250.h"

#include <algorithm>
#include <array>
#include <utility>

namespace panolcd {
namespace {

constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, //
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, //
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, //
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, //
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, //
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, //
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, //
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, //
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, //
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, //
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, //
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, //
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// The code points of the Windows-1250 table, all below 0x10000.
void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `pos`; returns nullopt for a malformed one (and skips one byte).
std::optional<char32_t> DecodeUtf8(std::string_view s, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos++]);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return std::nullopt;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= s.size())
            return std::nullopt;
        const auto next = static_cast<unsigned char>(s[pos]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (next & 0x3F);
        ++pos;
    }
    // Overlong forms ("/" as C0 AF), surrogates and values beyond Unicode are no UTF-8: taken
    // as characters they would let a name spell a separator or a dot it does not hold.
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        pos -= static_cast<std::size_t>(extra);
        return std::nullopt;
    }
    return cp;
}

constexpr unsigned char kEscapedChar = 0x81;
constexpr unsigned char kEscapedByte = 0x83;

// The length of the escape at `pos` (the escape byte included), 0 when there is none.
std::size_t EscapeLength(std::string_view name, std::size_t pos) {
    const auto byte = static_cast<unsigned char>(name[pos]);
    if (byte == kEscapedByte)
        return pos + 1 < name.size() ? 2 : 0;
    if (byte != kEscapedChar || pos + 1 >= name.size())
        return 0;
    std::size_t next = pos + 1;
    if (static_cast<unsigned char>(name[next]) < 0x80 || !DecodeUtf8(name, next))
        return 0;
    return next - pos;
}

} // namespace

std::string FileNameFromUtf8(std::string_view fsBytes) {
    std::string out;
    out.reserve(fsBytes.size());
    std::size_t pos = 0;
    while (pos < fsBytes.size()) {
        const std::size_t start = pos;
        const auto cp = DecodeUtf8(fsBytes, pos);
        if (!cp) {
            pos = start + 1;
            out += static_cast<char>(kEscapedByte);
            out += fsBytes[start];
            continue;
        }
        const auto byte = UnicodeToCp1250(*cp);
        if (byte && *byte != kEscapedChar && *byte != kEscapedByte) {
            out += static_cast<char>(*byte);
            continue;
        }
        out += static_cast<char>(kEscapedChar);
        out.append(fsBytes.substr(start, pos - start));
    }
    return out;
}

std::string FileNameToUtf8(std::string_view fileName) {
    std::string out;
    out.reserve(fileName.size() * 2);
    for (std::size_t pos = 0; pos < fileName.size();) {
        const std::size_t escape = EscapeLength(fileName, pos);
        if (escape > 0) {
            out.append(fileName.substr(pos + 1, escape - 1));
            pos += escape;
            continue;
        }
        AppendUtf8(out, Cp1250ToUnicode(static_cast<std::uint8_t>(fileName[pos++])));
    }
    return out;
}

std::string FileNameText(std::string_view fileName, bool* lossy) {
    std::string out;
    out.reserve(fileName.size());
    bool replaced = false;
    for (std::size_t pos = 0; pos < fileName.size();) {
        const std::size_t escape = EscapeLength(fileName, pos);
        if (escape > 0) {
            out += '?';
            replaced = true;
            pos += escape;
            continue;
        }
        out += fileName[pos++];
    }
    if (lossy != nullptr)
        *lossy = replaced;
    return out;
}

char32_t Cp1250ToUnicode(std::uint8_t byte) {
    if (byte < 0x80)
        return byte;
    return kHighHalf[byte - 0x80];
}

std::optional<std::uint8_t> UnicodeToCp1250(char32_t codePoint) {
    if (codePoint < 0x80)
        return static_cast<std::uint8_t>(codePoint);
    for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
        if (kHighHalf[i] == codePoint)
            return static_cast<std::uint8_t>(0x80 + i);
    }
    return std::nullopt;
}

std::string Cp1250ToUtf8(std::string_view cp1250) {
    std::string out;
    out.reserve(cp1250.size() * 2);
    for (char c : cp1250)
        AppendUtf8(out, Cp1250ToUnicode(static_cast<std::uint8_t>(c)));
    return out;
}

std::string Utf8ToCp1250(std::string_view utf8, char replacement) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto cp = DecodeUtf8(utf8, pos);
        const auto byte = cp ? UnicodeToCp1250(*cp) : std::nullopt;
        out += byte ? static_cast<char>(*byte) : replacement;
    }
    return out;
}

bool TryUtf8ToCp1250(std::string_view utf8, std::string& out) {
    out.clear();
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto cp = DecodeUtf8(utf8, pos);
        if (!cp)
            return false;
        const auto byte = UnicodeToCp1250(*cp);
        if (!byte)
            return false;
        out += static_cast<char>(*byte);
    }
    return true;
}

std::string UnicodeName(char32_t codePoint) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string digits;
    for (std::uint32_t rest = codePoint; rest != 0 || digits.size() < 4; rest >>= 4)
        digits.insert(digits.begin(), kHex[rest & 0xF]);
    return "U+" + digits;
}

namespace {

// Lower-case byte -> upper-case byte of the letters outside ASCII.
constexpr std::pair<unsigned char, unsigned char> kCaseOutsideAscii[] = {
    {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E}, {0x9F, 0x8F},
    {0xB3, 0xA3}, {0xB9, 0xA5}, {0xBA, 0xAA}, {0xBE, 0xBC}, {0xBF, 0xAF},
};

} // namespace

char Cp1250Upper(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z')
        return static_cast<char>(b - 32);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7)
        return static_cast<char>(b - 32);
    for (const auto& [lower, upper] : kCaseOutsideAscii) {
        if (b == lower)
            return static_cast<char>(upper);
    }
    return c;
}

bool SameTextCp1250(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return Cp1250Upper(x) == Cp1250Upper(y);
           });
}

char Cp1250Lower(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z')
        return static_cast<char>(b + 32);
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7)
        return static_cast<char>(b + 32);
    for (const auto& [lower, upper] : kCaseOutsideAscii) {
        if (b == upper)
            return static_cast<char>(lower);
    }
    return c;
}

} // namespace panolcd
