#pragma once
// Editing the trace mask and the TXS flag in the registered diagnostic mask dialog.

#include <cstddef>

namespace panolcd {

inline constexpr char kDebugMaskDialogName[] = "TDebugDM_Dlg";
// The dialog's transfer record: the mask (32 bits, little-endian), then the TXS flag byte.
inline constexpr std::size_t kDebugMaskTransferSize = 5;

// Runs the dialog on the current mask and TXS flag; on OK both take the dialog's values.
// True when the dialog ended with OK.
bool EditTraceMask();

} // namespace panolcd
