#pragma once
// The open LCD project: its root database, its file name, and the look-ups every other part of
// the program reaches the project's databases through. The tree itself is the database layer's;
// this adds the project's shape (which databases hang where) and the contents of a new project.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

class TDataBase;
class TDBRecordObj;

// The root database of the open project, or nullptr.
TDataBase* OpenProject();

// The open project's file name; empty without a project or until the project is saved. The root
// database keeps it, so it goes with the project when that is closed.
std::string ProjectFileName();
// Ignored without a project.
void SetProjectFileName(std::string_view fileName);

// Every database of `dbTypeId` anywhere in the open project's tree, in tree order.
std::vector<TDataBase*> FindProjectDBs(std::uint16_t dbTypeId);

// The record's sub-database of `dbTypeId`, or nullptr.
TDataBase* SubDataBase(const TDBRecordObj* record, std::uint16_t dbTypeId);

// The record whose sub-database `database` is; nullptr for the root or a detached database.
TDBRecordObj* OwnerRecord(const TDataBase* database);

// The first record of `root`, or nullptr when it has none (a damaged project may hold several;
// the first one counts).
TDBRecordObj* RootRecord(const TDataBase* root);
// The same for the open project.
TDBRecordObj* RootRecord();

// The file of bank `number` in the open project's font banks (kDBFontBanks) or bitmap banks
// (kDBBitmapBanks): the first bank of that number; a name without directory is taken beside the
// project file. Empty without a project, bank database or such a bank.
std::string BankFile(std::uint16_t bankDbType, std::uint8_t number);

// Replaces the open project by a new one: one root record with zero data, its sub-databases as
// the description declares them, font bank {0, "system", "ABC123"} and bitmap bank {0, "none"}.
// Instance numbering restarts. Needs the application description loaded.
TDataBase& NewProject();

// Frees the open project and restarts instance numbering.
void CloseProject();

} // namespace panolcd
