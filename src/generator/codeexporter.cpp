#include "generator/codeexporter.h"

#include <algorithm>

namespace panolcd {

void TCodeExporter::OpenOutput(std::string_view path) {
    OutFile = std::make_unique<TTxWrFile>(path);
    CutLines.clear();
    pending_.clear();
    lineNumber_ = 1;
    cut_ = false;
}

std::string TCodeExporter::CloseOutput() {
    if (!OutFile)
        return {};
    OutFile->Close();
    std::string error = OutFile->ErrorText();
    OutFile.reset();
    return error;
}

void TCodeExporter::Indent(int delta) {
    const long long length = static_cast<long long>(IndentStr.size()) + delta;
    IndentStr.assign(static_cast<std::size_t>(std::clamp<long long>(length, 0, kMaxIndent)), ' ');
}

void TCodeExporter::Export(std::string_view text, bool lineEnd) {
    if (!OutFile)
        return;
    std::string line;
    if (AtLineStart) {
        // The indentation goes in front of the first text of a line only.
        line = IndentStr + std::string(text);
        if (!lineEnd)
            AtLineStart = false;
    } else {
        line = std::string(text);
        if (lineEnd)
            AtLineStart = true;
    }
    pending_ += line;
    // The terminal's lines are ShortStrings: what does not fit is cut, and the cut is reported.
    if (line.size() > kMaxLineLength) {
        line.resize(kMaxLineLength);
        cut_ = true;
    }
    if (lineEnd)
        OutFile->WriteLn(line);
    else
        OutFile->Write(line);
    if (!lineEnd)
        return;
    if (cut_)
        CutLines.push_back({lineNumber_, pending_});
    pending_.clear();
    cut_ = false;
    ++lineNumber_;
}

std::size_t TCodeExporter::LineRoom() const {
    return AtLineStart ? kMaxLineLength - IndentStr.size() : kMaxLineLength;
}

void TCodeExporter::ExportText(std::string_view text) {
    Export(text, false);
}

void TCodeExporter::ExportLine(std::string_view text) {
    Export(text, true);
}

} // namespace panolcd
