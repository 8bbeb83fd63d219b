#pragma once
// Typed object streams: a 16-byte header ("RBSTREAM", version, class-table offset), an optional
// header of the stream kind, object records and plain values, and at the end a class table that
// maps the 16-bit class indices of the object records to class names. All numbers are
// little-endian; texts are Windows-1250 bytes.
//
// The stream does not own the objects put into it and hands over ownership of those it reads.
// Every failure is raised through StreamError. Counts and lengths read from the data are checked
// against the bytes that remain, so damaged data fails with "Stream read error" instead of
// allocating or reading past the end.

#include "common/littleendian.h"
#include "framework/persistence/bytestream.h"
#include "framework/persistence/classregistry.h"
#include "framework/persistence/streamable.h"

#include <array>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace panolcd {

enum class StreamMode : std::uint8_t { Closed = 0, Reading = 1, Writing = 2 };

class TrbObjStream {
public:
    static constexpr std::size_t kHeaderSize = 16;
    static constexpr std::uint32_t kVersion = 0x00010000;

    TrbObjStream();
    virtual ~TrbObjStream() = default;
    TrbObjStream(const TrbObjStream&) = delete;
    TrbObjStream& operator=(const TrbObjStream&) = delete;

    StreamMode Mode() const { return mode_; }
    const std::array<std::uint8_t, kHeaderSize>& Header() const { return header_; }
    std::int32_t ClassTableOffset() const;

    // The underlying bytes; nullptr when there are none (a closed file).
    virtual ByteStream* GetStream() = 0;

    void OpenRead();
    void OpenWrite();
    // Writing: appends the class table and patches the header. Allowed in every mode.
    void Close();

    // One object record; nil is written as class index -1.
    void Put(const TrbStreamable* object);
    // One object record: a new object of the recorded class, or nil.
    // Objects nest at most kMaxNesting deep; deeper data fails with "Stream read error" (no
    // description nests so deep, and reading it would exhaust the stack).
    static constexpr int kMaxNesting = 1000;
    std::unique_ptr<TrbStreamable> Get();
    // Reads one object record into `target` through Assign. False, target untouched, for nil.
    // The loaded object is destroyed also when Assign fails.
    bool GetInto(TrbStreamable& target);
    // Get for a caller that expects a T (or nil); another class fails with "Invalid class
    // typecast".
    template <class T> std::unique_ptr<T> GetAs() { return StreamableAs<T>(Get()); }

    void WriteBytes(const void* buffer, std::size_t count);
    void ReadBytes(void* buffer, std::size_t count);

    template <class T> void WriteNum(T value) {
        static_assert(std::is_arithmetic_v<T> && !std::is_same_v<T, bool>);
        std::uint8_t bytes[sizeof(T)];
        WriteLE(bytes, value);
        WriteBytes(bytes, sizeof(T));
    }
    template <class T> T ReadNum() {
        static_assert(std::is_arithmetic_v<T> && !std::is_same_v<T, bool>);
        std::uint8_t bytes[sizeof(T)];
        ReadBytes(bytes, sizeof(T));
        return ReadLE<T>(bytes);
    }
    // One byte: 0 false, anything else true.
    void WriteBool(bool value) { WriteNum<std::uint8_t>(value ? 1 : 0); }
    bool ReadBool() { return ReadNum<std::uint8_t>() != 0; }

    // ShortString: length byte and at most 255 characters (a longer text is cut).
    void WriteStr(std::string_view text);
    std::string ReadStr();

    // Long text: 32-bit length and the characters, no terminator. The text is zero-terminated
    // data, so it ends at its first zero byte; empty stands for absent (length 0).
    void WritePChar(std::string_view text);
    std::string ReadPChar();

    // Fails with "Stream read error" unless `count` items of at least `bytesEach` bytes can still
    // be read. For counts and sizes taken from the data before acting on them.
    void RequireRemaining(std::int64_t count, std::int64_t bytesEach = 1);

    // Raises `error` through StreamError; never returns.
    [[noreturn]] void RaiseError(std::exception_ptr error);
    template <class E> [[noreturn]] void Raise(const E& error) {
        RaiseError(std::make_exception_ptr(error));
    }

protected:
    // Mode Reading: the existing data from position 0; mode Writing: new, empty data.
    virtual void OpenStream(StreamMode mode) = 0;
    virtual void CloseStream() = 0;
    // Every failure passes here; the base raises it. An override may raise another exception
    // instead; if it returns, the original is raised.
    virtual void StreamError(std::exception_ptr error);
    // A stream kind's own header after the 16 fixed bytes; the base has none.
    virtual void WriteUserHeader() {}
    virtual void ReadUserHeader() {}

    // Closes an open stream without letting an error escape. Concrete streams call it from their
    // destructors, while their CloseStream can still be dispatched.
    void CloseQuietly() noexcept;

private:
    struct ReadEntry {
        std::string name;
        StreamableFactory factory = nullptr;
    };
    struct WriteEntry {
        std::string name;
        std::int16_t index;
    };

    void RequireMode(StreamMode mode);
    ByteStream& Underlying(bool forWriting);
    void SeekTo(std::int64_t position, bool forWriting);
    void ReadClassTable();
    void WriteClassTable();
    std::int16_t ClassIndexFor(const std::string& className);

    StreamMode mode_ = StreamMode::Closed;
    int getDepth_ = 0; // object records being read inside one another
    std::array<std::uint8_t, kHeaderSize> header_{};
    std::vector<ReadEntry> readTable_;   // by class index
    std::vector<WriteEntry> writeTable_; // by name, letter case ignored
};

class TrbFileObjStream : public TrbObjStream {
public:
    static constexpr std::size_t kMaxFileName = 254;

    // A longer name is cut to 254 characters.
    explicit TrbFileObjStream(std::string_view fileName);
    ~TrbFileObjStream() override;

    const std::string& FileName() const { return fileName_; }
    ByteStream* GetStream() override { return file_.get(); }

protected:
    // Reading opens the existing file, writing creates or truncates it.
    void OpenStream(StreamMode mode) override;
    void CloseStream() override;

private:
    std::string fileName_;
    std::unique_ptr<FileByteStream> file_;
};

// Its buffer survives Close, so a stream written and closed can be opened for reading; the next
// OpenWrite starts a new buffer.
class TrbMemoryObjStream : public TrbObjStream {
public:
    TrbMemoryObjStream();
    // A stream over bytes made elsewhere, to be opened for reading.
    explicit TrbMemoryObjStream(std::vector<std::uint8_t> bytes);
    ~TrbMemoryObjStream() override;

    ByteStream* GetStream() override { return buffer_.get(); }

    bool HasBuffer() const { return buffer_ != nullptr; }
    // The bytes of the buffer (empty without one).
    const std::vector<std::uint8_t>& Bytes() const;
    // Hands the bytes to the caller; the stream has no buffer until the next OpenWrite.
    std::vector<std::uint8_t> ReleaseBuffer();

protected:
    void OpenStream(StreamMode mode) override;
    void CloseStream() override {}

private:
    std::unique_ptr<MemoryByteStream> buffer_;
};

} // namespace panolcd
