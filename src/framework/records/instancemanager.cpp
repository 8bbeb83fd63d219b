#include "framework/records/instancemanager.h"

#include "framework/environment/trace.h"

namespace panolcd {

std::int16_t TDBInstMan::AllocInstAdr() {
    if (current_ >= kNone - 1) {
        ReportInternalError("Instance Address Overflow !");
        return kNone;
    }
    return ++current_;
}

} // namespace panolcd
