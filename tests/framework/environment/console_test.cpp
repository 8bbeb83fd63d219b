#include "framework/environment/console.h"

#include "framework/environment/trace.h"

#include <gtest/gtest.h>

namespace panolcd {
namespace {

std::string Trimmed(const std::string& row) {
    return row.substr(0, row.find_last_not_of(' ') + 1);
}

TEST(ConsoleModel, LongLineWrapsToTheNextRow) {
    Console console(128, 40);
    console.Write(std::string(128, 'a') + std::string(72, 'b'));
    EXPECT_EQ(console.RowText(0), std::string(128, 'a'));
    EXPECT_EQ(Trimmed(console.RowText(1)), std::string(72, 'b'));
    EXPECT_EQ(console.CursorRow(), 1);
    EXPECT_EQ(console.CursorCol(), 72);
}

TEST(ConsoleModel, ALineOfExactWidthDoesNotLeaveABlankRow) {
    Console console(10, 5);
    const std::string line(10, 'x');
    ApplyTraceMessage(console, WM_TRACELINE, &line);
    EXPECT_EQ(console.CursorRow(), 1);
    EXPECT_EQ(console.CursorCol(), 0);
}

TEST(ConsoleModel, RingRotatesAfterTheLastRow) {
    Console console(128, 40);
    for (int i = 1; i <= 40; ++i) {
        const std::string line = "line " + std::to_string(i);
        ApplyTraceMessage(console, WM_TRACELINE, &line);
    }
    EXPECT_EQ(Trimmed(console.RowText(0)), "line 2"); // line 1 dropped
    EXPECT_EQ(Trimmed(console.RowText(38)), "line 40");
    EXPECT_EQ(Trimmed(console.RowText(39)), "");
    EXPECT_EQ(console.CursorRow(), 39);
    EXPECT_EQ(console.TakeChanges().scrolledRows, 1);
}

TEST(ConsoleModel, ControlBytes) {
    Console console(20, 4);
    console.TakeChanges();
    console.Write("abc\x08\x08X\x01\x07");
    EXPECT_EQ(Trimmed(console.RowText(0)), "aX");
    EXPECT_EQ(console.CursorCol(), 2);
    const auto changes = console.TakeChanges();
    EXPECT_EQ(changes.beeps, 1);
    EXPECT_TRUE(changes.dirtyRows[0]);
    EXPECT_FALSE(changes.dirtyRows[1]);
    console.Write("\x08\x08\x08"); // stops at column 0
    EXPECT_EQ(console.CursorCol(), 0);
    EXPECT_EQ(Trimmed(console.RowText(0)), "");
}

TEST(ConsoleModel, LineBreakModes) {
    struct Case {
        ConsoleLineBreak mode;
        const char* text;
        int row, col;
    };
    const Case cases[] = {
        {ConsoleLineBreak::CRLF, "ab\r\ncd", 1, 2}, {ConsoleLineBreak::CRLF, "ab\ncd", 1, 4},
        {ConsoleLineBreak::CRLF, "ab\rcd", 0, 2},   {ConsoleLineBreak::LF, "ab\ncd", 1, 2},
        {ConsoleLineBreak::CR, "ab\rcd", 1, 2},     {ConsoleLineBreak::CR, "ab\r\ncd", 2, 2},
    };
    for (const Case& c : cases) {
        Console console(20, 4);
        console.SetLineBreak(c.mode);
        console.Write(c.text);
        EXPECT_EQ(console.CursorRow(), c.row) << c.text;
        EXPECT_EQ(console.CursorCol(), c.col) << c.text;
    }
}

TEST(ConsoleModel, ALongTraceLineKeepsItsLineEnd) {
    Console console(300, 4);
    const std::string line(300, 'z');
    ApplyTraceMessage(console, WM_TRACELINE, &line);
    const std::string next = "next";
    ApplyTraceMessage(console, WM_TRACELINE, &next);
    EXPECT_EQ(Trimmed(console.RowText(0)), std::string(253, 'z'));
    EXPECT_EQ(Trimmed(console.RowText(1)), "next");
}

TEST(ConsoleModel, ClearAndNullText) {
    Console console(20, 4);
    console.Write("abc\r\ndef");
    ApplyTraceMessage(console, WM_TRACELINE, nullptr);
    EXPECT_EQ(console.CursorRow(), 1);
    ApplyTraceMessage(console, WM_TRACECLEAR, nullptr);
    EXPECT_EQ(console.CursorRow(), 0);
    EXPECT_EQ(console.CursorCol(), 0);
    EXPECT_EQ(Trimmed(console.RowText(0)), "");
    EXPECT_EQ(Trimmed(console.RowText(1)), "");
}

} // namespace
} // namespace panolcd
