#pragma once
// Reads one database text, with the databases nested in its records, into a database built
// apart from the target, and commits its records into the target at the end. Until the commit
// the target is not touched; a failed import frees everything it built.

#include "framework/exchange/steprunner.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace panolcd {

class TDataBase;
class TLexicalElemReader;
class TRecElIniciatorObj;
class TRecIniciatorColl;

class TDBImporter final : public StepMachine {
public:
    // `insertIx` inside the target inserts there (in text order), otherwise records are
    // appended; `filterIx` >= 0 lets the target's filter refuse records.
    TDBImporter(std::unique_ptr<TLexicalElemReader> reader, TDataBase& target, int insertIx,
                int filterIx);
    ~TDBImporter() override;

    int Step() override;
    bool Finished() const override { return state_ == State::Done; }
    bool Succeeded() const override { return succeeded_; }
    void Halt() override;
    std::string StatusText() const override;
    // The reader, for callers that check what follows the text or where a failure stood.
    TLexicalElemReader& Reader() { return *reader_; }

private:
    enum class State { Marker, Header, RecordOrEnd, NextNested, CreateRecord, Commit, Error, Done };
    struct Level {
        std::unique_ptr<TDataBase> database;
        std::unique_ptr<TRecIniciatorColl> iniciators;
        // The instance byte the enclosing levels hand down, restored when this level ends.
        std::uint8_t savedInstByte = 0;
        // The pointer initiators of the pending record whose databases follow it.
        std::vector<TRecElIniciatorObj*> nested;
        std::size_t nextNested = 0;
    };

    void ReadMarker();
    void ReadHeader();
    void ReadRecordOrEnd();
    void ReadNextNested();
    void CreateRecord();
    void EndDatabase();
    void Commit();
    void ReportError();
    void Stop(bool ok);

    std::unique_ptr<TLexicalElemReader> reader_;
    TDataBase& target_;
    int insertIx_;
    int filterIx_;
    std::vector<Level> levels_;
    std::unique_ptr<TDataBase> built_; // the finished top-level database, waiting for the commit
    char marker_ = 0;
    std::uint8_t instByte_ = 0; // shared by all databases of one import
    State state_ = State::Marker;
    bool succeeded_ = false;
};

} // namespace panolcd
