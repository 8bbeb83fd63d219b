#include "framework/exchange/exchangerunner.h"

#include "framework/environment/envcontext.h"
#include "framework/environment/msgbox.h"
#include "framework/exchange/csvexchange.h"
#include "framework/exchange/dbexporter.h"
#include "framework/exchange/dbimporter.h"
#include "framework/exchange/lexreader.h"
#include "framework/exchange/lexwriter.h"
#include "framework/exchange/steprunner.h"
#include "framework/records/database.h"

#include <exception>
#include <memory>

namespace panolcd {
namespace {

bool Drive(StepMachine& machine, StepRunner* runner, StepWindowKind kind, const char* caption,
           const char* label) {
    StepRunner& used = runner != nullptr ? *runner : CurrentStepRunner();
    const bool finished = used.Run(machine, StepWindowTexts{caption, label, kind});
    return finished && machine.Succeeded();
}

// Opening a file can fail before any step runs; that is shown like a failing step.
template <class Make> std::unique_ptr<StepMachine> Prepare(Make make) {
    try {
        return make();
    } catch (const std::exception& e) {
        MsgBox("", e.what(), mb::kIconError | mb::kOk);
    }
    return nullptr;
}

} // namespace

bool ExportDatabase(std::string_view fileName, TDataBase& database, StepRunner* runner) {
    auto machine = Prepare([&] {
        auto writer = std::make_unique<TLexicalElemWriter>(fileName, DatabaseTextBreakChars(),
                                                           EnvCtx().expLineWidth);
        return std::make_unique<TDBExporter>(std::move(writer), database, !fileName.empty());
    });
    return machine && Drive(*machine, runner, StepWindowKind::Export, "Export Database", "Export:");
}

bool ImportDatabase(std::string_view fileName, TDataBase& target, int insertIx, int filterIx,
                    StepRunner* runner) {
    auto machine = Prepare([&] {
        return std::make_unique<TDBImporter>(std::make_unique<TLexicalElemReader>(fileName), target,
                                             insertIx, filterIx);
    });
    return machine && Drive(*machine, runner, StepWindowKind::Import, "Import Database", "Import:");
}

bool ExportCSV(std::string_view fileName, TDataBase& database, std::string_view header,
               StepRunner* runner) {
    auto machine = Prepare([&] {
        auto writer = std::make_unique<TLexicalElemWriter>(fileName, TLexicalElemWriter::CharSet(),
                                                           TLexicalElemWriter::kMaxWidth);
        return std::make_unique<TCSVExporter>(std::move(writer), database, std::string(header));
    });
    return machine &&
           Drive(*machine, runner, StepWindowKind::ExportCSV, "CSV Export Database", "CSV Export:");
}

bool ImportCSV(std::string_view fileName, const std::vector<std::string>& fileList,
               TDataBase& target, std::int16_t semId, int insertIx, int filterIx,
               StepRunner* runner, const ImportedRecordCheck& check) {
    std::vector<std::string> files;
    if (IsFileMask(fileName))
        files = ListMaskFiles(fileName);
    else if (!fileName.empty())
        files.emplace_back(fileName);
    files.insert(files.end(), fileList.begin(), fileList.end());
    TCSVImporter machine(std::move(files), target, semId, insertIx, filterIx, check);
    return Drive(machine, runner, StepWindowKind::ImportCSV, "CSV Import Database", "CSV Import:");
}

} // namespace panolcd
