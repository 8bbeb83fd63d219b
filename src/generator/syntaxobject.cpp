#include "generator/syntaxobject.h"

#include "generator/codeexporter.h"
#include "generator/syntaxparser.h"

namespace panolcd {

TSyntaxObject* TSyntaxObject::CurrentChild() const {
    if (!Children || ChildIndex < 0 || ChildIndex >= static_cast<std::int32_t>(Children->size()))
        return nullptr;
    return (*Children)[static_cast<std::size_t>(ChildIndex)].get();
}

void TSyntaxObject::SetLayout(int indentBefore, bool endsLine, int indentAfter) {
    IndentBefore = indentBefore;
    EndsLine = endsLine;
    IndentAfter = indentAfter;
}

void TSyntaxObject::Emit(std::string_view text) {
    if (!parser_.Exporter)
        return;
    TCodeExporter& out = *parser_.Exporter;
    if (IndentBefore != 0)
        out.Indent(IndentBefore);
    if (EndsLine)
        out.ExportLine(text);
    else
        out.ExportText(text);
    if (IndentAfter != 0)
        out.Indent(IndentAfter);
}

void TSyntaxObject::EmitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(pos));
            break;
        }
        lines.push_back(text.substr(pos, end - pos));
        pos = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    if (!parser_.Exporter)
        return;
    TCodeExporter& out = *parser_.Exporter;
    if (IndentBefore != 0)
        out.Indent(IndentBefore);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // The exporter cuts what does not fit the line and reports it.
        const std::string_view line = lines[i];
        if (i + 1 < lines.size() || EndsLine)
            out.ExportLine(line);
        else
            out.ExportText(line);
    }
    if (IndentAfter != 0)
        out.Indent(IndentAfter);
}

void TSyntaxComposite::Start(int phase) {
    if (phase == kBuildPhase)
        state_ = 1;
    else if (phase == kEmitPhase)
        state_ = sorted_ ? 4 : 3;
    else
        state_ = 0;
}

StepStatus TSyntaxComposite::NextChild() {
    ++ChildIndex;
    if (Children && ChildIndex < static_cast<std::int32_t>(Children->size()))
        return StepDown;
    state_ = 0;
    return StepUp;
}

StepStatus TSyntaxComposite::Step() {
    // Build states: 1 create, (2 sort,) then iterate; emit states: arm, then iterate.
    const std::uint8_t iterateBuild = sorted_ ? 3 : 2;
    const std::uint8_t armEmit = sorted_ ? 4 : 3;
    const std::uint8_t iterateEmit = sorted_ ? 5 : 4;
    if (state_ == 1) {
        Children = std::make_unique<ChildList>();
        keys_.clear();
        if (!CreateChildren()) {
            state_ = 0;
            return StepUp;
        }
        ChildIndex = -1;
        state_ = sorted_ ? 2 : iterateBuild;
        return StepAgain;
    }
    if (sorted_ && state_ == 2) {
        SortChildren();
        ChildIndex = -1;
        state_ = iterateBuild;
        return StepAgain;
    }
    if (state_ == iterateBuild)
        return NextChild();
    if (state_ == armEmit) {
        if (Children)
            for (auto& child : *Children)
                child->Start(kEmitPhase);
        BeforeEmit();
        ChildIndex = -1;
        state_ = iterateEmit;
        return StepAgain;
    }
    if (state_ == iterateEmit) {
        const StepStatus status = NextChild();
        if (status == StepUp)
            AfterEmit();
        return status;
    }
    state_ = 0;
    return StepUp;
}

void TSyntaxComposite::SortChildren() {
    if (!Children || keys_.size() != Children->size())
        return;
    std::vector<std::pair<std::int32_t, std::unique_ptr<TSyntaxObject>>> keyed;
    keyed.reserve(Children->size());
    for (std::size_t i = 0; i < Children->size(); ++i)
        keyed.emplace_back(keys_[i], std::move((*Children)[i]));
    ListQuickSort(keyed, [](const auto& item) { return item.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        keys_[i] = keyed[i].first;
        (*Children)[i] = std::move(keyed[i].second);
    }
}

void TSyntaxComposite::AddText(std::string_view text, int indentBefore, bool endsLine,
                               int indentAfter) {
    Add<TSyntaxElement>(indentBefore, endsLine, indentAfter, text);
}

void TSyntaxLeaf::Start(int phase) {
    state_ = phase == kBuildPhase ? 1 : phase == kEmitPhase ? 2 : 0;
}

StepStatus TSyntaxLeaf::Step() {
    if (state_ == 1)
        Build();
    else if (state_ == 2)
        Write();
    state_ = 0;
    return StepUp;
}

TSyntaxElement::TSyntaxElement(TSyntaxParser& parser, TSyntaxObject* parent, std::string_view text)
    : TSyntaxLeaf(parser, parent) {
    text_ = CutText(text, kElementCap);
}

std::string CutText(std::string_view text, std::size_t capacity) {
    return std::string(text.substr(0, capacity));
}

std::string Enclosed(std::string_view open, std::string_view body, std::string_view close,
                     std::size_t capacity) {
    const std::size_t frame = open.size() + close.size();
    const std::size_t room = capacity > frame ? capacity - frame : 0;
    return std::string(open) + std::string(body.substr(0, room)) + std::string(close);
}

std::string Num(long long value) {
    return std::to_string(value);
}

} // namespace panolcd
