#include "framework/environment/inifile.h"

#include "common/paths.h"
#include "common/text.h"
#include "framework/exchange/safetycopy.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace panolcd {
namespace {

namespace fs = std::filesystem;

enum class LineKind { Other, Section, Key };

// One line of the file as offsets into its bytes; the views point into the same bytes.
struct Line {
    std::size_t begin = 0;
    std::size_t length = 0;       // without the line ending
    std::size_t endingLength = 0; // 0 (last line without one), 1 (LF or CR) or 2 (CR LF)
    LineKind kind = LineKind::Other;
    std::string_view name;
    std::string_view value; // trimmed, quotes still on
    std::size_t End() const { return begin + length + endingLength; }
};

void Classify(std::string_view content, Line& line) {
    const std::string_view text = TrimBlanks(content);
    if (text.empty() || text.front() == ';')
        return;
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        line.kind = LineKind::Section;
        line.name = TrimBlanks(text.substr(1, close == std::string_view::npos ? close : close - 1));
        return;
    }
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos)
        return;
    const std::string_view name = TrimBlanks(text.substr(0, eq));
    if (name.empty())
        return;
    line.kind = LineKind::Key;
    line.name = name;
    line.value = TrimBlanks(text.substr(eq + 1));
}

// Lines end in CR LF, LF or a lone CR.
std::vector<Line> Parse(std::string_view bytes) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        Line line;
        line.begin = pos;
        std::size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        line.length = end - pos;
        if (end < bytes.size())
            line.endingLength =
                (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
        Classify(bytes.substr(pos, line.length), line);
        lines.push_back(line);
        pos = line.End();
    }
    return lines;
}

std::string Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// Index of the first section so named, or lines.size().
std::size_t FindSection(const std::vector<Line>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == LineKind::Section && SameTextAscii(lines[i].name, section))
            return i;
    }
    return lines.size();
}

// One past the last line of the section whose header is at `header`.
std::size_t SectionEnd(const std::vector<Line>& lines, std::size_t header) {
    std::size_t i = header + 1;
    while (i < lines.size() && lines[i].kind != LineKind::Section)
        ++i;
    return i;
}

std::size_t FindKey(const std::vector<Line>& lines, std::size_t header, std::string_view key) {
    const std::size_t end = SectionEnd(lines, header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines[i].kind == LineKind::Key && SameTextAscii(lines[i].name, key))
            return i;
    }
    return lines.size();
}

// The line ending most lines of the file use (CR LF on a tie and for a file without any).
std::string_view DominantEnding(std::string_view bytes, const std::vector<Line>& lines) {
    std::size_t crlf = 0, lf = 0, cr = 0;
    for (const Line& line : lines) {
        if (line.endingLength == 2)
            ++crlf;
        else if (line.endingLength == 1 && bytes[line.begin + line.length] == '\n')
            ++lf;
        else if (line.endingLength == 1)
            ++cr;
    }
    if (crlf >= lf && crlf >= cr)
        return "\r\n";
    return lf >= cr ? "\n" : "\r";
}

std::error_code LastError() {
    return {errno, std::generic_category()};
}

// Reads the whole file; a missing file is not a failure (`exists` false, `bytes` empty).
std::error_code Load(const std::string& storedPath, std::string& bytes, bool& exists) {
    bytes.clear();
    exists = false;
    std::FILE* file = std::fopen(ToFsPath(storedPath).c_str(), "rb");
    if (!file)
        return errno == ENOENT || errno == ENOTDIR ? std::error_code() : LastError();
    char buffer[8192];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    const std::error_code error = failed ? LastError() : std::error_code();
    std::fclose(file);
    if (failed)
        return error ? error : std::make_error_code(std::errc::io_error);
    exists = true;
    return {};
}

