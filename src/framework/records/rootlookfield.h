#pragma once
// TRootLookRefByte_FieldDscr: a reference byte whose lookup starts from a record of the
// project's root database.

#include "framework/records/reffields.h"

namespace panolcd {

// The slot is that of TRefByte_FieldDscr, but its record reference holds the first root record
// that owns a sub-database of type LookupParams[1] (0 when none does).
class TRootLookRefByte_FieldDscr : public TRefByte_FieldDscr {
public:
    // Offset of the record reference in the slot: after the value and the five parameters.
    static constexpr std::size_t kReferenceOffset = 11;

    std::string ClassName() const override { return "TRootLookRefByte_FieldDscr"; }
    void PutDataToTrBuff(const std::uint8_t* data, std::uint8_t* buffer) const override;
};

} // namespace panolcd
