#include "projectwindows/panelfield.h"

namespace panolcd {

PanelField Hidden(std::unique_ptr<TCtrlValidator> validator) {
    PanelField field;
    field.validator = std::move(validator);
    return field;
}

PanelField Shown(std::unique_ptr<TCtrlValidator> validator, PanelControl control, const char* name,
                 const char* label) {
    PanelField field;
    field.validator = std::move(validator);
    field.control = control;
    field.name = name;
    field.label = label;
    return field;
}

std::size_t PanelOffsetOf(const std::vector<PanelField>& fields, std::size_t index) {
    std::size_t offset = 0;
    for (std::size_t i = 0; i < index && i < fields.size(); ++i)
        offset += fields[i].validator->TrDataSize();
    return offset;
}

} // namespace panolcd
