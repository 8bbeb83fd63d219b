#pragma once
// Files written anew keep their previous version as a safety copy: PROJ.LCD -> PROJ.~CD,
// PROG.PRG -> PROG.~RG.

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace panolcd {

// The extension (dot included, at most 6 characters) becomes ".~" and its 3rd and 4th
// characters; a name without extension gets ".~".
std::string SafetyCopyName(std::string_view fileName);

// True for an existing file (for a link: the file it names) whose mode lets nobody write it, or
// that this process may not write. ReplacingFile refuses to replace one without a consent.
bool IsReadOnlyFile(std::string_view fileName);

// The user's word that a read-only file may be replaced: while it lives, ReplacingFile replaces
// that file (which keeps its mode) instead of refusing. Empty when made by default.
class ReadOnlyConsent {
public:
    ReadOnlyConsent() = default;
    explicit ReadOnlyConsent(std::string_view fileName);
    ~ReadOnlyConsent();
    ReadOnlyConsent(ReadOnlyConsent&& other) noexcept : path_(std::move(other.path_)) {
        other.path_.clear();
    }
    ReadOnlyConsent& operator=(ReadOnlyConsent&&) = delete;
    ReadOnlyConsent(const ReadOnlyConsent&) = delete;
    ReadOnlyConsent& operator=(const ReadOnlyConsent&) = delete;

private:
    std::string path_; // file-system path of the file itself; empty for none
};

// Asks before a read-only file is replaced, naming it. Nullopt when the user said no (the file
// stays as it is); otherwise the consent to hold while it is written, empty for a file that
// needs none.
std::optional<ReadOnlyConsent> AskReplaceReadOnly(std::string_view fileName);

// A file written under a hidden temporary name beside its final one. Only Commit puts it in
// place: the existing file becomes the safety copy (replacing the old copy) while keeping its
// name, then one rename gives the new file the name. A crash at any instant leaves the name with
// the old or the new version. A file that is abandoned (or destroyed uncommitted) leaves the
// existing file and its copy as they were, so a failed write never costs the previous version.
// The new version keeps the old one's mode and (where the system lets it) owner. A name that is
// a symbolic link stays one: the file it names is replaced, its safety copy beside it.
class ReplacingFile {
public:
    // Nullptr when the temporary file cannot be created; `error` then holds the errno value.
    // A read-only file without a consent is refused with EACCES, and nothing is created.
    static std::unique_ptr<ReplacingFile> Create(std::string_view fileName, int& error);

    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // False (and Error() set) when the bytes could not be written; the file is then abandoned.
    bool Write(std::string_view bytes);
    // False (and Error() set) when the file could not be completed or put in place. The file
    // keeps its previous version then; its safety copy may already have become that version.
    bool Commit();
    void Abandon();
    // The safety copy Commit keeps of the previous version: SafetyCopyName's unless set; an
    // empty name keeps none.
    void SetCopyName(std::string copyName) { copyName_ = std::move(copyName); }

    bool IsOpen() const { return file_ != nullptr; }
    int Error() const { return error_; }
    const std::string& FileName() const { return fileName_; }
    // The file-system path of the file that is replaced: links followed.
    const std::string& TargetPath() const { return targetPath_; }

private:
    // Drops the temporary file; answers false for the caller to return.
    bool Fail(int error);
    // The file-system path of the safety copy, empty for none.
    std::string CopyPath() const;

    ReplacingFile(std::string fileName, std::string targetPath, std::string tempPath,
                  std::FILE* file)
        : fileName_(std::move(fileName)), copyName_(SafetyCopyName(fileName_)),
          targetPath_(std::move(targetPath)), tempPath_(std::move(tempPath)), file_(file) {}

    std::string fileName_;   // stored name (Windows-1250)
    std::string copyName_;   // stored name, empty for none
    std::string targetPath_; // file-system path
    std::string tempPath_;   // file-system path
    std::FILE* file_;
    int error_ = 0;
};

} // namespace panolcd
