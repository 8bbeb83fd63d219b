#pragma once
// The entry points of database text and CSV exchange. Each builds its machine, lets the step
// runner (the wait window, or the synchronous runner) drive it and answers whether it ran to a
// good end. An empty file name means the clipboard.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

class StepRunner;
class TDataBase;
class TDBRecordObj;
class TRecIniciatorColl;

// Why an imported record is refused, empty when it is taken. `values` holds the initiators'
// values as read, before texts are cut to their fields.
using ImportedRecordCheck =
    std::function<std::string(TDBRecordObj& record, const TRecIniciatorColl& values)>;

// False when the export failed or the user cancelled it; the file and its safety copy are then
// left as they were.
bool ExportDatabase(std::string_view fileName, TDataBase& database, StepRunner* runner = nullptr);
// Reads one database text into `target`: at `insertIx` when it lies inside the target, else
// appended; `filterIx` >= 0 filters the records. True only when the import ran to its end.
bool ImportDatabase(std::string_view fileName, TDataBase& target, int insertIx, int filterIx,
                    StepRunner* runner = nullptr);
// One CSV line per record, after the header line when one is given.
bool ExportCSV(std::string_view fileName, TDataBase& database, std::string_view header,
               StepRunner* runner = nullptr);
// `fileName` may be a mask (* or ?); the files of `fileList` follow in their order.
// `semId` >= 0 accepts or refuses each record through that semantics. A record that `check`
// refuses stops the import with its refusal at the record's place.
bool ImportCSV(std::string_view fileName, const std::vector<std::string>& fileList,
               TDataBase& target, std::int16_t semId, int insertIx, int filterIx,
               StepRunner* runner = nullptr, const ImportedRecordCheck& check = {});

} // namespace panolcd
