#include "framework/exchange/clipboardstream.h"

#include "framework/environment/envcontext.h"
#include "framework/exchange/exchangecontext.h"

#include <string>
#include <vector>

namespace panolcd {

bool TClipBoardStreamMan::IsEmpty() const {
    if (EnvCtx().useClipboard)
        return !EnvCtx().clipboard->HasText();
    return stream_.Size() == 0;
}

void TClipBoardStreamMan::BeginWrite() {
    stream_.TakeData();
}

void TClipBoardStreamMan::EndWrite() {
    stream_.Seek(0);
    if (!EnvCtx().useClipboard)
        return;
    const std::vector<std::uint8_t> bytes = stream_.TakeData();
    EnvCtx().clipboard->SetText(std::string(bytes.begin(), bytes.end()));
}

void TClipBoardStreamMan::BeginRead() {
    if (EnvCtx().useClipboard) {
        const ClipboardPort& clipboard = *EnvCtx().clipboard;
        const std::string text = clipboard.HasText() ? clipboard.Text() : std::string();
        stream_ = MemoryByteStream(std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    stream_.Seek(0);
}

void TClipBoardStreamMan::EndRead() {
    stream_.Seek(0);
    if (EnvCtx().useClipboard)
        stream_.TakeData();
}

TClipBoardStreamMan& ClipBoardStreamMan() {
    return ExchangeCtx().clipboardStream;
}

} // namespace panolcd
