#pragma once
// Compile (with or without generating the include file first), run, and the wait for the
// compiler's result file: its report on the status bar and its error line in the right editor.

#include "app/mainformports.h"
#include "build/compileresult.h"
#include "build/processlauncher.h"
#include "common/paths.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace panolcd {

class BuildCommands {
public:
    // `generate` writes the include file of the open project (false when it failed).
    BuildCommands(MainFormPort& port, ProcessLauncher& launcher, std::function<bool()> generate,
                  std::function<void(const std::string&)> status);

    // The templates in force ("WCOMPILE", "VSLOADER").
    std::string compilerTemplate;
    std::string loaderTemplate;

    // The project's file, or the bare program's.
    static std::string BaseFile();
    // The command for the base file with `extension`; none when the template or the base file
    // is empty or the file is missing. A bad template or an over-long line is refused with
    // `error` set.
    static std::optional<CommandLine>
    ToolCommand(const std::string& templateText, const std::string& extension, CommandError& error);

    void Compile(bool generate);
    void Run();
    // The system tick: while waiting, reads a result file that stood still since the last tick.
    void Tick();
    bool Waiting() const { return waiting_; }
    const TCompileResult& Result() const { return result_; }
    void ClearResult() { result_.Clear(); }
    const std::string& ResultPath() const { return resultPath_; }

private:
    bool Start(const CommandLine& command);
    void CheckResult(const std::filesystem::path& file);

    MainFormPort& port_;
    ProcessLauncher& launcher_;
    std::function<bool()> generate_;
    std::function<void(const std::string&)> status_;
    TCompileResult result_;
    std::string resultPath_;
    bool waiting_ = false;
    // The result file's size and time at the last tick, to see that it is written out.
    std::optional<FileStamp> lastSeen_;
};

} // namespace panolcd
