#include "editor/gapstore.h"

#include <algorithm>
#include <cstring>

namespace panolcd {

GapStore::GapStore(std::size_t capacity) : bytes_(capacity), gapEnd_(capacity) {}

std::string GapStore::Text(std::size_t offset, std::size_t count) const {
    const std::size_t size = Size();
    if (offset >= size)
        return {};
    count = std::min(count, size - offset);
    std::string text;
    text.reserve(count);
    if (offset < gapStart_)
        text.append(bytes_.data() + offset, std::min(count, gapStart_ - offset));
    if (text.size() < count) {
        const std::size_t after = offset + text.size() - gapStart_;
        text.append(bytes_.data() + gapEnd_ + after, count - text.size());
    }
    return text;
}

void GapStore::MoveGap(std::size_t offset) {
    offset = std::min(offset, Size());
    if (offset < gapStart_) {
        const std::size_t moved = gapStart_ - offset;
        std::memmove(bytes_.data() + gapEnd_ - moved, bytes_.data() + offset, moved);
        gapStart_ -= moved;
        gapEnd_ -= moved;
    } else if (offset > gapStart_) {
        const std::size_t moved = offset - gapStart_;
        std::memmove(bytes_.data() + gapStart_, bytes_.data() + gapEnd_, moved);
        gapStart_ += moved;
        gapEnd_ += moved;
    }
}

bool GapStore::Insert(std::size_t offset, std::string_view bytes) {
    if (bytes.size() > GapSize())
        return false;
    MoveGap(offset);
    std::memcpy(bytes_.data() + gapStart_, bytes.data(), bytes.size());
    gapStart_ += bytes.size();
    return true;
}

void GapStore::Erase(std::size_t offset, std::size_t count) {
    const std::size_t size = Size();
    if (offset >= size)
        return;
    count = std::min(count, size - offset);
    MoveGap(offset);
    gapEnd_ += count;
}

void GapStore::Clear() {
    gapStart_ = 0;
    gapEnd_ = Capacity();
}

bool GapStore::Assign(std::string_view bytes) {
    if (bytes.size() > Capacity())
        return false;
    gapStart_ = 0;
    gapEnd_ = Capacity() - bytes.size();
    std::memcpy(bytes_.data() + gapEnd_, bytes.data(), bytes.size());
    return true;
}

} // namespace panolcd
