#pragma once
// Files written anew keep their previous version as a safety copy: PROJ.LCD -> PROJ.~CD,
// PROG.PRG -> PROG.~RG.

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace panolcd {

// The extension (dot included, at most 6 characters) becomes ".~" and its 3rd and 4th
// characters; a name without extension gets ".~".
std::string SafetyCopyName(std::string_view fileName);

// A file written under a hidden temporary name beside its final one. Only Commit puts it in
// place: the existing file becomes the safety copy (replacing the old copy) while keeping its
// name, then one rename gives the new file the name. A crash at any instant leaves the name with
// the old or the new version. A file that is abandoned (or destroyed uncommitted) leaves the
// existing file and its copy as they were, so a failed write never costs the previous version.
class ReplacingFile {
public:
    // Nullptr when the temporary file cannot be created; `error` then holds the errno value.
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

private:
    // Drops the temporary file; answers false for the caller to return.
    bool Fail(int error);

    ReplacingFile(std::string fileName, std::string tempPath, std::FILE* file)
        : fileName_(std::move(fileName)), copyName_(SafetyCopyName(fileName_)),
          tempPath_(std::move(tempPath)), file_(file) {}

    std::string fileName_; // stored name (Windows-1250)
    std::string copyName_; // stored name, empty for none
    std::string tempPath_; // file-system path
    std::FILE* file_;
    int error_ = 0;
};

} // namespace panolcd
