#include "framework/environment/trace.h"

#include "common/format.h"
#include "framework/environment/envcontext.h"

namespace panolcd {
namespace {

TraceChannel& Channel(int channel) {
    auto& channels = EnvCtx().trace.channels;
    if (channel < 0 || channel >= static_cast<int>(channels.size()))
        channel = 0;
    return channels[static_cast<std::size_t>(channel)];
}

void Send(int channel, int message, std::string_view text) {
    const TraceChannel& target = Channel(channel);
    if (!target.enabled || !target.window)
        return;
    const std::string cut(text.substr(0, kTraceTextMax));
    target.window->HandleTraceMessage(message, &cut);
}

// Czech short date and long time, as the terminal's tools print them.
std::string NowText() {
    const LocalDateTime t = EnvCtx().clock->Now();
    return Format("%d.%d.%d %d:%.2d:%.2d", {t.day, t.month, t.year, t.hour, t.minute, t.second});
}

} // namespace

void TraceWrite(int channel, std::string_view text) {
    Send(channel, WM_TRACEWRITE, text);
}

void TraceLine(int channel, std::string_view text) {
    Send(channel, WM_TRACELINE, text);
}

void TraceError(int channel, std::string_view text) {
    const std::string line = "[" + NowText() + "]!Error-" + std::string(text);
    TraceLine(channel, std::string_view(line).substr(0, kTraceTextMax));
}

std::uint32_t TraceMask() {
    return EnvCtx().trace.mask;
}

void SetTraceMask(std::uint32_t mask) {
    EnvCtx().trace.mask = mask;
}

bool TraceEnabled(std::uint32_t bits) {
    return bits != 0 && (EnvCtx().trace.mask & bits) == bits;
}

void RegisterTraceChannel(int channel, TraceChannelWindow* window) {
    TraceChannel& target = Channel(channel);
    target.enabled = true;
    target.window = window;
}

void UnregisterTraceChannel(int channel, const TraceChannelWindow* window) {
    TraceChannel& target = Channel(channel);
    if (target.window == window)
        target.window = nullptr;
}

void ReportInternalError(std::string_view text) {
    EnvironmentContext& ctx = EnvCtx();
    if (ctx.trace.silenced)
        return;
    ctx.user->Beep();
    const MsgResult answer =
        ctx.user->ShowMessage(MsgKind::Error, MsgButtons::AbortRetryIgnore, ctx.settings.exePath,
                              std::string(text.substr(0, kTraceTextMax)));
    if (answer == MsgResult::Abort)
        ctx.user->RequestAppClose();
    else if (answer == MsgResult::Ignore)
        ctx.trace.silenced = true;
}

std::string MemoryReportText() {
    return "ViewFreeMem not implem.";
}

} // namespace panolcd
