#include "generator/syntaxparser.h"

#include "common/paths.h"
#include "common/shortstring.h"
#include "framework/environment/context.h"
#include "framework/environment/trace.h"
#include "generator/generationtime.h"
#include "generator/prigrammar.h"
#include "generator/t10grammar.h"
#include "project/projectmodel.h"

namespace panolcd {

TSyntaxParser::TSyntaxParser() = default;
TSyntaxParser::~TSyntaxParser() = default;

void TSyntaxParser::OpenOutput(std::string_view path) {
    OutputName = CutShortString(path, kOutputNameCap);
    Exporter->OpenOutput(OutputName);
}

std::string TSyntaxParser::CloseOutput() {
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

TSyntaxParser& SyntaxParser() {
    std::unique_ptr<TSyntaxParser>& parser = Ctx().syntaxParser;
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
    parser.GenTime = FormatGenerationTime(*instant);

    host.CommitPendingEdits();

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
