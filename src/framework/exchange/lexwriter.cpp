#include "framework/exchange/lexwriter.h"

#include "framework/environment/trace.h"
#include "framework/exchange/clipboardstream.h"
#include "framework/persistence/streamerrors.h"

#include <algorithm>
#include <exception>

namespace panolcd {

TLexicalElemWriter::TLexicalElemWriter(std::string_view fileName, const CharSet& breakBefore,
                                       int maxWidth)
    : fileName_(fileName), breakBefore_(breakBefore), maxWidth_(std::clamp(maxWidth, 0, kMaxWidth)),
      uncaughtAtStart_(std::uncaught_exceptions()) {
    if (fileName.empty()) {
        ClipBoardStreamMan().BeginWrite();
        clipboard_ = &ClipBoardStreamMan().Stream();
        return;
    }
    int error = 0;
    file_ = ReplacingFile::Create(fileName, error);
    if (!file_)
        throw EFCreateError(fileName);
}

TLexicalElemWriter::~TLexicalElemWriter() {
    if (closed_)
        return;
    if (failed_ || std::uncaught_exceptions() > uncaughtAtStart_) {
        Drop();
        return;
    }
    try {
        Close();
    } catch (const std::exception& e) {
        TraceError(0, e.what());
    }
}

void TLexicalElemWriter::Close() {
    if (closed_)
        return;
    try {
        NewLine();
    } catch (...) {
        Drop();
        throw;
    }
    closed_ = true;
    if (clipboard_ != nullptr) {
        ClipBoardStreamMan().EndWrite();
        return;
    }
    if (!file_->Commit()) {
        failed_ = true;
        throw EFCreateError(fileName_);
    }
}

void TLexicalElemWriter::Abandon() {
    if (!closed_)
        Drop();
}

void TLexicalElemWriter::Drop() {
    closed_ = true;
    if (clipboard_ != nullptr)
        ClipBoardStreamMan().BeginWrite(); // nothing half-written stays on the private clipboard
    else
        file_->Abandon();
}

void TLexicalElemWriter::Emit(std::string_view line) {
    if (closed_ || failed_)
        throw EWriteError();
    std::string bytes;
    bytes.reserve(line.size() + 2);
    bytes.append(line).append("\r\n");
    const bool ok =
        clipboard_ != nullptr ? clipboard_->Write(bytes.data(), bytes.size()) : file_->Write(bytes);
    if (!ok) {
        failed_ = true;
        throw EWriteError();
    }
    ++lineCount_;
}

void TLexicalElemWriter::NewLine() {
    if (!line_.empty())
        Emit(line_);
    line_ = indent_;
}

void TLexicalElemWriter::WriteLine(std::string_view text) {
    Emit(text);
}

void TLexicalElemWriter::Append(std::string_view text) {
    const auto remaining =
        static_cast<std::int64_t>(maxWidth_) - static_cast<std::int64_t>(line_.size());
    if (remaining < static_cast<std::int64_t>(text.size())) {
        // Even a buffer holding nothing or only the prefix is written as a line.
        Emit(line_);
        line_ = indent_;
    }
    line_.append(text);
}

void TLexicalElemWriter::AppendChar(char c) {
    if (breakBefore_.test(static_cast<unsigned char>(c)))
        NewLine();
    Append(std::string_view(&c, 1));
}

void TLexicalElemWriter::SetIndent(std::string_view text) {
    indent_ = std::string(text.substr(0, kIndentMax));
}

} // namespace panolcd
