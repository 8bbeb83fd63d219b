#include "framework/windows/windowmessages.h"

namespace panolcd {

std::uint32_t ChildBroadcast(MessageTarget& self, std::uint32_t wParam,
                             const TBroadcastRec* record) {
    if (wParam != kBroadcastRecSize || record == nullptr)
        return 0;
    const TBroadcastRec copy = *record;
    return copy.Result | self.HandleMessage(copy.Message, copy.WParam, copy.LParam);
}

std::uint32_t MessageTarget::HandleBroadcast(std::uint32_t wParam, const TBroadcastRec* record) {
    return ChildBroadcast(*this, wParam, record);
}

std::uint32_t MainBroadcast(MessageTarget& self, std::uint32_t wParam, const TBroadcastRec* record,
                            const std::vector<TargetRef>& children) {
    if (wParam != kBroadcastRecSize || record == nullptr)
        return 0;
    TBroadcastRec copy = *record;
    copy.Result |= self.HandleMessage(copy.Message, copy.WParam, copy.LParam);
    for (const TargetRef& ref : children) {
        MessageTarget* child = ref ? ref() : nullptr;
        if (child == nullptr || child->IsClosing())
            continue;
        copy.Result |= child->HandleBroadcast(kBroadcastRecSize, &copy);
    }
    return copy.Result;
}

std::uint32_t Broadcast(MessageTarget* mainWindow, std::uint32_t message, std::uint32_t wParam,
                        std::uint32_t lParam) {
    if (mainWindow == nullptr)
        return 0;
    const TBroadcastRec record{message, wParam, lParam, 0};
    return mainWindow->HandleBroadcast(kBroadcastRecSize, &record);
}

} // namespace panolcd
