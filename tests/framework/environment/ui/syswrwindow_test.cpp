#include "framework/environment/ui/syswrwindow.h"

#include "common/error.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/ui/consolewidget.h"
#include "support/test_context.h"

#include <QFont>
#include <QFontInfo>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace panolcd {
namespace {

class SysWrWindow : public testing::ContextTest {};

std::string Trimmed(const std::string& row) {
    return row.substr(0, row.find_last_not_of(' ') + 1);
}

TEST_F(SysWrWindow, IsChannelZeroWhileItExists) {
    auto* window = new TMDIChild_SysWr0;
    EXPECT_EQ(window->windowTitle(), "SysWr[0]");
    EXPECT_EQ(window->size(), QSize(429, 246));
    EXPECT_EQ(window->ConsoleWr0()->Model().Cols(), 128);
    EXPECT_EQ(window->ConsoleWr0()->Model().Rows(), 40);

    TraceLine(0, "first line");
    TraceWrite(12, "a"); // outside 0..9: channel 0
    TraceWrite(7, "-");  // channel 7 has no window
    TraceWrite(0, "b");
    const Console& model = window->ConsoleWr0()->Model();
    EXPECT_EQ(Trimmed(model.RowText(0)), "first line");
    EXPECT_EQ(Trimmed(model.RowText(1)), "ab");

    delete window;
    TraceLine(0, "dropped"); // no window: nothing happens
    EXPECT_EQ(EnvCtx().trace.channels[0].window, nullptr);
    EXPECT_TRUE(EnvCtx().trace.channels[0].enabled);
}

TEST_F(SysWrWindow, KeysScrollTheView) {
    TMDIChild_SysWr0 window;
    window.show();
    TConsole* console = window.ConsoleWr0();
    console->Model().SetSize(128, 40);
    console->SetAutoTracking(false);
    QTest::keyClick(console, Qt::Key_Down);
    QTest::keyClick(console, Qt::Key_Right);
    EXPECT_EQ(console->ViewOrigin(), QPoint(1, 1));
    QTest::keyClick(console, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(console->ViewOrigin().y(), console->verticalScrollBar()->maximum());
    QTest::keyClick(console, Qt::Key_Home);
    EXPECT_EQ(console->ViewOrigin().x(), 0);
    QTest::keyClick(console, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(console->ViewOrigin(), QPoint(0, 0));
}

TEST_F(SysWrWindow, AutoTrackingFollowsTheCursor) {
    TMDIChild_SysWr0 window;
    window.show();
    for (int i = 0; i < 39; ++i)
        TraceLine(0, "line");
    TConsole* console = window.ConsoleWr0();
    const int visibleRows = console->VisibleRows();
    ASSERT_GT(visibleRows, 0);
    EXPECT_GE(console->ViewOrigin().y() + visibleRows, console->Model().CursorRow() + 1);
}

TEST_F(SysWrWindow, RefusesAProportionalFont) {
    TConsole console;
    const QFont before = console.ConsoleFont();
    QFont proportional("DejaVu Sans");
    proportional.setStyleHint(QFont::SansSerif);
    if (QFontInfo(proportional).fixedPitch())
        GTEST_SKIP() << "no proportional font on this machine";
    try {
        console.SetConsoleFont(proportional);
        FAIL() << "accepted a proportional font";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()).rfind("TConsole: ", 0), 0u);
        EXPECT_NE(std::string(e.what()).find(" is not fixed-pitch"), std::string::npos);
    }
    EXPECT_EQ(console.ConsoleFont(), before);
}

} // namespace
} // namespace panolcd
