#include "projectwindows/panelfield.h"

#include "common/cp1250.h"
#include "framework/records/dbrecord.h"

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

std::string FieldRefusal(const PanelField& field, const std::string& refusal) {
    return field.label == nullptr ? refusal : Utf8ToCp1250(field.label) + ": " + refusal;
}

std::string PanelRefusal(const std::vector<PanelField>& fields, TDBRecordObj& record) {
    std::vector<std::uint8_t> buffer(record.GetTrBuffSize());
    record.PutDataToTrBuff(buffer.data());
    std::string refusal;
    const TrBuffer all(buffer);
    for (std::size_t i = 0; i < fields.size() && refusal.empty(); ++i) {
        const std::size_t offset = PanelOffsetOf(fields, i);
        if (offset > all.size())
            break;
        TCtrlValidator& validator = *fields[i].validator;
        validator.FillToControl(all.subspan(offset));
        refusal = validator.DataRefusal();
        if (!refusal.empty())
            refusal = FieldRefusal(fields[i], refusal);
    }
    record.FreeTrBuffRec(buffer.data());
    return refusal;
}

} // namespace panolcd
