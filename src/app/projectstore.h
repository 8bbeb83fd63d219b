#pragma once
// Where the main window reads and writes projects: the project file through the wait window.
// Tests may put a store of their own in its place.

#include <string>

namespace panolcd {

class ProjectStore {
public:
    virtual ~ProjectStore() = default;
    // Replaces the open project by the file's. On failure no project is open and the user has
    // been told why; false then.
    virtual bool Load(const std::string& fileName) = 0;
    // Writes the open project; the previous file stays as its safety copy. On failure (told to
    // the user) or cancel the project keeps its old name and modified flag; false then.
    virtual bool Save(const std::string& fileName) = 0;
};

class FileProjectStore final : public ProjectStore {
public:
    bool Load(const std::string& fileName) override;
    bool Save(const std::string& fileName) override;
};

} // namespace panolcd
