#include "framework/environment/paramscanner.h"

#include "common/text.h"
#include "framework/environment/conversions.h"
#include "framework/environment/envcontext.h"

#include <stdexcept>

namespace panolcd {
namespace {

bool IsSeparator(char c) {
    return static_cast<unsigned char>(c) <= 32 || c == '=';
}

ParamScanner& Current() {
    ParamScanner* scanner = EnvCtx().paramScanner;
    if (!scanner)
        throw std::logic_error("parameter value read outside a parameter parse");
    return *scanner;
}

// Skips separators and comments; a ';' moves to the end of the text.
void SkipToToken(ParamScanner& s) {
    while (s.pos < s.text.size()) {
        const char c = s.text[s.pos];
        if (IsSeparator(c)) {
            ++s.pos;
        } else if (c == '{') {
            const std::size_t close = s.text.find('}', s.pos + 1);
            s.pos = close == std::string::npos ? s.text.size() : close + 1;
        } else if (c == ';') {
            s.pos = s.text.size();
        } else {
            return;
        }
    }
}

std::string TakeRun(ParamScanner& s) {
    SkipToToken(s);
    const std::size_t start = s.pos;
    while (s.pos < s.text.size() && !IsSeparator(s.text[s.pos]))
        ++s.pos;
    return s.text.substr(start, s.pos - start);
}

} // namespace

ParamScannerScope::ParamScannerScope(ParamScanner& scanner) : saved_(EnvCtx().paramScanner) {
    EnvCtx().paramScanner = &scanner;
}

ParamScannerScope::~ParamScannerScope() {
    EnvCtx().paramScanner = saved_;
}

bool RunParamParse(std::string_view text,
                   const std::function<bool(const std::string& keyword)>& parseParam,
                   std::size_t& errorPos) {
    ParamScanner scanner;
    scanner.text = std::string(text);
    ParamScannerScope scope(scanner);
    for (;;) {
        const std::string keyword = ScanKeyword();
        if (keyword.empty())
            return false;
        if (parseParam(keyword)) {
            errorPos = scanner.pos;
            return true;
        }
    }
}

std::string ScanKeyword() {
    std::string keyword = AsciiUpper(TakeRun(Current()).substr(0, kParamWordMax));
    keyword.resize(std::min(keyword.size(), kParamKeywordMax));
    return keyword;
}

std::string ScanRun() {
    return TakeRun(Current());
}

std::optional<std::int32_t> ScanInteger() {
    const std::string run = TakeRun(Current());
    if (run.empty())
        return std::nullopt;
    return ParseIntText(run);
}

std::string ScanWord() {
    ParamScanner& s = Current();
    SkipToToken(s);
    if (s.pos < s.text.size() && (s.text[s.pos] == '"' || s.text[s.pos] == '\'')) {
        const char quote = s.text[s.pos];
        const std::size_t start = s.pos + 1;
        const std::size_t close = s.text.find(quote, start);
        const std::size_t end = close == std::string::npos ? s.text.size() : close;
        s.pos = close == std::string::npos ? end : end + 1;
        return s.text.substr(start, end - start);
    }
    return AsciiUpper(TakeRun(s).substr(0, kParamWordMax));
}

std::string QuotedWord(std::string_view text) {
    const char quote = text.find('\'') != std::string_view::npos ? '"' : '\'';
    return quote + std::string(text) + quote;
}

int MatchKeyword(std::string_view keyword, std::string_view list) {
    const std::size_t width = list.find('|');
    if (width == std::string_view::npos || width == 0)
        return 0;
    std::string key = AsciiUpper(keyword.substr(0, width));
    key.resize(width, ' ');
    int item = 1;
    for (std::size_t pos = 0; pos + width <= list.size(); pos += width + 1, ++item) {
        if (list.substr(pos, width) == key)
            return item;
    }
    return 0;
}

} // namespace panolcd
