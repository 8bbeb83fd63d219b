#pragma once
// What records need of the semantics engine before it exists in full: the manager that is told
// which record a semantics runs over, and the list of semantics ids an evaluator collection
// names. The semantics classes implement these; records only call them.

#include <cstdint>
#include <vector>

namespace panolcd {

class TDscrRecObj;
class TDataBase;

class SemanticsManager {
public:
    virtual ~SemanticsManager() = default;
    // `record` is the record the semantics `semId` runs over; nullptr ends the run.
    virtual void SetCurrentRecord(std::int16_t semId, TDscrRecObj* record) = 0;

    // Runs over whole databases. A manager without database semantics keeps the defaults.
    virtual bool HasSemantics(std::int16_t /*semId*/) const { return false; }
    // A device-index semantics takes the instance byte and answers true; others answer false.
    virtual bool SetDeviceIndex(std::int16_t /*semId*/, std::uint8_t /*instByte*/) { return false; }
    // The database the semantics runs over; nullptr ends the run.
    virtual void SetCurrentDataBase(std::int16_t /*semId*/, TDataBase* /*database*/) {}
    // Phase 1 begins a database run, phase 2 ends it.
    virtual void RunPhase(std::int16_t /*semId*/, int /*phase*/, int /*event*/) {}
};

// A record type's event evaluators: each names a semantics to run over the record on an event.
class SemEvaluatorIds {
public:
    virtual ~SemEvaluatorIds() = default;
    // The ids of the evaluators, in collection order.
    virtual std::vector<std::int16_t> EvaluatorIds() const = 0;
};

} // namespace panolcd
