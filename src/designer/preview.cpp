#include "designer/preview.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace panolcd {
namespace {

constexpr std::size_t kPreviewCap = 254;
constexpr std::size_t kWordCap = 32;

enum class Format { Plain, Dec, Hex, Bin, Chr, Date, Time };

bool IsLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsIdentChar(unsigned char c) {
    return IsLetter(c) || (c >= '0' && c <= '9') || c == '.' || c == '[' || c == ']' || c == '_';
}

bool IsNumberChar(unsigned char c) {
    return c == '$' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

std::optional<Format> FormatWord(std::string_view word) {
    std::string lower(word);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    if (lower == "dec")
        return Format::Dec;
    if (lower == "hex")
        return Format::Hex;
    if (lower == "bin")
        return Format::Bin;
    if (lower == "chr")
        return Format::Chr;
    if (lower == "date")
        return Format::Date;
    if (lower == "time")
        return Format::Time;
    return std::nullopt;
}

// Decimal, or hexadecimal after "$"; anything else reads as 0. Saturates far above any width
// the preview can show.
int NumberValue(std::string_view text) {
    constexpr int kSaturated = 1 << 20;
    const bool hex = !text.empty() && text.front() == '$';
    if (hex)
        text.remove_prefix(1);
    if (text.empty())
        return 0;
    int value = 0;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        if (digit < 0)
            return 0;
        value = std::min(value * (hex ? 16 : 10) + digit, kSaturated);
    }
    return value;
}

class PreviewParser {
public:
    PreviewParser(std::string_view p, PreviewMode mode) : p_(p), mode_(mode) {}

    std::string Run() {
        while (i_ < p_.size() && out_.size() < kPreviewCap) {
            const auto c = static_cast<unsigned char>(p_[i_]);
            bool itemDone = false;
            if (c == '"') {
                Literal();
                itemDone = true;
            } else if (IsLetter(c)) {
                Word();
                itemDone = true;
            } else {
                ++i_;
            }
            if (itemDone && mode_ == PreviewMode::Edit)
                break;
        }
        if (out_.size() > kPreviewCap)
            out_.resize(kPreviewCap);
        return out_;
    }

private:
    void Literal() {
        ++i_;
        const std::size_t end = std::min(p_.find('"', i_), p_.size());
        out_.append(p_.substr(i_, end - i_));
        i_ = end < p_.size() ? end + 1 : end;
    }

    std::string_view Run(bool (*accepts)(unsigned char)) {
        const std::size_t from = i_;
        while (i_ < p_.size() && accepts(static_cast<unsigned char>(p_[i_])))
            ++i_;
        return p_.substr(from, i_ - from);
    }

    // Consumes the character that ends a run; true when it was ":".
    bool ColonFollows() {
        if (i_ >= p_.size())
            return false;
        return p_[i_++] == ':';
    }

    // A variable item, maybe with a format word first. The character that ends the name, the
    // width or the decimals is consumed with it.
    void Word() {
        format_ = Format::Plain;
        width_ = 0;
        decimals_.reset();
        const std::string_view word = Run(IsIdentChar).substr(0, kWordCap);
        if (const auto format = FormatWord(word)) {
            format_ = *format;
            while (i_ < p_.size() && p_[i_] == ' ')
                ++i_;
            Run(IsIdentChar);
        }
        if (ColonFollows()) {
            width_ = NumberValue(Run(IsNumberChar));
            if (ColonFollows()) {
                decimals_ = NumberValue(Run(IsNumberChar));
                if (i_ < p_.size())
                    ++i_;
            }
        }
        Emit();
    }

    void Emit() {
        const auto repeat = [this](char c) {
            const std::size_t n = std::min<std::size_t>(std::max(width_, 1), kPreviewCap);
            return std::string(n, c);
        };
        switch (format_) {
        case Format::Plain:
        case Format::Dec: {
            std::string digits = repeat('#');
            if (decimals_ && *decimals_ + 1 < width_ && width_ - *decimals_ >= 1 &&
                static_cast<std::size_t>(width_ - *decimals_) <= digits.size())
                digits[static_cast<std::size_t>(width_ - *decimals_ - 1)] = '.';
            out_ += digits;
            break;
        }
        case Format::Hex:
            out_ += repeat('%');
            break;
        case Format::Bin:
            out_ += repeat('|');
            break;
        case Format::Chr:
            out_ += '@';
            break;
        case Format::Date:
            out_ += "dd/mm/yyyy";
            break;
        case Format::Time:
            out_ += "hh:mm";
            break;
        }
    }

    std::string_view p_;
    PreviewMode mode_;
    std::size_t i_ = 0;
    std::string out_;
    Format format_ = Format::Plain;
    int width_ = 0;
    std::optional<int> decimals_;
};

} // namespace

std::string BuildPreview(std::string_view parameters, PreviewMode mode) {
    return PreviewParser(parameters, mode).Run();
}

} // namespace panolcd
