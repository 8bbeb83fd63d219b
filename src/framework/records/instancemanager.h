#pragma once
// TDBInstMan: hands out the instance addresses that tie pointer fields to sub-databases.

#include <cstdint>
#include <vector>

namespace panolcd {

class TDBInstMan {
public:
    static constexpr std::int16_t kStart = -32768;
    // Also the "no sub-database" mark of pointer fields, so it is never handed out.
    static constexpr std::int16_t kNone = -1;

    // The next address, from kStart + 1 up to -2; once those are spent, an address released
    // since. None left: reports "Instance Address Overflow !" and answers kNone.
    std::int16_t AllocInstAdr();
    // Starts the numbering again; addresses handed out before are no longer taken back.
    void ResetInstAdr();
    // An address handed out in `generation` (Generation() when it was allocated) whose database
    // is gone; addresses of an earlier generation are ignored, as they may be in use again.
    void ReleaseInstAdr(std::int16_t address, std::uint32_t generation);
    std::int16_t Current() const { return current_; }
    std::uint32_t Generation() const { return generation_; }

private:
    std::int16_t start_ = kStart;
    std::int16_t current_ = kStart;
    std::uint32_t generation_ = 0;
    std::vector<std::int16_t> released_;
};

} // namespace panolcd
