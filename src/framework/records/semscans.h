#pragma once
// Scan semantics: collect the records whose field satisfies a comparison or refers to something,
// and accept or refuse one record by a range of its 32-bit field.

#include "framework/records/semantics.h"

namespace panolcd {

// ValueType: 1 byte, 2 signed 16-bit, 3 unsigned 16-bit, 4 signed 32-bit, 5 unsigned 32-bit,
// 7 ShortString. Operator: 0 always, 1 =, 2 <, 3 <=, 4 >, 5 >=, 6 <> (texts know 0 and 1 only).
class TScanIfSem : public TSemantics {
public:
    std::uint8_t ValueType = 0;
    std::uint8_t Operator = 0;

    std::string ClassName() const override { return "TScanIfSem"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    void Evaluate(int phase, int event, SemData data) override;
};

// An unsigned 16-bit field whose values from 100 up refer to number value - 100.
class TRefVUScanSem : public TSemantics {
public:
    std::string ClassName() const override { return "TRefVUScanSem"; }
    void Evaluate(int phase, int event, SemData data) override;
};

// Found when LowLimit <= field <= HighLimit: unsigned for CompareKind 0, 1 and 3, in time order
// for 2 (ZetTime).
class TAcceptDWFSem : public TSemantics {
public:
    std::uint8_t CompareKind = 0;
    std::uint32_t LowLimit = 0;
    std::uint32_t HighLimit = 0;

    std::string ClassName() const override { return "TAcceptDWFSem"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
    void Evaluate(int phase, int event, SemData data) override;
};

void RegisterScanSemantics();

} // namespace panolcd
