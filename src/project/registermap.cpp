#include "project/registermap.h"

#include "framework/exchange/exchangerunner.h"
#include "framework/records/database.h"
#include "project/dbtypes.h"

namespace panolcd {

std::unique_ptr<TDataBase> ReadMapFile(const std::string& fileName,
                                       const ImportedRecordCheck& check) {
    std::unique_ptr<TDataBase> map = TDataBase::New(nullptr, kDBRegisterMap, 0, 0);
    if (!ImportCSV(fileName, {}, *map, -1, -1, -1, nullptr, check))
        return nullptr;
    return map;
}

} // namespace panolcd
