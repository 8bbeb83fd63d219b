#pragma once
// The settings dialogs of the compiler's and the loader's command templates: the template goes
// to the dialog as a ShortString and, confirmed, into its settings entry, written at once.

#include "build/toolsettings.h"

#include <cstddef>

namespace panolcd {

inline constexpr char kCompilerDialogName[] = "D_WCOCMD";
inline constexpr char kLoaderDialogName[] = "D_VSLOAD";
// The transfer record: the template as a ShortString of up to 255 characters.
inline constexpr std::size_t kToolDialogTransferSize = 256;

// False when the dialog was cancelled (nothing changes).
bool EditToolTemplate(TCommandNameObject& settings, const char* dialogName);

} // namespace panolcd