// The one atomic replacement of every file the program writes (the mode, owner and links of
// the file kept, a read-only file refused), without a safety copy: a reader sees either the old
// or the new file, never a part of one.
std::error_code ReplaceAtomically(const std::string& storedPath, std::string_view bytes) {
    int code = 0;
    const std::unique_ptr<ReplacingFile> file = ReplacingFile::Create(storedPath, code);
    if (!file)
        return {code, std::generic_category()};
    file->SetCopyName({});
    if (!file->Write(bytes) || !file->Commit())
        return {file->Error() != 0 ? file->Error() : EIO, std::generic_category()};
    return {};
}

bool HasLineBreak(std::string_view text) {
    return text.find('\r') != std::string_view::npos || text.find('\n') != std::string_view::npos;
}

} // namespace

bool IniFile::Exists() const {
    std::error_code ec;
    const fs::path path = ToFsPath(path_);
    return !path_.empty() && fs::exists(path, ec) && !fs::is_directory(path, ec);
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
    std::string bytes;
    bool exists = false;
    if (Load(path_, bytes, exists) || !exists)
        return std::nullopt;
    const std::vector<Line> lines = Parse(bytes);
    const std::size_t header = FindSection(lines, TrimBlanks(section));
    if (header == lines.size())
        return std::nullopt;
    const std::size_t at = FindKey(lines, header, TrimBlanks(key));
    if (at == lines.size())
        return std::nullopt;
    return Unquote(lines[at].value);
}

std::string IniFile::Read(std::string_view section, std::string_view key) const {
    return Find(section, key).value_or(std::string());
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    std::string bytes;
    bool exists = false;
    if (Load(path_, bytes, exists) || !exists)
        return keys;
    const std::vector<Line> lines = Parse(bytes);
    const std::size_t header = FindSection(lines, TrimBlanks(section));
    if (header == lines.size())
        return keys;
    const std::size_t end = SectionEnd(lines, header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines[i].kind != LineKind::Key)
            continue;
        bool seen = false;
        for (const std::string& known : keys)
            seen = seen || SameTextAscii(known, lines[i].name);
        if (!seen)
            keys.emplace_back(lines[i].name);
    }
    return keys;
}

std::error_code IniFile::Write(std::string_view section, std::string_view key,
                               std::string_view value) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    // Names that would not read back as the same section and key.
    if (key.empty() || key.front() == ';' || key.front() == '[' ||
        key.find('=') != std::string_view::npos || HasLineBreak(key) ||
        section.find(']') != std::string_view::npos || HasLineBreak(section))
        return std::make_error_code(std::errc::invalid_argument);

    std::string old;
    bool exists = false;
    if (const std::error_code error = Load(path_, old, exists))
        return error;
    const std::vector<Line> lines = Parse(old);
    const std::string_view eol = DominantEnding(old, lines);

    std::string cleanValue(value);
    for (char& c : cleanValue) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }

    std::string out;
    const std::size_t header = FindSection(lines, section);
    if (header < lines.size()) {
        const std::size_t at = FindKey(lines, header, key);
        if (at < lines.size()) {
            const Line& line = lines[at];
            out = old.substr(0, line.begin) + std::string(line.name) + "=" + cleanValue +
                  old.substr(line.begin + line.length);
        } else {
            // After the last key of the section, or right after its header.
            std::size_t anchor = header;
            for (std::size_t i = header + 1; i < SectionEnd(lines, header); ++i) {
                if (lines[i].kind == LineKind::Key)
                    anchor = i;
            }
            const std::size_t pos = lines[anchor].End();
            out = old.substr(0, pos);
            if (lines[anchor].endingLength == 0)
                out += eol;
            out += std::string(key) + "=" + cleanValue + std::string(eol) + old.substr(pos);
        }
    } else {
        out = old;
        if (!out.empty() && out.back() != '\n' && out.back() != '\r')
            out += eol;
        out += "[" + std::string(section) + "]" + std::string(eol) + std::string(key) + "=" +
               cleanValue + std::string(eol);
    }
    if (exists && out == old)
        return {};
    return ReplaceAtomically(path_, out);
}

} // namespace panolcd
