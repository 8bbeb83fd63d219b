#include "framework/persistence/bytestream.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace panolcd {

std::size_t MemoryByteStream::Read(void* buffer, std::size_t count) {
    if (position_ >= data_.size())
        return 0;
    const std::size_t n = std::min(count, data_.size() - position_);
    std::memcpy(buffer, data_.data() + position_, n);
    position_ += n;
    return n;
}

bool MemoryByteStream::Write(const void* buffer, std::size_t count) {
    if (count == 0)
        return true;
    if (position_ + count > data_.size())
        data_.resize(position_ + count);
    std::memcpy(data_.data() + position_, buffer, count);
    position_ += count;
    return true;
}

bool MemoryByteStream::Seek(std::int64_t position) {
    if (position < 0)
        return false;
    position_ = static_cast<std::size_t>(position);
    return true;
}

std::vector<std::uint8_t> MemoryByteStream::TakeData() {
    position_ = 0;
    return std::exchange(data_, {});
}

std::unique_ptr<FileByteStream> FileByteStream::OpenExisting(const std::filesystem::path& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return nullptr;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        size = std::ftell(file);
    if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
        std::fclose(file); // a directory or an unseekable device is no stream file
        return nullptr;
    }
    return std::unique_ptr<FileByteStream>(new FileByteStream(file, size));
}

std::unique_ptr<FileByteStream> FileByteStream::Create(const std::filesystem::path& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return nullptr;
    return std::unique_ptr<FileByteStream>(new FileByteStream(file, 0));
}

FileByteStream::~FileByteStream() {
    Close();
}

std::size_t FileByteStream::Read(void* buffer, std::size_t count) {
    if (file_ == nullptr || count == 0)
        return 0;
    const std::size_t n = std::fread(buffer, 1, count, file_);
    position_ += static_cast<std::int64_t>(n);
    return n;
}

bool FileByteStream::Write(const void* buffer, std::size_t count) {
    if (file_ == nullptr)
        return false;
    if (count == 0)
        return true;
    const std::size_t n = std::fwrite(buffer, 1, count, file_);
    position_ += static_cast<std::int64_t>(n);
    size_ = std::max(size_, position_);
    return n == count;
}

bool FileByteStream::Seek(std::int64_t position) {
    if (file_ == nullptr || position < 0 || std::fseek(file_, position, SEEK_SET) != 0)
        return false;
    position_ = position;
    return true;
}

bool FileByteStream::Close() {
    if (file_ == nullptr)
        return true;
    const bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

} // namespace panolcd
