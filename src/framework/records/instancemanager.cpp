#include "framework/records/instancemanager.h"

#include "framework/environment/trace.h"

namespace panolcd {

std::int16_t TDBInstMan::AllocInstAdr() {
    // New addresses first, so that a tree read after a reset is numbered as it was written.
    if (current_ < kNone - 1)
        return ++current_;
    if (!released_.empty()) {
        const std::int16_t address = released_.back();
        released_.pop_back();
        return address;
    }
    ReportInternalError("Instance Address Overflow !");
    return kNone;
}

void TDBInstMan::ResetInstAdr() {
    current_ = start_;
    ++generation_;
    released_.clear();
}

void TDBInstMan::ReleaseInstAdr(std::int16_t address, std::uint32_t generation) {
    if (generation != generation_ || address <= start_ || address > current_)
        return;
    released_.push_back(address);
}

} // namespace panolcd
