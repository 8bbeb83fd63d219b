#pragma once
// Writes a database, and every database nested in its records, as database text: marker,
// instance byte, type, caption comment, header list, then the records, each followed by the
// databases it holds, one indentation level deeper.

#include "framework/exchange/steprunner.h"

#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace panolcd {

class TDataBase;
class TLexicalElemWriter;
class TRecIniciatorColl;

// The writer settings of database text: the characters that always start a line.
std::bitset<256> DatabaseTextBreakChars();
// '#' for type 1, '@' for types 4 and 5, '%' for type 8, '*' for every other type.
char DatabaseMarker(std::uint16_t dbTypeId);
// Flushes and closes an export's writer; a failure is shown and answers false, so a truncated
// file is never taken for a finished export.
bool CloseExportWriter(TLexicalElemWriter& writer);

class TDBExporter final : public StepMachine {
public:
    // `toFile` is false for the clipboard: only an export to a file runs the saved semantics.
    TDBExporter(std::unique_ptr<TLexicalElemWriter> writer, TDataBase& database, bool toFile);
    ~TDBExporter() override;

    int Step() override;
    bool Finished() const override { return state_ == State::Done; }
    bool Succeeded() const override { return succeeded_; }
    // The file is dropped: the previous version stays in place.
    void Halt() override;
    std::string StatusText() const override;

private:
    enum class State { Begin, NextRecord, NextIniciator, EndDatabase, Finish, Done };
    struct Level {
        TDataBase* database = nullptr;
        std::unique_ptr<TRecIniciatorColl> iniciators;
        int record = -1;
        int iniciator = 0;
    };

    void BeginDatabase(Level& level);
    // True when the record holds nested databases to write after it.
    bool WriteRecord(Level& level);
    void NextIniciator(Level& level);
    void EndDatabase();
    void Finish();
    void Fail();
    void RunSavedSemantics(TDataBase& database) const;

    std::unique_ptr<TLexicalElemWriter> writer_;
    TDataBase& root_;
    bool toFile_;
    std::vector<Level> levels_;
    std::string indent_;
    State state_ = State::Begin;
    bool succeeded_ = false;
};

} // namespace panolcd
