#pragma once
// The flat CSV form of one database: one line per record. Export writes the records' CSV texts;
// import reads the initiators' values line by line from one file, a file mask or a list of
// files, each file through a temporary database that is committed into the target at its end.

#include "framework/exchange/exchangerunner.h"
#include "framework/exchange/steprunner.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

class TDataBase;
class TLexicalElemReader;
class TLexicalElemWriter;
class TRecIniciatorColl;
class TScanObject;
class TSemantics;

// The ordinary files of the mask's directory whose names match the mask (* and ?, letter case
// ignored); hidden files and directories are left out. Sorted by name without regard to letter
// case, without duplicates, each path cut to 254 characters.
std::vector<std::string> ListMaskFiles(std::string_view mask);
bool IsFileMask(std::string_view name);

class TCSVExporter final : public StepMachine {
public:
    // An empty header writes no header line.
    TCSVExporter(std::unique_ptr<TLexicalElemWriter> writer, TDataBase& database,
                 std::string header);
    ~TCSVExporter() override;

    int Step() override;
    bool Finished() const override { return done_; }
    bool Succeeded() const override { return succeeded_; }
    void Halt() override;
    std::string StatusText() const override;

private:
    void Finish();

    std::unique_ptr<TLexicalElemWriter> writer_;
    TDataBase& database_;
    std::string header_;
    int record_ = -1; // -1: the header comes next
    bool done_ = false;
    bool succeeded_ = false;
};

class TCSVImporter final : public StepMachine {
public:
    // `semId` >= 0: a semantics that accepts (Found) or refuses each record read. A record
    // that `check` refuses is an error of its line.
    TCSVImporter(std::vector<std::string> files, TDataBase& target, std::int16_t semId,
                 int insertIx, int filterIx, ImportedRecordCheck check = {});
    ~TCSVImporter() override;

    int Step() override;
    bool Finished() const override { return state_ == State::Done; }
    bool Succeeded() const override { return succeeded_; }
    void Halt() override;
    std::string StatusText() const override { return status_; }

private:
    enum class State { NextFile, Record, Commit, Error, Done };

    void OpenNextFile();
    int ReadRecord();
    void Commit();
    void ReportError();
    void CloseFile();
    void ReleaseSemantics();

    std::deque<std::string> pending_;
    TDataBase& target_;
    std::int16_t semId_;
    int insertIx_;
    int filterIx_;
    ImportedRecordCheck check_;
    std::string fileName_;
    std::unique_ptr<TLexicalElemReader> reader_;
    std::unique_ptr<TDataBase> temp_;
    std::unique_ptr<TRecIniciatorColl> iniciators_;
    TSemantics* semantics_ = nullptr;
    std::unique_ptr<TScanObject> scan_;
    long records_ = 0;
    std::string status_;
    State state_ = State::NextFile;
    bool stopAfterCommit_ = false;
    bool failed_ = false;
    bool succeeded_ = false;
};

} // namespace panolcd
