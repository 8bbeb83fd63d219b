#pragma once
// Token text in: reads a token stream from a file or the clipboard stream character by
// character, with line and column tracking, comments in braces, quoted strings, number and
// date-time tokens, and uniform error reports. The first reported error stops the reader: every
// later read returns at once with its failure result.

#include "framework/exchange/tokensettings.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

class ByteStream;

// Error classes: message ids of the kind of an error report.
inline constexpr int kErrImport = 144;
inline constexpr int kErrLexical = 145;
inline constexpr int kErrSyntax = 146;
inline constexpr int kErrSemantic = 147;

class TLexicalElemReader {
public:
    static constexpr std::size_t kBufferSize = 4096;
    static constexpr std::size_t kQueueMax = 1600;

    // An empty name reads the clipboard stream; otherwise the file (EFOpenError when it cannot
    // be opened).
    explicit TLexicalElemReader(std::string_view fileName, const TokenSettings& settings = {});
    ~TLexicalElemReader();
    TLexicalElemReader(const TLexicalElemReader&) = delete;
    TLexicalElemReader& operator=(const TLexicalElemReader&) = delete;

    bool IsError() const { return error_; }
    const std::string& FileName() const { return fileName_; }
    std::uint32_t LineNumber() const { return lineNumber_; }
    // 1-based; 0 when there is no current character.
    std::size_t Column() const { return column_; }

    // The next significant character, past blanks, empty lines and comments; 0 at the end.
    // A line longer than the input buffer raises EStreamError "Příliš dlouhá řádka".
    char NextChar();
    char CurrentChar() const;
    // The next significant character, left to be read again by the next NextChar; 0 at the end.
    char PeekChar();

    // The current character is a quote: the text up to the matching quote, CR LF where it runs
    // over a line end. The column is left on the closing quote.
    std::string ReadQuoted();
    // Number tokens, each starting with NextChar; the column is left on the token's last
    // character. Failure results: 255, 65535, -1, $FFFFFFFF, 0.
    std::uint8_t ReadByte();
    std::uint16_t ReadWord();
    std::int32_t ReadLongInt();
    // Form 1: DOS date-time, 2: ZetTime; a token without date separator is a plain number.
    std::uint32_t ReadDateTime(int form);
    double ReadReal();
    // NextChar, then a quoted string; anything else is an error.
    std::string ReadString();
    struct QuotedPart {
        char quote;
        std::string text;
    };
    // ReadString, then every quoted string that follows right after it on the same line, as
    // parts of the same value ('a'"b`" holds two parts). Empty after an error.
    std::vector<QuotedPart> ReadStringParts();
    // Skips one value of a record text and returns the character that ended it.
    char SkipValue();
    // The next whole line; empty at the end of the input.
    std::string ReadRawLine();

    // Message text, a space, line:column, in an error box. `kind` names the class of the error.
    void Error(int kind, std::string_view text);
    // "Očekáván znak  'c'  line:column" in a question box.
    void Expected(char c);

private:
    bool IsBlank(char c) const { return blanks_.test(static_cast<unsigned char>(c)); }
    bool IsQuote(char c) const { return c == '\'' || c == settings_.altQuote; }

    // NextChar lands on a quote; otherwise Expected('\'') is reported.
    bool AtQuote();
    // From the quote at the current column: the quoted parts of one value.
    std::vector<QuotedPart> ReadQuotedParts();
    void FillQueue();
    bool TakeLine();
    void Advance();
    char NextNonBlank();
    bool SkipComment();
    // The integer token at the current column; the column moves to its last character.
    std::string TakeIntToken();
    // The run of characters from the current column on that `member` accepts.
    std::string TakeRun(bool (*member)(char));
    // An integer token that `starts` may begin, checked by `convert` within <min;max>; nullopt
    // after the error is reported.
    using IntConversion = void (*)(std::string&, std::size_t, std::int32_t&, unsigned, std::int32_t,
                                   std::int32_t);
    std::optional<std::int32_t> ReadIntToken(bool (*starts)(char), const char* classText,
                                             IntConversion convert, std::int32_t max,
                                             std::int32_t min, const char* rangeText);

    std::string fileName_;
    TokenSettings settings_;
    std::bitset<256> blanks_;
    std::unique_ptr<ByteStream> file_;
    ByteStream* input_ = nullptr;
    bool error_ = false;

    std::deque<std::string> queue_;
    std::array<char, kBufferSize> buffer_{};
    std::size_t bufferStart_ = 0; // first byte not yet split into lines
    std::size_t bufferEnd_ = 0;
    bool streamDone_ = false;
    bool inputEnded_ = false; // the end mark (character 26) was reached
    bool skipLf_ = false;     // the last line ended with a CR at the end of the buffer

    std::string line_;
    std::size_t column_ = 0;
    std::uint32_t lineNumber_ = 0;
};

} // namespace panolcd
