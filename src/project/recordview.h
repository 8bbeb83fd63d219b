#pragma once
// RecordView: typed little-endian access to a record's data buffer at fixed offsets. Views are
// cheap values over a span; a buffer shorter than its layout reads as zeros and empty texts
// past its end and ignores writes there, so a damaged record never reads or writes out of bounds.

#include "common/littleendian.h"
#include "common/shortstring.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace panolcd {

class RecordView {
public:
    explicit RecordView(std::span<std::uint8_t> data) : data_(data) {}

    std::span<std::uint8_t> Data() const { return data_; }

    template <typename T> T Get(std::size_t offset) const {
        return Fits(offset, sizeof(T)) ? ReadLE<T>(data_.data() + offset) : T{};
    }
    template <typename T> void Set(std::size_t offset, T value) const {
        if (Fits(offset, sizeof(T)))
            WriteLE<T>(data_.data() + offset, value);
    }
    // A text field of `capacity` characters (capacity + 1 bytes).
    std::string Text(std::size_t offset, std::size_t capacity) const {
        return Fits(offset, capacity + 1) ? LoadShortString(data_.data() + offset, capacity)
                                          : std::string();
    }
    void SetText(std::size_t offset, std::size_t capacity, std::string_view text) const {
        if (Fits(offset, capacity + 1))
            StoreShortString(data_.data() + offset, capacity, text);
    }

protected:
    bool Fits(std::size_t offset, std::size_t size) const {
        return offset <= data_.size() && size <= data_.size() - offset;
    }

private:
    std::span<std::uint8_t> data_;
};

} // namespace panolcd
