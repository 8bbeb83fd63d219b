#pragma once
// Semantics: small stored operations of the application description, run by identifier over a
// record or over every record of a database (keys, aggregates, scans, sorting, INI values, time
// stamps). This header holds the base class, the manager, the evaluators that tie fields and
// record types to identifiers, and the scan objects that carry keys and results.

#include "common/error.h"
#include "framework/persistence/collection.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

class TDataBase;
class TDscrRecObj;

// The bytes a semantics runs over: one field of a record (phase 5), else empty. A semantics
// never reads or writes outside them.
using SemData = std::span<std::uint8_t>;

// Phases of a semantics run.
inline constexpr int kSemPhaseDBBegin = 1;
inline constexpr int kSemPhaseDBEnd = 2;
inline constexpr int kSemPhaseRecBefore = 3;
inline constexpr int kSemPhaseRecAfter = 4;
inline constexpr int kSemPhaseField = 5;

// Events passed unchanged through a run.
inline constexpr int kSemEventLoad = 0;
inline constexpr int kSemEventScan = 1;
inline constexpr int kSemEventStore = 2;
inline constexpr int kSemEventWriteOut = 3;

// A byte or 16-bit sum that left its range.
class ERangeCheck : public Exception {
public:
    ERangeCheck() : Exception("Range check error") {}
};

// One key and the record it came from.
class TScanObject : public TrbStreamable {
public:
    std::uint16_t WordKey = 0;
    std::int32_t LongKey = 0;
    TDataBase* ScanDB = nullptr;
    TDscrRecObj* ScanRec = nullptr;
    // Empty = no text.
    std::string KeyText;

    TScanObject() = default;
    TScanObject(std::uint16_t wordKey, std::string_view keyText, TDscrRecObj* scanRec,
                TDataBase* scanDB, std::int32_t longKey);

    std::string ClassName() const override { return "TScanObject"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;
};

// Scan objects collected by a run, with the sorts by each kind of key. The sorts are a plain
// quicksort: not stable, so equal keys come out in the order the partitioning leaves them.
class TScanObjColl : public TrbCollection {
public:
    std::string ClassName() const override { return "TScanObjColl"; }
    void LoadFromStream(TrbObjStream& stream) override;

    // Nil outside the range.
    TScanObject* ScanAt(int index) const;
    void Add(std::unique_ptr<TScanObject> item);

    void QuickSort_W();
    void QuickSort_L();
    void QuickSort_DW();
    // Identifier bytes 2, 3, 0, 1 in turn.
    void QuickSort_Ident();
    void QuickSort_ZetTime();
    // ASCII letter case ignored; no text before any text.
    void QuickSort_Pch();
    // Windows-1250 letters, case ignored, accented letters after their base; no text first.
    void QuickSort_AnsiPch();
};

class TSemantics : public TrbStreamable {
public:
    // Working state of one run; none of it is streamed or owned.
    TDataBase* CurDB = nullptr;
    TDscrRecObj* CurRec = nullptr;
    bool Found = false;
    TDataBase* FoundDB = nullptr;
    TDscrRecObj* FoundRec = nullptr;
    TScanObject* ScanObj = nullptr;
    TScanObjColl* ScanColl = nullptr;

    std::string ClassName() const override { return "TSemantics"; }
    void InitDefaults() override { ResetAll(); }
    void SaveToStream(TrbObjStream& /*stream*/) const override {}
    void LoadFromStream(TrbObjStream& /*stream*/) override {}

    virtual void ReadValueFromINI(bool /*onlyWithRedirect*/) {}
    virtual void WriteValueToINI() {}
    virtual void Evaluate(int /*phase*/, int /*event*/, SemData /*data*/) {}
    // Forgets the scan object and collection (the caller owns them) and the results.
    virtual void ResetAll();
    virtual void ResetResults();

protected:
    // Found, in the current database and record.
    void FoundHere();
    // Tells the current record that a field changed; nothing ever clears the flag here.
    void SetModified();
};

// The application description's semantics; the item index is the identifier.
class TSemManColl : public TrbCollection {
public:
    std::string ClassName() const override { return "TSemManColl"; }
    void InitDefaults() override;
    // Items are semantics or nil.
    void LoadFromStream(TrbObjStream& stream) override;

    // The semantics `id` names, or nullptr.
    TSemantics* GetSemantics(std::int16_t id);
    void SetCurrentRecord(TDscrRecObj* record, std::int16_t id);
    void EvaluateSem(std::int16_t id, int phase, SemData data, int event);

private:
    std::int16_t lastIx_ = -1;
    TSemantics* lastSem_ = nullptr;
};

// Names one semantics a field or record type takes part in.
class TSemanticEvaluator : public TrbStreamable {
public:
    std::int16_t SemId = 0;

    TSemanticEvaluator() = default;
    explicit TSemanticEvaluator(std::int16_t semId) : SemId(semId) {}

    std::string ClassName() const override { return "TSemanticEvaluator"; }
    void SaveToStream(TrbObjStream& stream) const override;
    void LoadFromStream(TrbObjStream& stream) override;

    // Runs the description's semantics `id` when this evaluator names it.
    void RunEvaluator(std::int16_t id, int phase, SemData data, int event) const;
};

class TSemEvalColl : public TrbCollection {
public:
    std::string ClassName() const override { return "TSemEvalColl"; }
    // Items are evaluators or nil.
    void LoadFromStream(TrbObjStream& stream) override;

    void Add(std::int16_t semId);
    // From index 0 upward; only the evaluators naming `id` act.
    void RunAllEvaluators(std::int16_t id, int phase, SemData data, int event) const;
    // The identifiers named, in collection order.
    std::vector<std::int16_t> EvaluatorIds() const;
};

// The semantics manager of the loaded application description, or nullptr.
TSemManColl* AppSemanticsManager();

// Every semantics class, the manager, the evaluators and the scan objects.
void RegisterSemanticsClasses();

} // namespace panolcd
