#include "build/tooldialogs.h"

#include "common/shortstring.h"
#include "framework/environment/envcontext.h"

#include <array>

namespace panolcd {

bool EditToolTemplate(TCommandNameObject& settings, const char* dialogName) {
    std::array<std::uint8_t, kToolDialogTransferSize> buffer{};
    StoreShortString(buffer.data(), kShortStringMax, settings.CMD);
    if (EnvCtx().dialogs->RunDialog(dialogName, buffer.data(), buffer.size()) != DialogResult::Ok)
        return false;
    settings.CMD =
        LoadShortString(buffer.data(), kShortStringMax).substr(0, TCommandNameObject::kTemplateCap);
    // Written now, also for an entry that does not ask for updating.
    if (settings.UPD == 0)
        settings.UPD = 2;
    settings.WriteParamToINI();
    return true;
}

} // namespace panolcd
