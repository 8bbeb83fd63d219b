#pragma once
// Assign tables: which record type (by index) describes the variant a selector picks. The case
// descriptors own one each.

#include "framework/persistence/streamable.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace panolcd {

// The size of the record type at an index, or nullopt when there is none.
using RecordSizeLookup = std::function<std::optional<std::uint16_t>(std::int16_t recTypeIx)>;

inline constexpr std::int16_t kNoVariant = -1;

// The base maps nothing.
class TDscrAssignTable : public TrbStreamable {
public:
    std::string ClassName() const override { return "TDscrAssignTable"; }
    void SaveToStream(TrbObjStream& /*stream*/) const override {}
    void LoadFromStream(TrbObjStream& /*stream*/) override {}

    // The record type index of the selector at `selector`, or -1.
    virtual std::int16_t GetDscrIx(const std::uint8_t* selector) const;
    // Reports every named variant whose size is not `size` as an internal error; true when all
    // match. A record type that does not exist counts as size 0.
    virtual bool TestDscrLength(std::uint16_t size, const RecordSizeLookup& sizeOf) const;
    virtual void PutTabItem(std::int32_t selector, std::int16_t recTypeIx);
};

// 256 entries indexed by the selector byte.
class TByteDscrAssTab : public TDscrAssignTable {
public:
    std::array<std::int16_t, 256> Table{};

    std::string ClassName() const override { return "TByteDscrAssTab"; }
    void InitDefaults() override;
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::int16_t GetDscrIx(const std::uint8_t* selector) const override;
    bool TestDscrLength(std::uint16_t size, const RecordSizeLookup& sizeOf) const override;
    // Only the low byte of the selector counts.
    void PutTabItem(std::int32_t selector, std::int16_t recTypeIx) override;
};

// (selector, record type index) pairs searched in order; the selector is a signed 16-bit value.
class TWordDscrAssTab : public TDscrAssignTable {
public:
    using Pair = std::pair<std::int16_t, std::int16_t>;
    // The stream stores the list's byte length in 16 bits.
    static constexpr std::size_t kMaxPairs = 0xFFFF / 4;
    std::vector<Pair> Pairs;

    std::string ClassName() const override { return "TWordDscrAssTab"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    std::int16_t GetDscrIx(const std::uint8_t* selector) const override;
    bool TestDscrLength(std::uint16_t size, const RecordSizeLookup& sizeOf) const override;
    // Appends a pair; a full list refuses more.
    void PutTabItem(std::int32_t selector, std::int16_t recTypeIx) override;
};

} // namespace panolcd
