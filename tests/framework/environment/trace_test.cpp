#include "framework/environment/trace.h"

#include "framework/environment/envcontext.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

struct RecordingWindow : TraceChannelWindow {
    std::vector<std::pair<int, std::string>> received;
    void HandleTraceMessage(int message, const std::string* text) override {
        received.emplace_back(message, text ? *text : "<null>");
    }
};

class Trace : public testing::ContextTest {};

TEST_F(Trace, LinesReachOnlyARegisteredWindow) {
    TraceLine(0, "before the window");
    RecordingWindow window;
    RegisterTraceChannel(0, &window);
    TraceLine(0, "line");
    TraceWrite(0, "write");
    TraceLine(12, "channel 12 means 0");
    TraceLine(-1, "so does -1");
    TraceLine(3, "channel 3 has no window");
    UnregisterTraceChannel(0, &window);
    TraceLine(0, "after closing");

    const std::vector<std::pair<int, std::string>> expected = {{WM_TRACELINE, "line"},
                                                               {WM_TRACEWRITE, "write"},
                                                               {WM_TRACELINE, "channel 12 means 0"},
                                                               {WM_TRACELINE, "so does -1"}};
    EXPECT_EQ(window.received, expected);
    EXPECT_TRUE(EnvCtx().trace.channels[0].enabled); // stays enabled without a window
}

TEST_F(Trace, AReopenedWindowReceivesAndAnOldOneCannotUnregisterIt) {
    RecordingWindow first, second;
    RegisterTraceChannel(0, &first);
    RegisterTraceChannel(0, &second);
    UnregisterTraceChannel(0, &first);
    TraceLine(0, "x");
    EXPECT_TRUE(first.received.empty());
    ASSERT_EQ(second.received.size(), 1u);
}

TEST_F(Trace, TextsAreCutTo255) {
    RecordingWindow window;
    RegisterTraceChannel(0, &window);
    TraceLine(0, std::string(300, 'a'));
    ASSERT_EQ(window.received.size(), 1u);
    EXPECT_EQ(window.received[0].second.size(), 255u);
}

TEST_F(Trace, ErrorLinesCarryDateAndTime) {
    RecordingWindow window;
    RegisterTraceChannel(0, &window);
    Clock().now = {2026, 3, 4, 7, 8, 9};
    TraceError(0, "APP: chybi");
    TraceError(0, std::string(300, 'e'));
    ASSERT_EQ(window.received.size(), 2u);
    EXPECT_EQ(window.received[0].second, "[4.3.2026 7:08:09]!Error-APP: chybi");
    EXPECT_EQ(window.received[1].second.size(), 255u);
}

TEST_F(Trace, MaskGatesCategories) {
    EXPECT_EQ(TraceMask(), 0x7FFFFFFFu);
    EXPECT_TRUE(TraceEnabled(1));
    EXPECT_FALSE(TraceEnabled(0));
    EXPECT_FALSE(TraceEnabled(0x80000000u));
    EXPECT_FALSE(TraceEnabled(0x80000001u)); // every bit must be set
    SetTraceMask(0);
    EXPECT_FALSE(TraceEnabled(1));
    EXPECT_FALSE(TraceEnabled(0));
}

TEST_F(Trace, InternalErrorAnswers) {
    EnvCtx().settings.exePath = "/opt/panolcd/panolcd";

    User().answers = {MsgResult::Retry, MsgResult::Abort, MsgResult::Ignore};
    ReportInternalError("Instance Address Overflow !");
    EXPECT_EQ(User().closeRequests, 0); // Retry: nothing further
    ReportInternalError("second");
    EXPECT_EQ(User().closeRequests, 1); // Abort: the program starts closing
    ReportInternalError("third");       // Ignore: silenced from now on
    ReportInternalError("dropped");
    ReportInternalError("dropped too");

    ASSERT_EQ(User().shown.size(), 3u);
    EXPECT_EQ(User().beeps, 3);
    const testing::ShownMessage& first = User().shown[0];
    EXPECT_EQ(first.kind, MsgKind::Error);
    EXPECT_EQ(first.buttons, MsgButtons::AbortRetryIgnore);
    EXPECT_EQ(first.caption, "/opt/panolcd/panolcd");
    EXPECT_EQ(first.text, "Instance Address Overflow !");
    EXPECT_TRUE(EnvCtx().trace.silenced);
}

TEST_F(Trace, MemoryReportText) {
    EXPECT_EQ(MemoryReportText(), "ViewFreeMem not implem.");
}

} // namespace
} // namespace panolcd
