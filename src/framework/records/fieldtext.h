#pragma once
// Building blocks of the four text forms of a field (Line, CWin, CSV, Join): alignment, cutting,
// hexadecimal and real renderings, and the checked use of format patterns.

#include "common/rounding.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace panolcd {

enum class FieldTextForm : std::uint8_t { Line, CWin, CSV, Join };

// What a value rendering needs to know about the form it renders for.
struct FieldTextContext {
    FieldTextForm form = FieldTextForm::Line;
    int width = 0;
    bool unpadded = false;
    // Empty unless the field's caption is a format pattern used by this form.
    std::string pattern;
};

// Appends `piece` to `text` without letting `text` grow beyond `capacity` characters.
void AppendCapped(std::string& text, std::size_t capacity, std::string_view piece);

std::string AlignRight(std::string text, int width); // blanks before; a longer text is kept
std::string PadRight(std::string text, int width);   // blanks after; a longer text is kept
std::string CutTo(std::string text, int width);

// Exactly `digits` upper-case hexadecimal digits of the low bits of `value`.
std::string HexDigits(std::uint64_t value, int digits);

// The CSV pattern inside a caption: from its first "%" (with a "$" directly before it) through
// the run of non-blank characters after the "%". Empty when the caption holds no "%".
std::string CsvPattern(std::string_view caption);

enum class PatternValue : std::uint8_t { Integer, Real, Text };
// True when `pattern` has exactly one directive and it takes a value of this kind.
bool PatternFits(std::string_view pattern, PatternValue kind);

// Fixed-point text with `decimals` decimals (bounded so damaged data cannot ask for pages).
std::string FixedText(double value, int decimals);
// Scientific notation right-aligned in `width`, as many digits as the width leaves.
std::string ExpoText(double value, int width);
// The decimals of an automatic-decimals real in `width`.
int AutoDecimals(double value, int width);

} // namespace panolcd
