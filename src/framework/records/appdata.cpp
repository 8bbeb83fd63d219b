#include "framework/records/appdata.h"

#include "framework/records/dbdescriptor.h"
#include "framework/records/enumtypes.h"
#include "framework/records/recordtype.h"

namespace panolcd {

TAppData::TAppData() = default;
TAppData::~TAppData() = default;

} // namespace panolcd
