#include "common/text.h"

namespace panolcd {

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string AsciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = AsciiUpper(c);
    return out;
}

int CompareTextAscii(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(AsciiUpper(a[i]));
        const auto cb = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareTextAscii(a, b) == 0;
}

std::string_view TrimBlanks(std::string_view text) {
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

namespace {

// Collation weight of each Windows-1250 byte: non-letters keep their code (below 256); letters
// weigh 256 + 16 * base letter + variant, the same for both letter cases.
struct Cp1250Weights {
    unsigned short weight[256];

    Cp1250Weights() {
        for (int c = 0; c < 256; ++c)
            weight[c] = static_cast<unsigned short>(c);
        // Each base letter with its accented forms in order; upper and lower case of each.
        struct Letter {
            char base;
            const char* lower;
            const char* upper;
        };
        static const Letter letters[] = {
            {'a', "\xE1\xE4\xE2\xE3\xB9", "\xC1\xC4\xC2\xC3\xA5"},
            {'c', "\xE8\xE6\xE7", "\xC8\xC6\xC7"},
            {'d', "\xEF\xF0", "\xCF\xD0"},
            {'e', "\xE9\xEC\xEB\xEA", "\xC9\xCC\xCB\xCA"},
            {'i', "\xED\xEE", "\xCD\xCE"},
            {'l', "\xE5\xBE\xB3", "\xC5\xBC\xA3"},
            {'n', "\xF2\xF1", "\xD2\xD1"},
            {'o', "\xF3\xF4\xF6\xF5", "\xD3\xD4\xD6\xD5"},
            {'r', "\xF8\xE0", "\xD8\xC0"},
            {'s', "\x9A\x9C\xBA\xDF", "\x8A\x8C\xAA\xDF"},
            {'t', "\x9D\xFE", "\x8D\xDE"},
            {'u', "\xFA\xF9\xFC\xFB", "\xDA\xD9\xDC\xDB"},
            {'y', "\xFD", "\xDD"},
            {'z', "\x9E\x9F\xBF", "\x8E\x8F\xAF"},
        };
        for (int b = 0; b < 26; ++b) {
            const auto w = static_cast<unsigned short>(256 + 16 * b);
            weight['a' + b] = weight['A' + b] = w;
        }
        for (const Letter& letter : letters) {
            const int base = 256 + 16 * (letter.base - 'a');
            for (int v = 0; letter.lower[v] != '\0'; ++v) {
                const auto w = static_cast<unsigned short>(base + 1 + v);
                weight[static_cast<unsigned char>(letter.lower[v])] = w;
                weight[static_cast<unsigned char>(letter.upper[v])] = w;
            }
        }
    }
};

} // namespace

int CompareTextCp1250(std::string_view a, std::string_view b) {
    static const Cp1250Weights table;
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned short wa = table.weight[static_cast<unsigned char>(a[i])];
        const unsigned short wb = table.weight[static_cast<unsigned char>(b[i])];
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace panolcd
