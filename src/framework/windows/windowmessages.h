#pragma once
// The numbers of the messages windows exchange, and the broadcast that carries one message to the
// main window and every child window. Sent messages are direct calls on MessageTarget; posted
// ones are queued events of the window layer.

#include <cstdint>
#include <functional>
#include <vector>

namespace panolcd {

// Sent to the active child: it writes its edit capabilities.
inline constexpr std::uint32_t kWmQueryEditCaps = 1905;
// Edit commands, posted to the active child or broadcast.
inline constexpr std::uint32_t kWmEditCmd = 1906;
// Deferred project commands the main window posts to itself.
inline constexpr std::uint32_t kWmProjectCmd = 1907;
// Posted to a wait window to run its next batch of steps.
inline constexpr std::uint32_t kWmWaitStep = 2038;
// Carrier of a broadcast: WParam kBroadcastRecSize, LParam the broadcast record.
inline constexpr std::uint32_t kWmBroadcast = 2046;
// File commands, broadcast.
inline constexpr std::uint32_t kWmFileCmd = 2047;

inline constexpr std::uint32_t kBroadcastRecSize = 16;

// What a broadcast carries: the inner message and the OR of every reply.
struct TBroadcastRec {
    std::uint32_t Message = 0;
    std::uint32_t WParam = 0;
    std::uint32_t LParam = 0;
    std::uint32_t Result = 0;
};
static_assert(sizeof(TBroadcastRec) == kBroadcastRecSize);

// A window as a receiver of sent messages.
class MessageTarget {
public:
    virtual ~MessageTarget() = default;
    // The window's own handling of a message; the answer is its reply.
    virtual std::uint32_t HandleMessage(std::uint32_t message, std::uint32_t wParam,
                                        std::uint32_t lParam) = 0;
    // kWmBroadcast, with the record handed over directly instead of by address. A child relays
    // it to itself (ChildBroadcast); the main window overrides it with MainBroadcast.
    virtual std::uint32_t HandleBroadcast(std::uint32_t wParam, const TBroadcastRec* record);
    // A window on its way out takes no more broadcasts.
    virtual bool IsClosing() const { return false; }
};

// Finds a window of a snapshot again; none once the window is gone.
using TargetRef = std::function<MessageTarget*()>;

// The child side of kWmBroadcast: ignored (0) unless `wParam` is kBroadcastRecSize and there is a
// record; otherwise the inner message goes to `self` on a copy of the record, and the answer is
// the record's result OR-ed with the reply.
std::uint32_t ChildBroadcast(MessageTarget& self, std::uint32_t wParam,
                             const TBroadcastRec* record);

// The main-window side: the inner message to `self`, then kWmBroadcast to each window of
// `children` (taken before the first delivery, so windows opened or closed by a receiver do not
// upset the walk) that still exists and is not closing. Every reply is OR-ed into the answer.
std::uint32_t MainBroadcast(MessageTarget& self, std::uint32_t wParam, const TBroadcastRec* record,
                            const std::vector<TargetRef>& children);

// Broadcasts (message, wParam, lParam) through the main window; 0 without one.
std::uint32_t Broadcast(MessageTarget* mainWindow, std::uint32_t message, std::uint32_t wParam,
                        std::uint32_t lParam);

} // namespace panolcd
