#include "framework/records/assigntable.h"

#include "common/littleendian.h"
#include "framework/environment/trace.h"
#include "framework/persistence/objstream.h"
#include "framework/records/fieldtext.h"

namespace panolcd {
namespace {

// Compares one variant's size with the expected one; reports a mismatch.
bool VariantSizeMatches(const char* table, std::uint64_t selector, int selectorDigits,
                        std::int16_t recTypeIx, std::uint16_t size,
                        const RecordSizeLookup& sizeOf) {
    const std::uint16_t variantSize = sizeOf ? sizeOf(recTypeIx).value_or(0) : 0;
    if (variantSize == size)
        return true;
    ReportInternalError(std::string("# ") + table + "[$" + HexDigits(selector, selectorDigits) +
                        "] DscrLng=$" + HexDigits(variantSize, 4) + "<> $" + HexDigits(size, 4));
    return false;
}

} // namespace

std::int16_t TDscrAssignTable::GetDscrIx(const std::uint8_t* /*selector*/) const {
    return kNoVariant;
}

bool TDscrAssignTable::TestDscrLength(std::uint16_t /*size*/,
                                      const RecordSizeLookup& /*sizeOf*/) const {
    return true;
}

void TDscrAssignTable::PutTabItem(std::int32_t /*selector*/, std::int16_t /*recTypeIx*/) {}

void TByteDscrAssTab::InitDefaults() {
    Table.fill(kNoVariant);
}

void TByteDscrAssTab::SaveToStream(TrbObjStream& stream) const {
    for (const std::int16_t ix : Table)
        stream.WriteNum<std::int16_t>(ix);
}

void TByteDscrAssTab::LoadFromStream(TrbObjStream& stream) {
    for (std::int16_t& ix : Table)
        ix = stream.ReadNum<std::int16_t>();
}

std::int16_t TByteDscrAssTab::GetDscrIx(const std::uint8_t* selector) const {
    return Table[selector[0]];
}

bool TByteDscrAssTab::TestDscrLength(std::uint16_t size, const RecordSizeLookup& sizeOf) const {
    bool allMatch = true;
    for (std::size_t selector = 0; selector < Table.size(); ++selector) {
        if (Table[selector] < 0)
            continue;
        if (!VariantSizeMatches("ByteAssTab", selector, 2, Table[selector], size, sizeOf))
            allMatch = false;
    }
    return allMatch;
}

void TByteDscrAssTab::PutTabItem(std::int32_t selector, std::int16_t recTypeIx) {
    Table[static_cast<std::uint8_t>(selector)] = recTypeIx;
}

void TWordDscrAssTab::SaveToStream(TrbObjStream& stream) const {
    stream.WriteNum<std::uint16_t>(static_cast<std::uint16_t>(Pairs.size() * 4));
    for (const auto& [selector, ix] : Pairs) {
        stream.WriteNum<std::int16_t>(selector);
        stream.WriteNum<std::int16_t>(ix);
    }
}

void TWordDscrAssTab::LoadFromStream(TrbObjStream& stream) {
    const std::uint16_t length = stream.ReadNum<std::uint16_t>();
    stream.RequireRemaining(length);
    Pairs.clear();
    for (std::size_t i = 0; i < length / 4u; ++i) {
        const auto selector = stream.ReadNum<std::int16_t>();
        const auto ix = stream.ReadNum<std::int16_t>();
        Pairs.emplace_back(selector, ix);
    }
    // A length that is no multiple of a pair: the odd bytes are skipped, so the stream stays in
    // step.
    std::uint8_t rest[4];
    stream.ReadBytes(rest, length % 4u);
}

std::int16_t TWordDscrAssTab::GetDscrIx(const std::uint8_t* selector) const {
    const std::int16_t wanted = ReadLE<std::int16_t>(selector);
    for (const auto& [s, ix] : Pairs) {
        if (s == wanted)
            return ix;
    }
    return kNoVariant;
}

bool TWordDscrAssTab::TestDscrLength(std::uint16_t size, const RecordSizeLookup& sizeOf) const {
    bool allMatch = true;
    for (const auto& [selector, ix] : Pairs) {
        if (ix < 0)
            continue;
        if (!VariantSizeMatches("WordAssTab", static_cast<std::uint16_t>(selector), 4, ix, size,
                                sizeOf))
            allMatch = false;
    }
    return allMatch;
}

void TWordDscrAssTab::PutTabItem(std::int32_t selector, std::int16_t recTypeIx) {
    if (Pairs.size() >= kMaxPairs)
        return;
    Pairs.emplace_back(static_cast<std::int16_t>(selector), recTypeIx);
}

} // namespace panolcd
