#include "framework/exchange/lexreader.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "common/shortstring.h"
#include "framework/environment/msgbox.h"
#include "framework/environment/restext.h"
#include "framework/exchange/clipboardstream.h"
#include "framework/persistence/bytestream.h"
#include "framework/persistence/streamerrors.h"

#include <cstring>

namespace panolcd {
namespace {

constexpr char kEndMark = 26;
constexpr int kTextExpected = 148;

const std::string& LineTooLongText() {
    static const std::string text = Utf8ToCp1250("Příliš dlouhá řádka");
    return text;
}

} // namespace

TLexicalElemReader::TLexicalElemReader(std::string_view fileName, const TokenSettings& settings)
    : fileName_(CutShortString(fileName, 254)), settings_(settings) {
    for (unsigned c = 0; c <= 32; ++c)
        blanks_.set(c);
    // A tab (or another control character) that separates values must be seen.
    const auto separator = static_cast<unsigned char>(settings_.valueSeparator);
    if (separator < 32)
        blanks_.reset(separator);

    if (fileName.empty()) {
        ClipBoardStreamMan().BeginRead();
        input_ = &ClipBoardStreamMan().Stream();
        return;
    }
    const auto existing = FindExistingFile(fileName);
    file_ = FileByteStream::OpenExisting(existing ? *existing : ToFsPath(fileName));
    if (!file_)
        throw EFOpenError(fileName);
    input_ = file_.get();
}

TLexicalElemReader::~TLexicalElemReader() {
    if (!file_)
        ClipBoardStreamMan().EndRead();
}

// Splits the buffer into lines. A line ends at CR LF, LF, a lone CR or the end mark: files
// written on Linux, in git or by other tools read as ours do. A line that does not fit the
// buffer is an error.
void TLexicalElemReader::FillQueue() {
    if (inputEnded_)
        return;
    const std::size_t tail = bufferEnd_ - bufferStart_;
    std::memmove(buffer_.data(), buffer_.data() + bufferStart_, tail);
    bufferStart_ = 0;
    bufferEnd_ = tail;
    if (!streamDone_) {
        const std::size_t asked = kBufferSize - tail;
        const std::size_t got = asked == 0 ? 0 : input_->Read(buffer_.data() + tail, asked);
        bufferEnd_ += got;
        streamDone_ = got < asked || input_->Remaining() == 0;
    }

    std::size_t start = 0;
    if (skipLf_ && bufferEnd_ > 0) {
        if (buffer_[0] == '\n')
            start = 1;
        skipLf_ = false;
    }
    bool produced = false;
    while (queue_.size() < kQueueMax) {
        std::size_t end = start;
        while (end < bufferEnd_ && buffer_[end] != '\r' && buffer_[end] != '\n' &&
               buffer_[end] != kEndMark)
            ++end;
        if (end == bufferEnd_) {
            if (streamDone_) { // the data ends: that ends the last line as the end mark would
                if (end > start)
                    queue_.emplace_back(buffer_.data() + start, end - start);
                produced = true;
                inputEnded_ = true;
                start = end;
            }
            break;
        }
        produced = true;
        if (buffer_[end] == kEndMark) {
            if (end > start)
                queue_.emplace_back(buffer_.data() + start, end - start);
            inputEnded_ = true;
            start = bufferEnd_;
            break;
        }
        queue_.emplace_back(buffer_.data() + start, end - start);
        const bool cr = buffer_[end] == '\r';
        ++end;
        if (cr && end < bufferEnd_) {
            if (buffer_[end] == '\n')
                ++end;
        } else if (cr && !streamDone_) {
            skipLf_ = true; // its LF, if any, comes with the next refill
        }
        start = end;
    }
    bufferStart_ = start;
    // A full buffer without a single line end: the line cannot be taken in. The reader stops
    // on its first character that does not fit, and the error names that place.
    if (!produced) {
        error_ = true;
        lineNumber_ += static_cast<std::uint32_t>(queue_.size()) + 1;
        queue_.clear();
        line_.clear();
        column_ = kBufferSize + 1;
        throw EStreamError(LineTooLongText() + " " + std::to_string(lineNumber_) + ":" +
                           std::to_string(column_));
    }
}

bool TLexicalElemReader::TakeLine() {
    while (queue_.empty() && !inputEnded_)
        FillQueue();
    if (queue_.empty()) {
        line_.clear();
        column_ = 0;
        return false;
    }
    line_ = std::move(queue_.front());
    queue_.pop_front();
    ++lineNumber_;
    return true;
}

void TLexicalElemReader::Advance() {
    ++column_;
    if (column_ > line_.size())
        column_ = 0;
}

char TLexicalElemReader::CurrentChar() const {
    if (column_ == 0 || column_ > line_.size())
        return 0;
    return line_[column_ - 1];
}

char TLexicalElemReader::NextNonBlank() {
    Advance();
    for (;;) {
        if (column_ == 0) {
            if (!TakeLine())
                return 0;
            if (line_.empty())
                continue;
            column_ = 1;
        }
        const char c = line_[column_ - 1];
        if (!IsBlank(c))
            return c;
        Advance();
    }
}

// After '{': on to the matching '}'. Quoted strings inside are skipped whole, so a '}' between
// quotes does not end the comment. False at the end of the input.
bool TLexicalElemReader::SkipComment() {
    for (;;) {
        const char c = NextNonBlank();
        if (c == 0)
            return false;
        if (c == '}')
            return true;
        if (IsQuote(c)) {
            ReadQuoted();
            if (error_)
                return false;
        }
    }
}

char TLexicalElemReader::NextChar() {
    if (error_)
        return 0;
    for (;;) {
        const char c = NextNonBlank();
        if (c != '{')
            return c;
        if (!SkipComment())
            return 0;
    }
}

char TLexicalElemReader::PeekChar() {
    const char c = NextChar();
    // NextChar moves on by one column before it looks, so one column back reads `c` again.
    if (c != 0 && column_ > 0)
        --column_;
    return c;
}

std::string TLexicalElemReader::ReadQuoted() {
    if (error_)
        return {};
    const char quote = CurrentChar();
    if (!IsQuote(quote)) {
        Expected('\'');
        return {};
    }
    std::string text;
    std::size_t from = column_; // index just after the opening quote
    for (;;) {
        const std::size_t end = line_.find(quote, from);
        if (end != std::string::npos) {
            text.append(line_, from, end - from);
            column_ = end + 1;
            return text;
        }
        text.append(line_, from).append("\r\n");
        if (!TakeLine()) {
            Expected(quote);
            return {};
        }
        from = 0;
    }
}

bool TLexicalElemReader::AtQuote() {
    if (error_)
        return false;
    if (IsQuote(NextChar()))
        return true;
    Expected('\'');
    return false;
}

std::string TLexicalElemReader::ReadString() {
    return AtQuote() ? ReadQuoted() : std::string();
}

std::vector<TLexicalElemReader::QuotedPart> TLexicalElemReader::ReadStringParts() {
    return AtQuote() ? ReadQuotedParts() : std::vector<QuotedPart>();
}

std::vector<TLexicalElemReader::QuotedPart> TLexicalElemReader::ReadQuotedParts() {
    std::vector<QuotedPart> parts;
    for (;;) {
        const char quote = CurrentChar();
        std::string text = ReadQuoted();
        if (error_)
            return {};
        parts.push_back({quote, std::move(text)});
        // The next part starts right after the closing quote, on the same line.
        if (column_ >= line_.size() || !IsQuote(line_[column_]))
            return parts;
        ++column_;
    }
}

char TLexicalElemReader::SkipValue() {
    if (error_)
        return 0;
    char c = NextChar();
    if (IsQuote(c)) {
        ReadQuotedParts();
        return NextChar();
    }
    while (c != 0 && c != ')' && c != ';' && c != settings_.valueSeparator)
        c = NextChar();
    return c;
}

std::string TLexicalElemReader::ReadRawLine() {
    if (error_ || !TakeLine())
        return {};
    std::string text = std::move(line_);
    line_.clear();
    column_ = 0;
    return text;
}

void TLexicalElemReader::Error(int kind, std::string_view text) {
    if (error_)
        return; // the first error is the one worth showing; the rest follow from it
    error_ = true;
    const std::string message =
        std::string(text) + " " + std::to_string(lineNumber_) + ":" + std::to_string(column_);
    MsgBox(ResText(kind), CutShortString(message), mb::kIconError | mb::kOk);
}

void TLexicalElemReader::Expected(char c) {
    if (error_)
        return;
    error_ = true;
    const std::string what =
        c == '\'' ? std::string("''' or '") + settings_.altQuote + "'" : std::string("'") + c + "'";
    const std::string message = ResText(kTextExpected) + " " + what + "  " +
                                std::to_string(lineNumber_) + ":" + std::to_string(column_);
    MsgBox(ResText(kErrSyntax), CutShortString(message), mb::kIconQuestion | mb::kOk);
}

} // namespace panolcd
