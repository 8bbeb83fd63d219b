#include "framework/environment/ports.h"

#include <ctime>

namespace panolcd {

MsgKind MsgKindOf(unsigned flags) {
    switch (flags & 0xF0) {
    case mb::kIconError:
        return MsgKind::Error;
    case mb::kIconQuestion:
        return MsgKind::Confirmation;
    case mb::kIconInformation:
        return MsgKind::Information;
    default:
        return MsgKind::Warning;
    }
}

MsgButtons MsgButtonsOf(unsigned flags) {
    switch (flags & 0x0F) {
    case mb::kOkCancel:
        return MsgButtons::OkCancel;
    case mb::kAbortRetryIgnore:
        return MsgButtons::AbortRetryIgnore;
    case mb::kYesNoCancel:
        return MsgButtons::YesNoCancel;
    case mb::kYesNo:
        return MsgButtons::YesNo;
    case mb::kRetryCancel:
        return MsgButtons::RetryCancel;
    default:
        return MsgButtons::Ok;
    }
}

MsgResult HeadlessUserPort::ShowMessage(MsgKind, MsgButtons buttons, const std::string&,
                                        const std::string&) {
    switch (buttons) {
    case MsgButtons::AbortRetryIgnore:
        return MsgResult::Abort;
    case MsgButtons::YesNoCancel:
    case MsgButtons::YesNo:
        return MsgResult::Yes;
    case MsgButtons::RetryCancel:
        return MsgResult::Retry;
    default:
        return MsgResult::Ok;
    }
}

LocalDateTime SystemClock::Now() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

} // namespace panolcd
