#include "framework/environment/debugmask.h"

#include "common/littleendian.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/trace.h"

#include <array>
#include <cstdint>

namespace panolcd {

bool EditTraceMask() {
    std::array<std::uint8_t, kDebugMaskTransferSize> buffer{};
    WriteLE<std::uint32_t>(buffer.data(), TraceMask());
    buffer[4] = EnvCtx().trace.txs ? 1 : 0;
    if (EnvCtx().dialogs->RunDialog(kDebugMaskDialogName, buffer.data(), buffer.size()) !=
        DialogResult::Ok)
        return false;
    SetTraceMask(ReadLE<std::uint32_t>(buffer.data()));
    EnvCtx().trace.txs = (buffer[4] & 1) != 0;
    return true;
}

} // namespace panolcd
