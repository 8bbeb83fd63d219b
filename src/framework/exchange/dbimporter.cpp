#include "framework/exchange/dbimporter.h"

#include "common/cp1250.h"
#include "framework/environment/msgbox.h"
#include "framework/exchange/dbcommit.h"
#include "framework/exchange/importrecord.h"
#include "framework/exchange/lexreader.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/records/initiatorcoll.h"

#include <algorithm>

namespace panolcd {
namespace {

constexpr int kStepBudgetMs = 110;

} // namespace

TDBImporter::TDBImporter(std::unique_ptr<TLexicalElemReader> reader, TDataBase& target,
                         int insertIx, int filterIx)
    : reader_(std::move(reader)), target_(target), insertIx_(insertIx), filterIx_(filterIx) {}

TDBImporter::~TDBImporter() {
    // Nested levels first: their databases are children of the outer ones.
    while (!levels_.empty())
        levels_.pop_back();
}

std::string TDBImporter::StatusText() const {
    return std::to_string(reader_->LineNumber());
}

int TDBImporter::Step() {
    switch (state_) {
    case State::Marker:
        ReadMarker();
        return 0;
    case State::Header:
        ReadHeader();
        break;
    case State::RecordOrEnd:
        ReadRecordOrEnd();
        break;
    case State::NextNested:
        ReadNextNested();
        break;
    case State::CreateRecord:
        CreateRecord();
        break;
    case State::Commit:
        Commit();
        return 0;
    case State::Error:
        ReportError();
        return 0;
    case State::Done:
        return 0;
    }
    if (reader_->IsError() && state_ != State::Done)
        state_ = State::Error;
    return kStepBudgetMs;
}

void TDBImporter::ReadMarker() {
    marker_ = reader_->NextChar();
    if (reader_->IsError()) {
        state_ = State::Error;
    } else if (marker_ == 0) {
        Stop(true); // an empty text imports nothing
    } else if (marker_ == '#' || marker_ == '%' || marker_ == '*' || marker_ == '@') {
        state_ = State::Header;
    } else {
        reader_->Expected('*');
        state_ = State::Error;
    }
}

// The marker says how the instance byte is taken: '#' and '%' give it explicitly, '@' gives the
// auxiliary byte (the instance byte is then 0), '*' inherits it from the nearest enclosing '*'
// database whose byte is not 0.
void TDBImporter::ReadHeader() {
    const std::uint8_t byte = reader_->ReadByte();
    const std::uint16_t type = reader_->ReadWord();
    if (reader_->IsError())
        return;
    const bool nested = !levels_.empty();
    std::uint8_t instByte = 0;
    std::uint8_t auxByte = 0;
    if (marker_ == '@') {
        auxByte = byte;
    } else if (marker_ == '*') {
        instByte = nested && instByte_ != 0 ? instByte_ : byte;
    } else {
        instByte = byte;
    }
    TDataBase* owner = nested ? levels_.back().database.get() : nullptr;
    Level level;
    level.savedInstByte = instByte_;
    // Fails with the creation error for a type without descriptor.
    level.database = TDataBase::New(owner, type, instByte, auxByte);
    level.database->NoAttach = true;
    if (marker_ == '*' && instByte != 0)
        instByte_ = instByte;
    const TDataBaseDscrObj* dscr = level.database->Descriptor();
    if (dscr == nullptr || !dscr->Iniciators || dscr->Iniciators->Count() == 0) {
        levels_.push_back(std::move(level));
        // Nothing could name the columns.
        reader_->Error(kErrImport, Utf8ToCp1250("Činnost přerušena"));
        return;
    }
    level.iniciators = CloneAs(*dscr->Iniciators);
    levels_.push_back(std::move(level));
    if (!levels_.back().iniciators->ImportHeaderListOK(*reader_))
        return;
    if (reader_->NextChar() != '<') {
        reader_->Expected('<');
        return;
    }
    state_ = State::RecordOrEnd;
}

void TDBImporter::ReadRecordOrEnd() {
    const char c = reader_->NextChar();
    if (c == '>') {
        EndDatabase();
        return;
    }
    if (c != '(') {
        reader_->Expected('>');
        return;
    }
    Level& level = levels_.back();
    bool nested = false;
    if (!level.iniciators->ImportHeaderValuesOK(*reader_, nested))
        return;
    level.nested.clear();
    level.nextNested = 0;
    if (nested) {
        for (TRecElIniciatorObj* iniciator : level.iniciators->HeaderElColl()) {
            if (iniciator != nullptr && iniciator->GetDBInstance() != -1 &&
                std::find(level.nested.begin(), level.nested.end(), iniciator) ==
                    level.nested.end())
                level.nested.push_back(iniciator);
        }
    }
    state_ = level.nested.empty() ? State::CreateRecord : State::NextNested;
}

void TDBImporter::ReadNextNested() {
    const Level& level = levels_.back();
    if (level.nextNested >= level.nested.size()) {
        state_ = State::CreateRecord;
        return;
    }
    marker_ = reader_->NextChar();
    if (marker_ != '*' && marker_ != '@') {
        reader_->Expected('*');
        return;
    }
    state_ = State::Header;
}

void TDBImporter::CreateRecord() {
    Level& level = levels_.back();
    std::unique_ptr<TDBRecordObj> record = BuildImportedRecord(*level.database, *level.iniciators);
    if (!record) {
        reader_->Error(kErrImport, Utf8ToCp1250("Činnost přerušena"));
        return;
    }
    level.database->Insert(std::move(record));
    state_ = State::RecordOrEnd;
}

void TDBImporter::EndDatabase() {
    Level level = std::move(levels_.back());
    levels_.pop_back();
    instByte_ = level.savedInstByte;
    level.database->NoAttach = false;
    if (levels_.empty()) {
        built_ = std::move(level.database);
        state_ = State::Commit;
        return;
    }
    Level& outer = levels_.back();
    TRecElIniciatorObj* iniciator = outer.nested[outer.nextNested++];
    const std::int16_t instance = level.database->InstAdr;
    iniciator->SetNestedDB(std::move(level.database), instance);
    state_ = State::NextNested;
}

void TDBImporter::Commit() {
    const CommitResult result =
        CommitRecords(std::move(built_), target_, insertIx_, filterIx_, *reader_);
    if (result == CommitResult::TypeMismatch) {
        state_ = State::Error;
        return;
    }
    Stop(result == CommitResult::Ok);
}

void TDBImporter::ReportError() {
    if (reader_->IsError())
        MsgBox("", reader_->FileName() + " Err", mb::kIconError | mb::kOk);
    else
        reader_->Error(kErrImport, Utf8ToCp1250("Činnost přerušena"));
    Stop(false);
}

void TDBImporter::Stop(bool ok) {
    state_ = State::Done;
    succeeded_ = ok;
    if (!ok) {
        while (!levels_.empty())
            levels_.pop_back();
        built_.reset();
    }
}

void TDBImporter::Halt() {
    Stop(false);
}

} // namespace panolcd
