#include "framework/records/rootlookfield.h"

#include "common/littleendian.h"
#include "framework/records/recordscontext.h"

namespace panolcd {

void TRootLookRefByte_FieldDscr::PutDataToTrBuff(const std::uint8_t* data,
                                                 std::uint8_t* buffer) const {
    TRefByte_FieldDscr::PutDataToTrBuff(data, buffer);
    if (HasFlag(fNoTrBuff))
        return;
    const auto& lookup = RecordsCtx().rootRecordLookup;
    if (!lookup)
        return;
    WriteLE<std::uint32_t>(buffer + kReferenceOffset, lookup(LookupParams[1]));
}

} // namespace panolcd
