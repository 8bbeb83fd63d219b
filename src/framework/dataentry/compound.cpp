#include "framework/dataentry/compound.h"

#include "framework/environment/envcontext.h"

namespace panolcd {

void TTrCompound_Validator::DefAttributs(std::uint16_t flags, std::uint16_t size,
                                         std::string_view dialogName) {
    CtrlFlags = flags;
    size_ = size;
    dialogName_ = std::string(dialogName.substr(0, kMaxDialogName));
}

bool TTrCompound_Validator::AcceptsControl(ControlKind kind) const {
    return kind == ControlKind::Edit || kind == ControlKind::Label || kind == ControlKind::Button;
}

DialogResult TTrCompound_Validator::RunDialog() {
    if (data_.empty())
        return DialogResult::None;
    return EnvCtx().dialogs->RunDialog(dialogName_, data_.data(), data_.size());
}

} // namespace panolcd
