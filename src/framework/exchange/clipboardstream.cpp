#include "framework/exchange/clipboardstream.h"

#include "framework/environment/context.h"

#include <string>
#include <vector>

namespace panolcd {

bool TClipBoardStreamMan::IsEmpty() const {
    if (Ctx().useClipboard)
        return !Ctx().clipboard->HasText();
    return stream_.Size() == 0;
}

void TClipBoardStreamMan::BeginWrite() {
    stream_.TakeData();
}

void TClipBoardStreamMan::EndWrite() {
    stream_.Seek(0);
    if (!Ctx().useClipboard)
        return;
    const std::vector<std::uint8_t> bytes = stream_.TakeData();
    Ctx().clipboard->SetText(std::string(bytes.begin(), bytes.end()));
}

void TClipBoardStreamMan::BeginRead() {
    if (Ctx().useClipboard) {
        const ClipboardPort& clipboard = *Ctx().clipboard;
        const std::string text = clipboard.HasText() ? clipboard.Text() : std::string();
        stream_ = MemoryByteStream(std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    stream_.Seek(0);
}

void TClipBoardStreamMan::EndRead() {
    stream_.Seek(0);
    if (Ctx().useClipboard)
        stream_.TakeData();
}

TClipBoardStreamMan& ClipBoardStreamMan() {
    return Ctx().clipboardStream;
}

} // namespace panolcd
