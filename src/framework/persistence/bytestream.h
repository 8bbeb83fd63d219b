#pragma once
// The byte layer under object streams: a positioned sequence of bytes in a file or in memory.
// Failures are reported by return values; the object stream turns them into its errors.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

namespace panolcd {

class ByteStream {
public:
    virtual ~ByteStream() = default;

    // Number of bytes copied; fewer than asked at the end of the data.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // False when not every byte could be written.
    virtual bool Write(const void* buffer, std::size_t count) = 0;
    // Any position from 0 up is accepted; reading past the end yields nothing.
    virtual bool Seek(std::int64_t position) = 0;
    virtual std::int64_t Position() const = 0;
    virtual std::int64_t Size() const = 0;

    std::int64_t Remaining() const {
        const std::int64_t rest = Size() - Position();
        return rest > 0 ? rest : 0;
    }
};

class MemoryByteStream final : public ByteStream {
public:
    MemoryByteStream() = default;
    explicit MemoryByteStream(std::vector<std::uint8_t> bytes) : data_(std::move(bytes)) {}

    std::size_t Read(void* buffer, std::size_t count) override;
    bool Write(const void* buffer, std::size_t count) override;
    bool Seek(std::int64_t position) override;
    std::int64_t Position() const override { return static_cast<std::int64_t>(position_); }
    std::int64_t Size() const override { return static_cast<std::int64_t>(data_.size()); }

    const std::vector<std::uint8_t>& Data() const { return data_; }
    std::vector<std::uint8_t> TakeData();

private:
    std::vector<std::uint8_t> data_;
    std::size_t position_ = 0;
};

class FileByteStream final : public ByteStream {
public:
    // An existing file for reading; nullptr when it cannot be opened.
    static std::unique_ptr<FileByteStream> OpenExisting(const std::filesystem::path& path);
    // A new or truncated file for writing; nullptr when it cannot be created.
    static std::unique_ptr<FileByteStream> Create(const std::filesystem::path& path);

    ~FileByteStream() override;
    FileByteStream(const FileByteStream&) = delete;
    FileByteStream& operator=(const FileByteStream&) = delete;

    std::size_t Read(void* buffer, std::size_t count) override;
    bool Write(const void* buffer, std::size_t count) override;
    bool Seek(std::int64_t position) override;
    std::int64_t Position() const override { return position_; }
    std::int64_t Size() const override { return size_; }

    // Flushes and releases the file; false when pending data could not be written.
    bool Close();

private:
    FileByteStream(std::FILE* file, std::int64_t size) : file_(file), size_(size) {}

    std::FILE* file_;
    std::int64_t size_;
    std::int64_t position_ = 0;
};

} // namespace panolcd
