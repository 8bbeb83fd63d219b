#include "generator/syntaxparser.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "common/shortstring.h"
#include "framework/environment/conversions.h"
#include "framework/environment/trace.h"
#include "framework/exchange/safetycopy.h"
#include "generator/generationtime.h"
#include "generator/generatorcontext.h"
#include "generator/prigrammar.h"
#include "generator/t10grammar.h"
#include "project/projectmodel.h"

#include <filesystem>
#include <system_error>

namespace panolcd {

TSyntaxParser::TSyntaxParser() = default;
TSyntaxParser::~TSyntaxParser() = default;

void TSyntaxParser::OpenOutput(std::string_view path) {
    OutputName = CutShortString(path, kOutputNameCap);
    Exporter->OpenOutput(OutputName);
}

std::string TSyntaxParser::CloseOutput() {
    for (const TCodeExporter::CutLine& cut : Exporter->CutLines)
        Warn(OutputName + ":" + std::to_string(cut.number) + ": line cut to " +
             std::to_string(kMaxLineLength) + " characters: " + cut.text);
    std::string error = Exporter->CloseOutput();
    OutputName.clear();
    return error;
}

void TSyntaxParser::StartPri() {
    PriRoot.reset();
    PriRoot = std::make_unique<Tterminal_declarations>(*this, nullptr);
    CurrentNode = PriRoot.get();
    CurrentNode->Start(kBuildPhase);
}

void TSyntaxParser::EmitPri() {
    CurrentNode = PriRoot.get();
    if (CurrentNode)
        CurrentNode->Start(kEmitPhase);
}

void TSyntaxParser::StartT10() {
    T10Root.reset();
    T10Root = std::make_unique<Tpanocon_project>(*this, nullptr);
    CurrentNode = T10Root.get();
    CurrentNode->Start(kBuildPhase);
}

void TSyntaxParser::EmitT10() {
    CurrentNode = T10Root.get();
    if (CurrentNode)
        CurrentNode->Start(kEmitPhase);
}

void TSyntaxParser::StepOnce() {
    switch (CurrentNode->Step()) {
    case StepDown:
        if (TSyntaxObject* child = CurrentNode->CurrentChild())
            CurrentNode = child;
        break;
    case StepUp:
        CurrentNode = CurrentNode->Parent();
        break;
    case StepAgain:
        break;
    }
}

void TSyntaxParser::Run() {
    while (CurrentNode != nullptr)
        StepOnce();
}

void TSyntaxParser::Warn(std::string text) {
    TraceLine(0, text);
    Warnings.push_back(std::move(text));
}

namespace {

bool SameFile(const std::string& a, const std::string& b) {
    if (a == b)
        return true;
    std::error_code ignored;
    return std::filesystem::equivalent(ToFsPath(a), ToFsPath(b), ignored);
}

// Why an output (or the safety copy it would replace) must not be written: a name too long to be
// held whole, or the project file itself. Empty when it may be written.
std::string RefusedOutput(const std::string& output, const std::string& projectFile) {
    if (output.size() > kOutputNameCap)
        return LongFileNameText(output);
    if (SameFile(output, projectFile) || SameFile(SafetyCopyName(output), projectFile))
        return output + ": " + Utf8ToCp1250("výstupní soubor by přepsal soubor projektu");
    return {};
}

} // namespace

TSyntaxParser& SyntaxParser() {
    std::unique_ptr<TSyntaxParser>& parser = GeneratorCtx().syntaxParser;
    if (!parser)
        parser = std::make_unique<TSyntaxParser>();
    return *parser;
}

GenerationResult GenerateProjectCode(GeneratorHost& host) {
    GenerationResult result;
    TSyntaxParser& parser = SyntaxParser();
    parser.Warnings.clear();

    std::string error;
    const std::optional<LocalDateTime> instant = GenerationInstant(error);
    if (!instant) {
        result.errors.push_back(error);
        return result;
    }

    const std::string projectFile = ProjectFileName();
    if (OpenProject() == nullptr || projectFile.empty() || !FindExistingFile(projectFile))
        return result;
    result.priPath = ChangeFileExt(projectFile, ".PRI");
    result.t10Path = ChangeFileExt(projectFile, ".T10");
    for (const std::string& output : {result.priPath, result.t10Path}) {
        std::string refusal = RefusedOutput(output, projectFile);
        if (refusal.empty() && result.errors.empty() && IsReadOnlyFile(output) &&
            !host.MayReplaceReadOnly(output))
            refusal = output + ": " + Utf8ToCp1250("soubor je jen pro čtení");
        if (!refusal.empty())
            result.errors.push_back(refusal);
    }
    if (!result.errors.empty())
        return result;
    parser.GenTime = FormatGenerationTime(*instant);

    if (!host.CommitPendingEdits())
        return result;

    parser.OpenOutput(result.priPath);
    parser.StartPri();
    parser.Run();
    parser.EmitPri();
    parser.Run();
    const std::string priError = parser.CloseOutput();

    parser.OpenOutput(result.t10Path);
    parser.StartT10();
    parser.Run();
    parser.EmitT10();
    parser.Run();
    const std::string t10Error = parser.CloseOutput();

    // "<file>: <reason>"; the writer gives "<file>-<reason>".
    const auto report = [&result](const std::string& path, const std::string& text) {
        if (text.empty())
            return;
        const std::string prefix = path + "-";
        result.errors.push_back(path + ": " +
                                (text.starts_with(prefix) ? text.substr(prefix.size()) : text));
    };
    report(result.priPath, priError);
    report(result.t10Path, t10Error);
    result.warnings = parser.Warnings;
    result.generated = result.errors.empty();
    if (priError.empty())
        host.PriFileWritten(result.priPath);
    return result;
}

} // namespace panolcd
