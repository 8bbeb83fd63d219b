#pragma once
// The driver of the code generator and its public entry: walks the grammar trees of the include
// file (.PRI) and the project declaration (.T10) without recursion and writes both files beside
// the project file.

#include "framework/environment/conversions.h"
#include "generator/codeexporter.h"
#include "generator/syntaxobject.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

inline constexpr std::uint8_t kNoFont = 255;
inline constexpr std::size_t kOutputNameCap = kFileNameCap;

class TSyntaxParser {
public:
    TSyntaxParser();
    ~TSyntaxParser();
    TSyntaxParser(const TSyntaxParser&) = delete;
    TSyntaxParser& operator=(const TSyntaxParser&) = delete;

    std::string OutputName;
    std::unique_ptr<TCodeExporter> Exporter = std::make_unique<TCodeExporter>();
    std::unique_ptr<TSyntaxObject> PriRoot;
    std::unique_ptr<TSyntaxObject> T10Root;
    TSyntaxObject* CurrentNode = nullptr;
    std::uint8_t CurrentFont = kNoFont;

    // The generation time text of the run and what it noticed on the way.
    std::string GenTime;
    std::vector<std::string> Warnings;

    void OpenOutput(std::string_view path);
    // The text writer's error text; empty when the file was written.
    std::string CloseOutput();
    void StartPri();
    void EmitPri();
    void StartT10();
    void EmitT10();
    void StepOnce();
    void Run();

    // Reported to the trace and kept for the caller.
    void Warn(std::string text);
};

// What the generator needs of the window layer: windows take pending edits into their records
// before anything is read; the PRI viewer and editors reload the file afterwards.
class GeneratorHost {
public:
    virtual ~GeneratorHost() = default;
    // False when a window refused its pending edits; nothing is generated then.
    virtual bool CommitPendingEdits() = 0;
    virtual void PriFileWritten(const std::string& priPath) = 0; // announce fcLoad then fcReload
    // True when the read-only output may be replaced: the user agreed, and the host holds the
    // consent while it lives. Without a user the file is refused.
    virtual bool MayReplaceReadOnly(const std::string& /*path*/) { return false; }
};

// Batch mode: no windows.
class NullGeneratorHost final : public GeneratorHost {
public:
    bool CommitPendingEdits() override { return true; }
    void PriFileWritten(const std::string&) override {}
};

struct GenerationResult {
    bool generated = false;            // false: nothing to generate (no project / never saved /
                                       // project file missing) or an error below
    std::string priPath, t10Path;      // Windows-1250 stored names
    std::vector<std::string> errors;   // a file that could not be written ("<file>: <reason>"),
                                       // a malformed SOURCE_DATE_EPOCH
    std::vector<std::string> warnings; // cut Prg_Bank path ...
};

// Writes <project>.PRI and <project>.T10 beside the open project's file.
GenerationResult GenerateProjectCode(GeneratorHost& host);

// The process's parser, created on first use.
TSyntaxParser& SyntaxParser();

} // namespace panolcd
