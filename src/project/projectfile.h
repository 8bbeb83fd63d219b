#pragma once
// Reading and writing the project file (*.LCD): the root database with every database nested in
// it, in the database text format. Failures come back as one report instead of message boxes,
// so that the window layer and batch runs decide how to show them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace panolcd {

class StepRunner;
class TDataBase;

struct ProjectFileResult {
    bool ok = true;
    std::string file;
    std::uint32_t line = 0; // 0 when the failure has no place in the text
    std::size_t column = 0;
    std::string message; // Windows-1250

    // "file:line:column: message" (without the place when there is none).
    std::string Text() const;
};

// Replaces the open project by the one in the file: the root database is emptied, instance
// numbering restarts, the file's root database is read into it and takes the file's name. The
// file must hold exactly one root database with its one root record and nothing after it.
// After a failure no project is open.
ProjectFileResult LoadProjectFile(std::string_view fileName, StepRunner* runner = nullptr);

// Writes the root database; the previous file is kept as its safety copy (*.~CD). On success
// the database takes the file's name and is no longer modified.
ProjectFileResult SaveProjectFile(TDataBase& root, std::string_view fileName,
                                  StepRunner* runner = nullptr);

} // namespace panolcd
