#pragma once
// Diagnostic output: trace lines to channel windows gated by the diagnostic mask, and the
// internal error report for conditions that should never occur.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace panolcd {

inline constexpr int WM_TRACEWRITE = 1914;
inline constexpr int WM_TRACELINE = 1915;
inline constexpr int WM_TRACECLEAR = 1916;

inline constexpr std::uint32_t kDefaultTraceMask = 0x7FFFFFFF;
inline constexpr std::size_t kTraceTextMax = 255;

// A window that shows trace output (the diagnostic window registers itself as channel 0).
// `text` is null for a message without text.
class TraceChannelWindow {
public:
    virtual ~TraceChannelWindow() = default;
    virtual void HandleTraceMessage(int message, const std::string* text) = 0;
};

struct TraceChannel {
    bool enabled = false;
    TraceChannelWindow* window = nullptr;
};

struct TraceState {
    std::uint32_t mask = kDefaultTraceMask;
    bool txs = false;
    bool silenced = false;
    std::array<TraceChannel, 10> channels{};
};

void TraceWrite(int channel, std::string_view text);
void TraceLine(int channel, std::string_view text);
// "[date time]!Error-" + text, as a line.
void TraceError(int channel, std::string_view text);

std::uint32_t TraceMask();
void SetTraceMask(std::uint32_t mask);
bool TraceEnabled(std::uint32_t bits);

void RegisterTraceChannel(int channel, TraceChannelWindow* window);
// Clears the window of the channel; its enabled flag stays set.
void UnregisterTraceChannel(int channel, const TraceChannelWindow* window);

void ReportInternalError(std::string_view text);

// Stands where a memory figure would be in the main window's entry and exit traces.
std::string MemoryReportText();

} // namespace panolcd
