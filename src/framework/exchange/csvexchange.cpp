#include "framework/exchange/csvexchange.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "common/shortstring.h"
#include "common/text.h"
#include "framework/environment/msgbox.h"
#include "framework/exchange/dbcommit.h"
#include "framework/exchange/dbexporter.h"
#include "framework/exchange/importrecord.h"
#include "framework/exchange/lexreader.h"
#include "framework/exchange/lexwriter.h"
#include "framework/records/appdata.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/records/initiatorcoll.h"
#include "framework/records/semantics.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

namespace panolcd {
namespace {

constexpr std::size_t kRecordTextMax = 4096;
constexpr std::size_t kFileNameMax = 254;
constexpr int kRecordBudgetMs = 55;
constexpr long kRecordsPerRepaint = 512;
constexpr int kErrCsvImport = 149;

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// '*' matches any run of characters, '?' one character; letter case is ignored.
bool MatchesMask(std::string_view name, std::string_view mask) {
    std::size_t n = 0;
    std::size_t m = 0;
    std::size_t starMask = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || UpperAscii(mask[m]) == UpperAscii(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

bool FileExists(const std::string& name) {
    std::error_code error;
    const auto existing = FindExistingFile(name);
    return existing && std::filesystem::is_regular_file(*existing, error);
}

} // namespace

bool IsFileMask(std::string_view name) {
    return name.find_first_of("*?") != std::string_view::npos;
}

std::vector<std::string> ListMaskFiles(std::string_view mask) {
    const std::string dir = ExtractFilePath(mask);
    const std::string pattern = ExtractFileName(mask);
    std::vector<std::string> files;
    std::error_code error;
    const std::filesystem::path fsDir = dir.empty() ? std::filesystem::path(".") : ToFsPath(dir);
    for (std::filesystem::directory_iterator it(fsDir, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file(error))
            continue;
        const std::string name = FromFsPath(it->path().filename());
        if (name.empty() || name[0] == '.' || !MatchesMask(name, pattern))
            continue;
        files.push_back(CutShortString(dir + name, kFileNameMax));
    }
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        return CompareTextCp1250(a, b) < 0;
    });
    files.erase(std::unique(files.begin(), files.end(),
                            [](const std::string& a, const std::string& b) {
                                return CompareTextCp1250(a, b) == 0;
                            }),
                files.end());
    return files;
}

// ---- export

TCSVExporter::TCSVExporter(std::unique_ptr<TLexicalElemWriter> writer, TDataBase& database,
                           std::string header)
    : writer_(std::move(writer)), database_(database), header_(std::move(header)) {}

TCSVExporter::~TCSVExporter() {
    // A machine dropped before its end (the user cancelled) leaves no partial file behind.
    if (!done_)
        Halt();
}

std::string TCSVExporter::StatusText() const {
    return writer_ ? std::to_string(writer_->LineCount()) : std::string();
}

int TCSVExporter::Step() {
    if (done_)
        return 0;
    if (record_ < 0) {
        record_ = 0;
        if (database_.Count() == 0) {
            Finish();
            return 0;
        }
        if (!header_.empty())
            writer_->WriteLine(header_);
        return kRecordBudgetMs;
    }
    if (record_ >= database_.Count()) {
        Finish();
        return 0;
    }
    if (TDBRecordObj* record = database_.Record(record_)) {
        std::string text;
        record->GetCSV_AStr(text, kRecordTextMax);
        writer_->WriteLine(text);
    }
    ++record_;
    return kRecordBudgetMs;
}

void TCSVExporter::Finish() {
    done_ = true;
    succeeded_ = CloseExportWriter(*writer_);
}

void TCSVExporter::Halt() {
    done_ = true;
    succeeded_ = false;
    if (writer_)
        writer_->Abandon();
}

// ---- import

TCSVImporter::TCSVImporter(std::vector<std::string> files, TDataBase& target, std::int16_t semId,
                           int insertIx, int filterIx, ImportedRecordCheck check)
    : pending_(files.begin(), files.end()), target_(target), semId_(semId), insertIx_(insertIx),
      filterIx_(filterIx), check_(std::move(check)) {}

TCSVImporter::~TCSVImporter() {
    ReleaseSemantics();
}

int TCSVImporter::Step() {
    switch (state_) {
    case State::NextFile:
        OpenNextFile();
        return 0;
    case State::Record:
        return ReadRecord();
    case State::Commit:
        Commit();
        return 0;
    case State::Error:
        ReportError();
        return 0;
    case State::Done:
        break;
    }
    return 0;
}

void TCSVImporter::OpenNextFile() {
    CloseFile();
    while (!pending_.empty() && !FileExists(pending_.front()))
        pending_.pop_front(); // gone since the list was made
    if (pending_.empty() || stopAfterCommit_) {
        state_ = State::Done;
        succeeded_ = !failed_;
        return;
    }
    fileName_ = pending_.front();
    pending_.pop_front();
    records_ = 0;
    reader_ = std::make_unique<TLexicalElemReader>(fileName_);
    temp_ = TDataBase::New(nullptr, target_.DB_TypeID, target_.InstByte, target_.AuxByte);
    temp_->NoAttach = true;
    const TDataBaseDscrObj* dscr = temp_->Descriptor();
    if (dscr == nullptr || !dscr->Iniciators || dscr->Iniciators->Count() == 0) {
        reader_->Error(kErrCsvImport, Utf8ToCp1250("Činnost přerušena"));
        state_ = State::Error;
        return;
    }
    iniciators_ = CloneAs(*dscr->Iniciators);
    if (semId_ >= 0 && (semantics_ = AppSemantics(semId_)) != nullptr) {
        semantics_->ResetAll();
        scan_ = std::make_unique<TScanObject>();
        semantics_->ScanObj = scan_.get();
    }
    state_ = State::Record;
}

int TCSVImporter::ReadRecord() {
    // The end of the file first: a file holding exactly as many records as fit is whole.
    const char c = reader_->PeekChar();
    if (!reader_->IsError() && c == 0) {
        state_ = State::Commit;
        return 0;
    }
    if (temp_->IsFull()) {
        MsgBox("", Utf8ToCp1250("Další záznamy nelze založit, dosaženo max. počtu záznamů DB."),
               mb::kIconInformation | mb::kOk);
        failed_ = true;
        stopAfterCommit_ = true;
        state_ = State::Commit;
        return 0;
    }
    bool nested = false;
    if (reader_->IsError() || !iniciators_->ImportRecordCSVValuesOK(*reader_, nested)) {
        state_ = State::Error;
        return 0;
    }
    std::unique_ptr<TDBRecordObj> record = BuildImportedRecord(*temp_, *iniciators_);
    if (!record) {
        reader_->Error(kErrCsvImport, Utf8ToCp1250("Činnost přerušena"));
        state_ = State::Error;
        return 0;
    }
    if (check_) {
        if (const std::string refusal = check_(*record, *iniciators_); !refusal.empty()) {
            reader_->Error(kErrCsvImport, refusal);
            state_ = State::Error;
            return 0;
        }
    }
    if (semantics_ != nullptr) {
        semantics_->ResetResults();
        record->RunRecSemantics(semId_, kSemEventScan);
        if (!semantics_->Found)
            record.reset();
    }
    if (record)
        temp_->Insert(std::move(record));
    ++records_;
    if (reader_->LineNumber() % 10 == 0)
        status_ = std::to_string(reader_->LineNumber());
    return records_ % kRecordsPerRepaint == 0 ? 0 : kRecordBudgetMs;
}

void TCSVImporter::Commit() {
    status_ = fileName_ + " " + std::to_string(reader_->LineNumber());
    temp_->NoAttach = false;
    if (CommitRecords(std::move(temp_), target_, insertIx_, filterIx_, *reader_) !=
        CommitResult::Ok) {
        failed_ = true;
        stopAfterCommit_ = true;
    }
    ReleaseSemantics();
    state_ = State::NextFile;
}

void TCSVImporter::ReportError() {
    if (reader_->IsError())
        MsgBox("", fileName_ + " Err", mb::kIconError | mb::kOk);
    else
        reader_->Error(kErrCsvImport, Utf8ToCp1250("Činnost přerušena"));
    Halt();
}

void TCSVImporter::CloseFile() {
    iniciators_.reset();
    temp_.reset();
    reader_.reset();
}

void TCSVImporter::ReleaseSemantics() {
    if (semantics_ == nullptr)
        return;
    semantics_->ResetAll();
    semantics_ = nullptr;
    scan_.reset();
}

void TCSVImporter::Halt() {
    state_ = State::Done;
    succeeded_ = false;
    ReleaseSemantics();
    CloseFile();
}

} // namespace panolcd
