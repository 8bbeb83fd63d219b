#include "app/buildcommands.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "common/text.h"
#include "framework/environment/msgbox.h"
#include "framework/environment/trace.h"
#include "framework/records/database.h"
#include "framework/records/recordscontext.h"
#include "framework/windows/windowscontext.h"

#include <fstream>

namespace panolcd {
namespace {

void Announce(MainFormPort& port, FileRecId record, std::uint8_t command) {
    WindowsCtx().fileCmds.Of(record).Command = command;
    port.BroadcastFileCmd(record);
}

} // namespace

BuildCommands::BuildCommands(MainFormPort& port, ProcessLauncher& launcher,
                             std::function<bool()> generate,
                             std::function<void(const std::string&)> status)
    : port_(port), launcher_(launcher), generate_(std::move(generate)), status_(std::move(status)) {
}

std::string BuildCommands::BaseFile() {
    if (const TDataBase* project = ProjectColl())
        return project->DBFileName;
    return WindowsCtx().fileCmds.Prg.FileName;
}

std::optional<CommandLine> BuildCommands::ToolCommand(const std::string& templateText,
                                                      const std::string& extension,
                                                      CommandError& error) {
    error.message.clear();
    const std::string base = BaseFile();
    if (base.empty() || templateText.empty())
        return std::nullopt;
    const std::string file = ChangeFileExt(base, extension);
    if (!FileExistsAnyCase(file))
        return std::nullopt;
    return BuildCommandLine(templateText, ExistingSpelling(file), error);
}

void BuildCommands::Compile(bool generate) {
    const TDataBase* project = ProjectColl();
    if (project != nullptr && project->DBFileName.empty()) {
        MsgBox("", Utf8ToCp1250("Projekt *.LCD je třeba nejdříve uložit"),
               mb::kIconInformation | mb::kOk);
        return;
    }
    const std::string& program = WindowsCtx().fileCmds.Prg.FileName;
    if (project == nullptr && (program.empty() || SameTextAscii(program, kNonameFile))) {
        MsgBox("", Utf8ToCp1250("Projekt *.PRG je třeba nejdříve uložit"),
               mb::kIconInformation | mb::kOk);
        return;
    }
    Announce(port_, FileRecId::Prg, fcSave);
    Announce(port_, FileRecId::Ed, fcSave);
    WindowsCtx().fileCmds.Saved.Set("", fcClearErrMark);
    port_.BroadcastFileCmd(FileRecId::Saved);
    if (generate && project != nullptr && generate_ && !generate_())
        return;
    waiting_ = false;
    result_.Clear();

    CommandError error;
    const std::optional<CommandLine> command = ToolCommand(compilerTemplate, ".PRG", error);
    if (!command) {
        MsgBox("",
               error.message.empty() ? "Nelze spustit: chyba nebo soubor *.prg neexistuje"
                                     : error.message,
               mb::kIconError | mb::kOk);
        return;
    }
    const std::optional<std::string> result = ResultFilePath(command->text);
    resultPath_ = result.value_or("");
    if (result) {
        // Relative to the program's directory, in whatever letter case the file has.
        const std::string resolved = ExpandFileName(*result, ExtractFilePath(BaseFile()));
        if (const std::optional<std::filesystem::path> old = FindExistingFile(resolved)) {
            std::error_code ignored;
            std::filesystem::remove(*old, ignored);
        }
        resultPath_ = resolved;
    }
    if (!Start(*command))
        return;
    status_(Utf8ToCp1250("Překlad běží"));
    waiting_ = true;
    lastSeen_.reset();
}

void BuildCommands::Run() {
    CommandError error;
    const std::optional<CommandLine> command = ToolCommand(loaderTemplate, ".bin", error);
    if (!command) {
        MsgBox("",
               error.message.empty() ? "Nelze spustit: chyba nebo soubor *.bin neexistuje"
                                     : error.message,
               mb::kIconError | mb::kOk);
        return;
    }
    Start(*command);
}

bool BuildCommands::Start(const CommandLine& command) {
    std::string reason;
    if (launcher_.Start(command, ExtractFilePath(BaseFile()), reason))
        return true;
    ReportInternalError(command.text + " WinExec Error" + (reason.empty() ? "" : ": " + reason));
    return false;
}

void BuildCommands::Tick() {
    if (!waiting_ || resultPath_.empty())
        return;
    const std::optional<std::filesystem::path> file = FindExistingFile(resultPath_);
    if (!file)
        return; // not written yet
    const FileStamp seen = StampOfFile(FromFsPath(*file));
    if (!seen.exists)
        return;
    // Nothing locks a file being written here: it is read once it stood still for a tick.
    if (!lastSeen_ || *lastSeen_ != seen) {
        lastSeen_ = seen;
        return;
    }
    CheckResult(*file);
}

void BuildCommands::CheckResult(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return; // the next tick tries again
    waiting_ = false;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::string error;
    const std::optional<CompilerReport> report = ParseCompilerReport(lines, error);
    if (!report) {
        MsgBox("", error, mb::kIconError | mb::kOk);
        return;
    }
    const FileCmdRecs& records = WindowsCtx().fileCmds;
    result_.line = report->line;
    result_.begin = report->begin;
    result_.end = report->end;
    // A file named without its directory lies beside the program.
    result_.file = report->file.empty() || HasDirectoryPart(report->file)
                       ? report->file
                       : ExpandFileName(report->file, ExtractFilePath(BaseFile()));
    if (!records.Prg.FileName.empty() && SameTextCp1250(records.Prg.FileName, result_.file))
        result_.where = ErrorPlace::Program;
    else if (!records.Pri.FileName.empty() && SameTextCp1250(records.Pri.FileName, result_.file))
        result_.where = ErrorPlace::Screens;
    else
        result_.where = ErrorPlace::Other;
    status_(CompileStatusText(*report));
    if (ReportsError(*report))
        port_.ShowErrorLocation(result_);
}

} // namespace panolcd
