#pragma once
// What a print or edit statement shows on the LCD before the terminal fills it in: string
// literals as they stand, and placeholder characters for each variable ("#" digits, "%" hex, "|"
// bits, "@" a character, a date or time pattern).

#include <string>
#include <string_view>

namespace panolcd {

// Print shows every item of the parameter list, edit the first only.
enum class PreviewMode { Print, Edit };

// At most 254 characters; `parameters` is Windows-1250.
std::string BuildPreview(std::string_view parameters, PreviewMode mode);

} // namespace panolcd
