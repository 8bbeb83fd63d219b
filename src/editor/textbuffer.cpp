#include "editor/textbuffer.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "framework/exchange/safetycopy.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace panolcd {
namespace {

std::size_t CountLineFeeds(std::string_view bytes) {
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
}

} // namespace

std::string TextTooLongMessage() {
    return Utf8ToCp1250("Text je příliš dlouhý");
}

std::string OutOfMemoryMessage() {
    return Utf8ToCp1250("Nedostatek paměti.");
}

std::string EditorBackupName(std::string_view fileName) {
    const std::string ext = ExtractFileExt(fileName);
    return ChangeFileExt(fileName, ".~" + (ext.size() > 1 ? ext.substr(1, 2) : std::string()));
}

TextBuffer::TextBuffer() : text_(kTextCapacity), states_(kStateCapacity) {
    bookmarks.fill(kNone);
}

std::string TextBuffer::AllText() const {
    std::string text(text_.Before());
    text.append(text_.After());
    return text;
}

void TextBuffer::MoveGap(std::size_t offset) {
    offset = std::min(offset, Length());
    const std::size_t gap = text_.GapPos();
    if (offset < gap)
        gapLine_ -= CountLineFeeds(text_.Before().substr(offset));
    else if (offset > gap)
        gapLine_ += CountLineFeeds(text_.After().substr(0, offset - gap));
    text_.MoveGap(offset);
}

std::size_t TextBuffer::LineOf(std::size_t offset) {
    MoveGap(offset);
    return gapLine_;
}

std::size_t TextBuffer::LineStart(std::size_t line) {
    line = std::min(line, lineFeeds_);
    if (line == 0)
        return 0;
    // The line starts right after the line-th line feed. Walk from the gap, whose count of line
    // feeds before it is known; `feeds` counts those before `offset`.
    std::size_t offset = text_.GapPos();
    std::size_t feeds = gapLine_;
    while (feeds < line) {
        if (At(offset) == '\n')
            ++feeds;
        ++offset;
    }
    while (feeds > line || At(offset - 1) != '\n') {
        --offset;
        if (At(offset) == '\n')
            --feeds;
    }
    return offset;
}

std::size_t TextBuffer::LineEnd(std::size_t line) {
    if (line >= lineFeeds_)
        return Length();
    const std::size_t start = LineStart(line);
    const std::size_t feed = LineStart(line + 1) - 1;
    return feed > start && At(feed - 1) == '\r' ? feed - 1 : feed;
}

void TextBuffer::SetLineState(std::size_t lineFeed, std::uint8_t state) {
    if (lineFeed >= lineFeeds_)
        return;
    states_.Set(lineFeed, static_cast<char>(state));
}

void TextBuffer::MarkDirty(std::size_t first, std::size_t last) {
    if (dirtyLast < 0) {
        dirtyFirst = static_cast<std::int64_t>(first);
        dirtyLast = static_cast<std::int64_t>(last);
        return;
    }
    dirtyFirst = std::min<std::int64_t>(dirtyFirst, static_cast<std::int64_t>(first));
    dirtyLast = std::max<std::int64_t>(dirtyLast, static_cast<std::int64_t>(last));
}

void TextBuffer::Insert(std::size_t offset, std::string_view bytes) {
    offset = std::min(offset, Length());
    const std::size_t feeds = CountLineFeeds(bytes);
    if (bytes.size() > text_.GapSize() || feeds > states_.GapSize())
        throw ESmartEditError(TextTooLongMessage());
    if (bytes.empty())
        return;
    const std::size_t line = LineOf(offset);
    text_.Insert(offset, bytes);
    gapLine_ += feeds;
    states_.Insert(line, std::string(feeds, '\0'));
    lineFeeds_ += feeds;

    const auto n = static_cast<std::int32_t>(bytes.size());
    const auto at = static_cast<std::int32_t>(offset);
    // Offsets where the text starts move with it; those where a range ends move once inside.
    const auto begin = [&](std::int32_t& mark) {
        if (mark != kNone && mark >= at)
            mark += n;
    };
    const auto end = [&](std::int32_t& mark) {
        if (mark != kNone && mark > at)
            mark += n;
    };
    begin(blockBegin);
    end(blockEnd);
    begin(foundBegin);
    end(foundEnd);
    for (std::int32_t& mark : bookmarks)
        begin(mark);
    MarkDirty(line, line + feeds);
    modified = true;
}

void TextBuffer::Erase(std::size_t offset, std::size_t count) {
    if (offset >= Length() || count == 0)
        return;
    count = std::min(count, Length() - offset);
    const std::size_t line = LineOf(offset);
    const std::size_t feeds = CountLineFeeds(text_.After().substr(0, count));
    text_.Erase(offset, count);
    states_.Erase(line, feeds);
    lineFeeds_ -= feeds;

    const auto from = static_cast<std::int32_t>(offset);
    const auto to = static_cast<std::int32_t>(offset + count);
    // Inside the deleted range an offset collapses to its start.
    const auto follow = [&](std::int32_t& mark) {
        if (mark == kNone || mark <= from)
            return;
        mark = mark >= to ? mark - (to - from) : from;
    };
    follow(blockBegin);
    follow(blockEnd);
    follow(foundBegin);
    follow(foundEnd);
    for (std::int32_t& mark : bookmarks)
        follow(mark);
    MarkDirty(line, line);
    modified = true;
}

void TextBuffer::Clear() {
    text_.Clear();
    states_.Clear();
    lineFeeds_ = 0;
    gapLine_ = 0;
    blockBegin = blockEnd = 0;
    foundBegin = foundEnd = kNone;
    bookmarks.fill(kNone);
    modified = false;
    dirtyFirst = 0;
    dirtyLast = -1;
}

void TextBuffer::Load(const std::string& fileName) {
    Clear();
    std::ifstream in(ToFsPath(fileName), std::ios::binary);
    if (!in)
        throw ESmartEditError(Utf8ToCp1250("Soubor nelze otevřít: ") + FileNameText(fileName));
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size < 0)
        throw ESmartEditError(Utf8ToCp1250("Soubor nelze číst: ") + FileNameText(fileName));
    if (static_cast<std::uint64_t>(size) > kMaxLoadBytes)
        throw ESmartEditError(TextTooLongMessage());
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), size))
        throw ESmartEditError(Utf8ToCp1250("Soubor nelze číst: ") + FileNameText(fileName));
    const std::size_t feeds = CountLineFeeds(bytes);
    if (feeds > kMaxLineFeeds)
        throw ESmartEditError(TextTooLongMessage());
    text_.Assign(bytes);
    states_.Assign(std::string(feeds, '\0'));
    lineFeeds_ = feeds;
    gapLine_ = 0;
    MarkDirty(0, feeds);
}

void TextBuffer::Save(const std::string& fileName, bool backup) const {
    int code = 0;
    std::unique_ptr<ReplacingFile> file = ReplacingFile::Create(fileName, code);
    const auto fail = [&](int error) {
        throw ESmartEditError(Utf8ToCp1250("Soubor nelze uložit: ") + FileNameText(fileName) +
                              " (" + std::strerror(error) + ")");
    };
    if (file == nullptr)
        fail(code);
    file->SetCopyName(backup ? EditorBackupName(fileName) : std::string());
    if (!file->Write(text_.Before()) || !file->Write(text_.After()) || !file->Commit())
        fail(file->Error());
}

} // namespace panolcd
