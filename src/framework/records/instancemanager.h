#pragma once
// TDBInstMan: hands out the instance addresses that tie pointer fields to sub-databases.

#include <cstdint>

namespace panolcd {

class TDBInstMan {
public:
    static constexpr std::int16_t kStart = -32768;
    // Also the "no sub-database" mark of pointer fields, so it is never handed out.
    static constexpr std::int16_t kNone = -1;

    // The next address, from kStart + 1 up to -2. Exhausted: reports "Instance Address
    // Overflow !" and answers kNone.
    std::int16_t AllocInstAdr();
    void ResetInstAdr() { current_ = start_; }
    std::int16_t Current() const { return current_; }

private:
    std::int16_t start_ = kStart;
    std::int16_t current_ = kStart;
};

} // namespace panolcd
