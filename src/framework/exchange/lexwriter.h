#pragma once
// Token text out: lines of bounded width with an indentation prefix, to a file or to the
// clipboard stream. Lines end with CR LF.

#include "framework/exchange/safetycopy.h"

#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace panolcd {

class ByteStream;

class TLexicalElemWriter {
public:
    using CharSet = std::bitset<256>;

    static constexpr int kMaxWidth = 4095;
    static constexpr std::size_t kIndentMax = 31;

    // A non-empty name: a new file, which on Close replaces the existing one and turns it into
    // the safety copy; EFCreateError when it cannot be created. An empty name: the clipboard
    // stream. Characters of `breakBefore` always start a new line; `maxWidth` is capped to 0..4095.
    TLexicalElemWriter(std::string_view fileName, const CharSet& breakBefore, int maxWidth);
    // Close, unless the writer is destroyed by an exception or after a failed write: then a file
    // is dropped and the previous version stays in place. Errors of this last Close are traced.
    ~TLexicalElemWriter();
    TLexicalElemWriter(const TLexicalElemWriter&) = delete;
    TLexicalElemWriter& operator=(const TLexicalElemWriter&) = delete;

    // Writes a pending line, then finishes the clipboard or puts the file in place. Throws
    // EWriteError or EFCreateError. Further calls do nothing.
    void Close();
    // Gives the output up: a file is dropped (the previous version stays in place), the
    // clipboard stream is emptied. Further calls do nothing.
    void Abandon();

    // Writes the line buffer when it holds anything; the buffer then becomes the prefix.
    void NewLine();
    // The text and CR LF straight to the output; the line buffer is not touched.
    void WriteLine(std::string_view text);
    // Wraps first when the text does not fit in the rest of the width.
    void Append(std::string_view text);
    void AppendChar(char c);
    // Takes effect at the next new line; cut to 31 characters.
    void SetIndent(std::string_view text = {});

    // True once a write has failed (the failure itself is thrown as EWriteError).
    bool HasError() const { return failed_; }
    std::uint32_t LineCount() const { return lineCount_; }
    const std::string& LineBuffer() const { return line_; }

private:
    void Emit(std::string_view line);
    void Drop();

    std::string fileName_;
    std::unique_ptr<ReplacingFile> file_;
    ByteStream* clipboard_ = nullptr;
    CharSet breakBefore_;
    int maxWidth_;
    std::string line_;
    std::string indent_;
    std::uint32_t lineCount_ = 0;
    int uncaughtAtStart_;
    bool closed_ = false;
    bool failed_ = false;
};

} // namespace panolcd
