#pragma once
// Process-wide state in one place, so that each test can start from a clean slate.

#include "common/handletable.h"
#include "framework/environment/appextension.h"
#include "framework/environment/ports.h"
#include "framework/environment/settings.h"
#include "framework/environment/trace.h"
#include "framework/exchange/clipboardstream.h"
#include "framework/records/instancemanager.h"
#include "framework/windows/commands.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace panolcd {

struct ParamScanner;
class TDataBase;
class TrbStreamable;
class StepRunner;
class TSyntaxParser;
class RecordWindowHost;

struct ProcessContext {
    ProcessContext();
    ~ProcessContext();
    ProcessContext(const ProcessContext&) = delete;
    ProcessContext& operator=(const ProcessContext&) = delete;

    // Handle of the first record of the project's root database that owns a sub-database of
    // type `dbType` (0 = none); by default RootRecordHandle.
    std::function<std::uint32_t(std::uint16_t dbType)> rootRecordLookup;
    SettingsLocation settings;
    TAppExtension app;
    TraceState trace;

    bool useClipboard = false;
    std::uint8_t expLineWidth = 80;

    // The parameter-text scanner of the parse in progress (nested parses save and restore it).
    ParamScanner* paramScanner = nullptr;

    std::unique_ptr<UserPort> user = std::make_unique<HeadlessUserPort>();
    std::unique_ptr<ClockPort> clock = std::make_unique<SystemClock>();
    // The system clipboard; the ui installs its own.
    std::unique_ptr<ClipboardPort> clipboard = std::make_unique<MemoryClipboardPort>();
    // Token texts on their way to and from the clipboard.
    TClipBoardStreamMan clipboardStream;
    // Registered dialogs; the ui installs its own.
    std::unique_ptr<DialogPort> dialogs = std::make_unique<HeadlessDialogPort>();
    // The runner of long exchanges (not owned); none: they run to their end at once.
    StepRunner* stepRunner = nullptr;
    // Handles of objects referred to from transfer buffers; a record leaves it when freed.
    HandleTable<TrbStreamable> handles;
    // Instance addresses of databases; reset with each project.
    TDBInstMan instMan;
    // The open project's root database; none without a project.
    std::unique_ptr<TDataBase> projectColl;
    // The file command records the main window announces to the editor windows.
    FileCmdRecs fileCmds;
    // The secondary global database a record window made; none until then.
    std::unique_ptr<TDataBase> secondGlobalDB;
    // The main window record windows are opened in (not owned); none without a user interface.
    RecordWindowHost* windowHost = nullptr;
    // The code generator's driver, created on the first generation; it goes first at the end.
    std::unique_ptr<TSyntaxParser> syntaxParser;
};

ProcessContext& Ctx();
// Replaces the context by a fresh one (tests, and the start of the program).
void ResetContext();

} // namespace panolcd
