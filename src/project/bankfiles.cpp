#include "project/bankfiles.h"

#include "common/cp1250.h"
#include "common/paths.h"

#include <filesystem>
#include <system_error>

namespace panolcd {
namespace {

// A directory as a comparable path: "\" read as "/", "." and ".." folded, no final separator.
std::string Normalised(std::string_view dir) {
    std::string path(dir);
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    std::string folded = std::filesystem::path(path).lexically_normal().generic_string();
    while (folded.size() > 1 && folded.back() == '/')
        folded.pop_back();
    return folded;
}

} // namespace

std::string ProjectDirectory(std::string_view projectFileName) {
    return ExtractFilePath(projectFileName);
}

std::string ResolveBankFile(std::string_view text, std::string_view projectDir) {
    std::string name(text.substr(0, kBankFileNameMax));
    if (!name.empty() && !HasDirectoryPart(name))
        name = std::string(projectDir) + name;
    return name;
}

bool SameDirectory(std::string_view a, std::string_view b) {
    if (a.empty() || b.empty())
        return a.empty() && b.empty();
    std::error_code error;
    const std::filesystem::path pa = ToFsPath(a);
    const std::filesystem::path pb = ToFsPath(b);
    if (std::filesystem::is_directory(pa, error) && std::filesystem::is_directory(pb, error)) {
        const bool same = std::filesystem::equivalent(pa, pb, error);
        if (!error)
            return same;
    }
    return Normalised(a) == Normalised(b);
}

std::string StoredBankFileName(std::string_view fileName, std::string_view projectDir) {
    if (!projectDir.empty() && HasDirectoryPart(fileName) &&
        SameDirectory(ExtractFilePath(fileName), projectDir))
        return ExtractFileName(fileName);
    return std::string(fileName);
}

std::string SearchStartDirectory(std::string_view editText, std::string_view projectDir,
                                 std::string_view workDir) {
    if (std::string dir = ExtractFilePath(editText); !dir.empty())
        return dir;
    if (!projectDir.empty())
        return std::string(projectDir);
    return std::string(workDir);
}

std::optional<std::string> UnstorableFileName(std::string_view fileName) {
    bool lossy = false;
    const std::string text = FileNameText(fileName, &lossy);
    if (!lossy)
        return std::nullopt;
    return Utf8ToCp1250("Jméno souboru obsahuje znaky, které nelze uložit: ") + text;
}

std::string DefaultMapFile(std::string_view projectFileName) {
    if (projectFileName.empty())
        return {};
    return ChangeFileExt(projectFileName, ".MAP").substr(0, kBankFileNameMax);
}

} // namespace panolcd
