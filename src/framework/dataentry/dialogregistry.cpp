// Validated dialogs by name: the texts of the registry.

#include "framework/dataentry/dialogregistry.h"

namespace panolcd {

std::string NotRegisteredDialogText(const std::string& name) {
    constexpr std::size_t kTextMax = 83;
    return ("Not registered Dlg: " + name).substr(0, kTextMax);
}

} // namespace panolcd
