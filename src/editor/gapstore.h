#pragma once
// The editor's byte stores: a gap buffer of fixed capacity. The bytes before the gap lie at the
// start, the bytes after it at the end; a change at the gap moves nothing, and moving the gap
// moves only the bytes between its old and new place.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace panolcd {

class GapStore {
public:
    explicit GapStore(std::size_t capacity);

    std::size_t Capacity() const { return bytes_.size(); }
    std::size_t Size() const { return Capacity() - (gapEnd_ - gapStart_); }
    std::size_t GapSize() const { return gapEnd_ - gapStart_; }
    // The logical offset the gap stands at.
    std::size_t GapPos() const { return gapStart_; }

    char At(std::size_t offset) const {
        return offset < gapStart_ ? bytes_[offset] : bytes_[gapEnd_ + (offset - gapStart_)];
    }
    void Set(std::size_t offset, char byte) {
        (offset < gapStart_ ? bytes_[offset] : bytes_[gapEnd_ + (offset - gapStart_)]) = byte;
    }
    // `count` bytes from `offset` (fewer at the end).
    std::string Text(std::size_t offset, std::size_t count) const;
    // The two runs of bytes, before and after the gap.
    std::string_view Before() const { return {bytes_.data(), gapStart_}; }
    std::string_view After() const { return {bytes_.data() + gapEnd_, Capacity() - gapEnd_}; }

    void MoveGap(std::size_t offset);
    // False, and nothing changes, when the gap is too small.
    bool Insert(std::size_t offset, std::string_view bytes);
    void Erase(std::size_t offset, std::size_t count);
    void Clear();
    // The whole content anew, after the gap (the gap at offset 0); false when it does not fit.
    bool Assign(std::string_view bytes);

private:
    std::vector<char> bytes_;
    std::size_t gapStart_ = 0;
    std::size_t gapEnd_ = 0;
};

} // namespace panolcd
