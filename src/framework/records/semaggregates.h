#pragma once
// Aggregate semantics: load a key from one record, fold a field over the records of a database
// (maximum, minimum, sum, and, or, find) into the scan object, store the result into a record.

#include "framework/records/semantics.h"

namespace panolcd {

// FceCode values.
inline constexpr std::uint8_t kFceMax = 1;
inline constexpr std::uint8_t kFceMin = 2;
inline constexpr std::uint8_t kFceSum = 3;
inline constexpr std::uint8_t kFceAnd = 4;
inline constexpr std::uint8_t kFceOr = 5;
inline constexpr std::uint8_t kFceFind = 6;
inline constexpr std::uint8_t kFceMaxBelow255 = 7;

class TGetFceSem : public TSemantics {
public:
    std::uint8_t FceCode = 0;

    std::string ClassName() const override { return "TGetFceSem"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
};

// Accumulator ScanObj.WordKey, field one byte (low byte of the accumulator).
class TByteGetFceSem : public TGetFceSem {
public:
    std::string ClassName() const override { return "TByteGetFceSem"; }
    void Evaluate(int phase, int event, SemData data) override;
};

// Accumulator ScanObj.WordKey, field unsigned 16-bit.
class TWordGetFceSem : public TGetFceSem {
public:
    std::string ClassName() const override { return "TWordGetFceSem"; }
    void Evaluate(int phase, int event, SemData data) override;
};

// Accumulator ScanObj.LongKey, field signed 32-bit.
class TLIntGetFceSem : public TGetFceSem {
public:
    std::string ClassName() const override { return "TLIntGetFceSem"; }
    void Evaluate(int phase, int event, SemData data) override;
};

// Accumulator ScanObj.KeyText, field a ShortString; scans only find.
class TPStrGetFceSem : public TGetFceSem {
public:
    std::string ClassName() const override { return "TPStrGetFceSem"; }
    void Evaluate(int phase, int event, SemData data) override;
};

void RegisterAggregateSemantics();

} // namespace panolcd
