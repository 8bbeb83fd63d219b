#include "common/paths.h"

#include "common/cp1250.h"
#include "common/text.h"

#include <system_error>
#include <vector>

namespace panolcd {
namespace {

// Index just past the last separator or drive colon; 0 when the name has no directory part.
std::size_t FileNameStart(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        const char c = path[i - 1];
        if (IsPathSeparator(c) || c == ':')
            return i;
    }
    return 0;
}

} // namespace

bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string ExtractFilePath(std::string_view path) {
    return std::string(path.substr(0, FileNameStart(path)));
}

std::string ExtractFileName(std::string_view path) {
    return std::string(path.substr(FileNameStart(path)));
}

std::string ExtractFileExt(std::string_view path) {
    const std::size_t start = FileNameStart(path);
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < start)
        return {};
    return std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    const std::size_t start = FileNameStart(path);
    std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < start)
        dot = path.size();
    return std::string(path.substr(0, dot)) + std::string(ext);
}

bool HasDirectoryPart(std::string_view path) {
    return FileNameStart(path) > 0;
}

bool EndsWithSeparator(std::string_view path) {
    return !path.empty() && IsPathSeparator(path.back());
}

std::string AppendSeparator(std::string_view dir) {
    std::string out(dir);
    if (EndsWithSeparator(out))
        return out;
    const bool backslashStyle =
        out.find('\\') != std::string::npos && out.find('/') == std::string::npos;
    out += backslashStyle ? '\\' : '/';
    return out;
}

std::string ExpandFileName(std::string_view path, std::string_view currentDir) {
    std::string full;
    const bool absolute =
        (!path.empty() && IsPathSeparator(path.front())) || (path.size() > 1 && path[1] == ':');
    if (absolute)
        full = std::string(path);
    else
        full = AppendSeparator(currentDir.empty() ? std::string_view("/") : currentDir) +
               std::string(path);
    const char sep = full.find('/') != std::string::npos ? '/' : '\\';

    // Fold "." and ".." components, keeping a leading root or drive.
    std::string root;
    std::size_t pos = 0;
    if (full.size() > 1 && full[1] == ':') {
        root = full.substr(0, 2);
        pos = 2;
    }
    if (pos < full.size() && IsPathSeparator(full[pos])) {
        root += sep;
        ++pos;
    }
    std::vector<std::string> parts;
    std::string current;
    auto flush = [&] {
        if (current == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!current.empty() && current != ".") {
            parts.push_back(current);
        }
        current.clear();
    };
    for (; pos < full.size(); ++pos) {
        if (IsPathSeparator(full[pos]))
            flush();
        else
            current += full[pos];
    }
    const bool trailing = EndsWithSeparator(full);
    flush();
    std::string out = root;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += sep;
        out += parts[i];
    }
    if (trailing && !parts.empty())
        out += sep;
    return out;
}

std::filesystem::path ToFsPath(std::string_view storedName) {
    std::string utf8 = FileNameToUtf8(storedName);
    for (char& c : utf8) {
        if (c == '\\')
            c = '/';
    }
    return std::filesystem::path(utf8);
}

std::string FromFsPath(const std::filesystem::path& path) {
    return FileNameFromUtf8(path.string());
}

std::optional<std::filesystem::path> FindExistingFile(std::string_view storedName) {
    namespace fs = std::filesystem;
    const fs::path exact = ToFsPath(storedName);
    std::error_code ec;
    if (exact.empty())
        return std::nullopt;
    if (fs::exists(exact, ec))
        return exact;

    fs::path resolved = exact.has_root_path() ? exact.root_path() : fs::path(".");
    for (const fs::path& part : exact.relative_path()) {
        const fs::path direct = resolved / part;
        if (fs::exists(direct, ec)) {
            resolved = direct;
            continue;
        }
        bool found = false;
        for (const auto& entry : fs::directory_iterator(resolved, ec)) {
            if (SameTextAscii(entry.path().filename().string(), part.string())) {
                resolved = entry.path();
                found = true;
                break;
            }
        }
        if (!found)
            return std::nullopt;
    }
    if (!exact.has_root_path() && resolved.string().rfind("./", 0) == 0)
        resolved = resolved.lexically_relative(".");
    return resolved;
}

bool FileExistsAnyCase(std::string_view storedName) {
    const auto found = FindExistingFile(storedName);
    std::error_code ec;
    return found && std::filesystem::is_regular_file(*found, ec);
}

bool SameExistingFile(std::string_view a, std::string_view b) {
    const auto fileA = FindExistingFile(a);
    const auto fileB = FindExistingFile(b);
    std::error_code ec;
    return fileA && fileB && std::filesystem::equivalent(*fileA, *fileB, ec);
}

std::string ExistingSpelling(std::string_view storedName) {
    if (!FileExistsAnyCase(storedName))
        return std::string(storedName);
    return FromFsPath(*FindExistingFile(storedName));
}

FileStamp StampOfFile(std::string_view storedName) {
    const auto found = FindExistingFile(storedName);
    if (!found)
        return {};
    std::error_code ec;
    FileStamp stamp;
    stamp.size = std::filesystem::file_size(*found, ec);
    if (!ec)
        stamp.time = std::filesystem::last_write_time(*found, ec);
    stamp.exists = !ec && std::filesystem::is_regular_file(*found, ec) && !ec;
    if (!stamp.exists)
        return {};
    return stamp;
}

} // namespace panolcd
