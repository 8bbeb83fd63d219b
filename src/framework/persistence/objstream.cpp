#include "framework/persistence/objstream.h"

#include "common/paths.h"
#include "common/shortstring.h"
#include "common/text.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace panolcd {
namespace {

constexpr char kSignature[8] = {'R', 'B', 'S', 'T', 'R', 'E', 'A', 'M'};
constexpr std::size_t kOffsetPos = 12;
constexpr std::int16_t kNilIndex = -1;
// Class indices are signed 16-bit with -1 reserved for nil.
constexpr std::size_t kMaxClasses = 32767;
// The least a class-table entry takes: its index and an empty name.
constexpr std::int64_t kMinEntrySize = 3;

} // namespace

TrbObjStream::TrbObjStream() {
    std::memcpy(header_.data(), kSignature, sizeof kSignature);
    WriteLE(header_.data() + 8, kVersion);
    WriteLE<std::int32_t>(header_.data() + kOffsetPos, 0);
}

std::int32_t TrbObjStream::ClassTableOffset() const {
    return ReadLE<std::int32_t>(header_.data() + kOffsetPos);
}

void TrbObjStream::StreamError(std::exception_ptr error) {
    std::rethrow_exception(error);
}

void TrbObjStream::RaiseError(std::exception_ptr error) {
    StreamError(error);
    std::rethrow_exception(error);
}

void TrbObjStream::RequireMode(StreamMode mode) {
    if (mode_ != mode)
        Raise(ErbObjStreamWrongMode("RBStream Mode Err"));
}

ByteStream& TrbObjStream::Underlying(bool forWriting) {
    ByteStream* stream = GetStream();
    if (stream != nullptr)
        return *stream;
    if (forWriting)
        Raise(EWriteError());
    Raise(EReadError());
}

void TrbObjStream::SeekTo(std::int64_t position, bool forWriting) {
    if (Underlying(forWriting).Seek(position))
        return;
    if (forWriting)
        Raise(EWriteError());
    Raise(EReadError());
}

void TrbObjStream::WriteBytes(const void* buffer, std::size_t count) {
    if (count == 0)
        return;
    if (!Underlying(true).Write(buffer, count))
        Raise(EWriteError());
}

void TrbObjStream::ReadBytes(void* buffer, std::size_t count) {
    if (count == 0)
        return;
    if (Underlying(false).Read(buffer, count) != count)
        Raise(EReadError());
}

void TrbObjStream::RequireRemaining(std::int64_t count, std::int64_t bytesEach) {
    const std::int64_t remaining = Underlying(false).Remaining();
    if (count < 0 || (bytesEach > 0 && count > remaining / bytesEach))
        Raise(EReadError());
}

void TrbObjStream::WriteStr(std::string_view text) {
    const std::string cut = CutShortString(text);
    WriteNum<std::uint8_t>(static_cast<std::uint8_t>(cut.size()));
    WriteBytes(cut.data(), cut.size());
}

std::string TrbObjStream::ReadStr() {
    std::string text(ReadNum<std::uint8_t>(), '\0');
    ReadBytes(text.data(), text.size());
    return text;
}

void TrbObjStream::WritePChar(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        Raise(EWriteError());
    WriteNum<std::int32_t>(static_cast<std::int32_t>(text.size()));
    WriteBytes(text.data(), text.size());
}

std::string TrbObjStream::ReadPChar() {
    const std::int32_t length = ReadNum<std::int32_t>();
    RequireRemaining(length);
    std::string text(static_cast<std::size_t>(length), '\0');
    ReadBytes(text.data(), text.size());
    text.resize(std::strlen(text.c_str()));
    return text;
}

void TrbObjStream::OpenRead() {
    RequireMode(StreamMode::Closed);
    OpenStream(StreamMode::Reading);
    mode_ = StreamMode::Reading;
    readTable_.clear();
    writeTable_.clear();

    std::array<std::uint8_t, kHeaderSize> header{};
    ReadBytes(header.data(), header.size());
    const bool valid =
        std::memcmp(header.data(), kSignature, sizeof kSignature) == 0 &&
        ReadLE<std::uint32_t>(header.data() + 8) == kVersion &&
        ReadLE<std::int32_t>(header.data() + kOffsetPos) >= Underlying(false).Position();
    if (!valid)
        Raise(ErbObjStreamInvalid("Invalid RBSTREAM Header"));
    header_ = header;

    ReadUserHeader();
    ReadClassTable();
}

void TrbObjStream::ReadClassTable() {
    const std::int64_t dataStart = Underlying(false).Position();
    SeekTo(ClassTableOffset(), false);
    const std::int32_t count = ReadNum<std::int32_t>();
    RequireRemaining(count, kMinEntrySize);
    readTable_.assign(static_cast<std::size_t>(count), {});
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int16_t index = ReadNum<std::int16_t>();
        std::string name = ReadStr();
        if (index < 0 || index >= count)
            Raise(EListError(index));
        readTable_[static_cast<std::size_t>(index)].name = std::move(name);
    }
    // Every class is resolved before any object is read, so a missing one fails early.
    for (ReadEntry& entry : readTable_) {
        entry.factory = entry.name.empty() ? nullptr : ClassRegistry::Find(entry.name);
        if (entry.factory == nullptr)
            Raise(EClassNotFound(entry.name));
    }
    SeekTo(dataStart, false);
}

