#include "framework/exchange/dbexporter.h"

#include "common/cp1250.h"
#include "common/littleendian.h"
#include "framework/environment/msgbox.h"
#include "framework/environment/trace.h"
#include "framework/exchange/lexwriter.h"
#include "framework/records/appdata.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/records/initiatorcoll.h"
#include "framework/records/semantics.h"

#include <exception>

namespace panolcd {
namespace {

constexpr int kStepBudgetMs = 110;
constexpr const char* kIndentStep = "  ";

// A database that can be written: one whose type has initiators to name its columns.
TRecIniciatorColl* ExportableIniciators(const TDataBase* database) {
    if (database == nullptr || database->Descriptor() == nullptr)
        return nullptr;
    TRecIniciatorColl* iniciators = database->Descriptor()->Iniciators.get();
    return iniciators != nullptr && iniciators->Count() > 0 ? iniciators : nullptr;
}

// The caption stands in a comment: a '}' would end it early and a quote would swallow the rest of
// the text, so they are written as other characters.
std::string CommentSafe(std::string text) {
    for (char& c : text) {
        if (c == '}')
            c = ')';
        else if (c == '\'' || c == '"')
            c = '`';
    }
    return text;
}

} // namespace

std::bitset<256> DatabaseTextBreakChars() {
    std::bitset<256> set;
    for (const char c : {'#', '%', '(', '*', '<', '>', '@', '['})
        set.set(static_cast<unsigned char>(c));
    return set;
}

char DatabaseMarker(std::uint16_t dbTypeId) {
    switch (dbTypeId) {
    case 1:
        return '#';
    case 4:
    case 5:
        return '@';
    case 8:
        return '%';
    default:
        return '*';
    }
}

TDBExporter::TDBExporter(std::unique_ptr<TLexicalElemWriter> writer, TDataBase& database,
                         bool toFile)
    : writer_(std::move(writer)), root_(database), toFile_(toFile) {}

TDBExporter::~TDBExporter() {
    // A machine dropped before its end (the user cancelled) leaves no partial file behind.
    if (state_ != State::Done)
        Halt();
}

std::string TDBExporter::StatusText() const {
    return writer_ ? std::to_string(writer_->LineCount()) : std::string();
}

int TDBExporter::Step() {
    switch (state_) {
    case State::Begin:
        if (levels_.empty())
            levels_.push_back(Level{&root_, nullptr, -1, 0});
        BeginDatabase(levels_.back());
        return state_ == State::Done ? 0 : kStepBudgetMs;
    case State::NextRecord: {
        Level& level = levels_.back();
        if (++level.record >= level.database->Count())
            state_ = State::EndDatabase;
        else if (WriteRecord(level))
            state_ = State::NextIniciator;
        return kStepBudgetMs;
    }
    case State::NextIniciator:
        NextIniciator(levels_.back());
        return kStepBudgetMs;
    case State::EndDatabase:
        EndDatabase();
        return kStepBudgetMs;
    case State::Finish:
        Finish();
        return 0;
    case State::Done:
        break;
    }
    return 0;
}

void TDBExporter::BeginDatabase(Level& level) {
    TDataBase& database = *level.database;
    TRecIniciatorColl* iniciators = ExportableIniciators(&database);
    if (iniciators == nullptr) { // only the top level can get here: nested ones are checked
        Fail();
        return;
    }
    // A copy: the pointer initiators remember what they wrote.
    level.iniciators = CloneAs(*iniciators);
    const std::uint16_t type = database.DB_TypeID;
    const char marker = DatabaseMarker(type);
    writer_->AppendChar(marker);
    writer_->Append(" " + HexToken(marker == '@' ? database.AuxByte : database.InstByte, 2));
    writer_->Append(" " + HexToken(type, 4));
    writer_->Append(" { " + CommentSafe(database.Descriptor()->Caption()) + " } ");
    level.iniciators->ExportHeaderList(*writer_);
    if (toFile_)
        RunSavedSemantics(database);
    writer_->AppendChar('<');
    state_ = State::NextRecord;
}

void TDBExporter::RunSavedSemantics(TDataBase& database) const {
    const std::int16_t semId = database.Descriptor()->SavedSemId;
    if (semId < 0 || !database.IsModified())
        return;
    TSemantics* semantics = AppSemantics(semId);
    if (semantics == nullptr) {
        ReportInternalError("TLexicalElemWriter.Create: ChfSavedSem not found");
        return;
    }
    semantics->ResetAll();
    try {
        database.RunDBSemantics(semId, kDBEventStore);
    } catch (...) {
        semantics->ResetAll();
        throw;
    }
    semantics->ResetAll();
}

bool TDBExporter::WriteRecord(Level& level) {
    TDBRecordObj* record = level.database->Record(level.record);
    if (record == nullptr)
        return false;
    TRecIniciatorColl& iniciators = *level.iniciators;
    // The values are written from a copy in which a pointer to a sub-database that is missing (or
    // cannot be written) reads "none": an address with no database after it could not be read.
    std::vector<std::uint8_t> data = record->RecData;
    data.resize(std::max<std::size_t>(data.size(), iniciators.GetIniciatorRecSize()), 0);
    bool nested = false;
    std::size_t offset = 0;
    for (int i = 0; i < iniciators.Count(); ++i) {
        TRecElIniciatorObj* iniciator = iniciators.Iniciator(i);
        if (iniciator == nullptr)
            continue;
        if (dynamic_cast<TDBPtrElIniciatorObj*>(iniciator) != nullptr) {
            const auto instance = ReadLE<std::int16_t>(data.data() + offset);
            if (instance != TDBPtrElIniciatorObj::kNoInstance) {
                const auto* sub =
                    record->SubDBs
                        ? dynamic_cast<const TDataBase*>(record->SubDBs->FindByInstance(instance))
                        : nullptr;
                if (ExportableIniciators(sub) == nullptr)
                    WriteLE<std::int16_t>(data.data() + offset, TDBPtrElIniciatorObj::kNoInstance);
                else
                    nested = true;
            }
        }
        offset += iniciator->GetElSize();
    }
    iniciators.ExportRecordValue(data.data(), *writer_);
    level.iniciator = 0;
    return nested;
}

void TDBExporter::NextIniciator(Level& level) {
    TDBRecordObj* record = level.database->Record(level.record);
    TRecIniciatorColl& iniciators = *level.iniciators;
    while (level.iniciator < iniciators.Count()) {
        TRecElIniciatorObj* iniciator = iniciators.Iniciator(level.iniciator++);
        if (iniciator == nullptr || record == nullptr)
            continue;
        auto* sub = dynamic_cast<TDataBase*>(iniciator->FindNestedDB(record->SubDBs.get()));
        if (sub == nullptr)
            continue;
        indent_ += kIndentStep;
        writer_->SetIndent(indent_);
        levels_.push_back(Level{sub, nullptr, -1, 0});
        BeginDatabase(levels_.back());
        return;
    }
    state_ = State::NextRecord;
}

void TDBExporter::EndDatabase() {
    writer_->AppendChar('>');
    levels_.pop_back();
    if (levels_.empty()) {
        state_ = State::Finish;
        return;
    }
    indent_.resize(indent_.size() - std::string_view(kIndentStep).size());
    writer_->SetIndent(indent_);
    state_ = State::NextIniciator;
}

bool CloseExportWriter(TLexicalElemWriter& writer) {
    try {
        writer.Close();
        return true;
    } catch (const std::exception&) {
        MsgBox(Utf8ToCp1250("Export databází"), "LexicalElemWriter.WriterErr",
               mb::kIconError | mb::kOk);
        return false;
    }
}

void TDBExporter::Finish() {
    state_ = State::Done;
    succeeded_ = CloseExportWriter(*writer_);
}

void TDBExporter::Fail() {
    state_ = State::Done;
    writer_->Abandon();
    MsgBox(Utf8ToCp1250("Export databází"), Utf8ToCp1250("Činnost přerušena"),
           mb::kIconError | mb::kOk);
}

void TDBExporter::Halt() {
    state_ = State::Done;
    succeeded_ = false;
    levels_.clear();
    if (writer_)
        writer_->Abandon();
}

} // namespace panolcd