void TrbObjStream::OpenWrite() {
    RequireMode(StreamMode::Closed);
    OpenStream(StreamMode::Writing);
    mode_ = StreamMode::Writing;
    readTable_.clear();
    writeTable_.clear();
    // Offset 0 until Close patches it: a stream that is never closed cannot be read.
    WriteLE<std::int32_t>(header_.data() + kOffsetPos, 0);
    WriteBytes(header_.data(), header_.size());
    WriteUserHeader();
}

void TrbObjStream::Close() {
    if (mode_ == StreamMode::Writing)
        WriteClassTable();
    if (mode_ != StreamMode::Closed)
        CloseStream();
    mode_ = StreamMode::Closed;
}

void TrbObjStream::WriteClassTable() {
    const std::int64_t offset = Underlying(true).Position();
    if (offset > std::numeric_limits<std::int32_t>::max())
        Raise(EWriteError());
    WriteLE<std::int32_t>(header_.data() + kOffsetPos, static_cast<std::int32_t>(offset));
    WriteNum<std::int32_t>(static_cast<std::int32_t>(writeTable_.size()));
    for (const WriteEntry& entry : writeTable_) {
        WriteNum<std::int16_t>(entry.index);
        WriteStr(entry.name);
    }
    SeekTo(0, true);
    WriteBytes(header_.data(), header_.size());
}

void TrbObjStream::CloseQuietly() noexcept {
    try {
        Close();
    } catch (...) { // NOLINT(bugprone-empty-catch): a destructor must not throw
    }
}

std::int16_t TrbObjStream::ClassIndexFor(const std::string& className) {
    const auto byName = [](const WriteEntry& entry, const std::string& name) {
        return CompareTextAscii(entry.name, name) < 0;
    };
    const auto it = std::lower_bound(writeTable_.begin(), writeTable_.end(), className, byName);
    if (it != writeTable_.end() && SameTextAscii(it->name, className))
        return it->index;
    if (writeTable_.size() >= kMaxClasses)
        Raise(ErbObjStream("Too many classes in one stream"));
    const auto index = static_cast<std::int16_t>(writeTable_.size());
    writeTable_.insert(it, WriteEntry{CutShortString(className), index});
    return index;
}

void TrbObjStream::Put(const TrbStreamable* object) {
    RequireMode(StreamMode::Writing);
    if (object == nullptr) {
        WriteNum<std::int16_t>(kNilIndex);
        return;
    }
    WriteNum<std::int16_t>(ClassIndexFor(object->ClassName()));
    object->SaveToStream(*this);
}

std::unique_ptr<TrbStreamable> TrbObjStream::Get() {
    RequireMode(StreamMode::Reading);
    const std::int16_t index = ReadNum<std::int16_t>();
    if (index == kNilIndex)
        return nullptr;
    if (index < 0 || static_cast<std::size_t>(index) >= readTable_.size())
        Raise(EListError(index));
    if (getDepth_ >= kMaxNesting)
        Raise(EReadError());
    struct DepthGuard {
        int& depth;
        explicit DepthGuard(int& d) : depth(d) { ++depth; }
        ~DepthGuard() { --depth; }
    } guard(getDepth_);
    auto object = readTable_[static_cast<std::size_t>(index)].factory();
    object->InitDefaults();
    object->LoadFromStream(*this);
    return object;
}

bool TrbObjStream::GetInto(TrbStreamable& target) {
    const auto loaded = Get();
    if (loaded == nullptr)
        return false;
    target.Assign(*loaded);
    return true;
}

TrbFileObjStream::TrbFileObjStream(std::string_view fileName)
    : fileName_(CutShortString(fileName, kMaxFileName)) {}

TrbFileObjStream::~TrbFileObjStream() {
    CloseQuietly();
}

void TrbFileObjStream::OpenStream(StreamMode mode) {
    file_.reset();
    if (mode == StreamMode::Reading) {
        file_ = FileByteStream::OpenExisting(ToFsPath(fileName_));
        if (file_ == nullptr)
            Raise(EFOpenError(fileName_));
        return;
    }
    file_ = FileByteStream::Create(ToFsPath(fileName_));
    if (file_ == nullptr)
        Raise(EFCreateError(fileName_));
}

void TrbFileObjStream::CloseStream() {
    if (file_ == nullptr)
        return;
    const bool flushed = file_->Close();
    file_.reset();
    if (!flushed && Mode() == StreamMode::Writing)
        Raise(EWriteError());
}

TrbMemoryObjStream::TrbMemoryObjStream() : buffer_(std::make_unique<MemoryByteStream>()) {}

TrbMemoryObjStream::TrbMemoryObjStream(std::vector<std::uint8_t> bytes)
    : buffer_(std::make_unique<MemoryByteStream>(std::move(bytes))) {}

TrbMemoryObjStream::~TrbMemoryObjStream() {
    CloseQuietly();
}

const std::vector<std::uint8_t>& TrbMemoryObjStream::Bytes() const {
    static const std::vector<std::uint8_t> none;
    return buffer_ ? buffer_->Data() : none;
}

std::vector<std::uint8_t> TrbMemoryObjStream::ReleaseBuffer() {
    if (buffer_ == nullptr)
        return {};
    auto bytes = buffer_->TakeData();
    buffer_.reset();
    return bytes;
}

void TrbMemoryObjStream::OpenStream(StreamMode mode) {
    if (mode == StreamMode::Writing) {
        buffer_ = std::make_unique<MemoryByteStream>();
        return;
    }
    if (buffer_ == nullptr)
        Raise(ErbObjStream("MemoryStream=nil"));
    buffer_->Seek(0);
}

} // namespace panolcd
