// The editor control over Qt: keys and typed text reach the model, Czech letters arrive through
// the input method as Windows-1250, and the clipboard holds Unicode text with LF line ends.

#include "editor/ui/smarteditor.h"

#include "common/cp1250.h"
#include "support/test_context.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace panolcd {
namespace {

using SmartEditorControl = testing::ContextTest;

TEST_F(SmartEditorControl, KeysTextAndTheClipboardReachTheModel) {
    TSmartEditor editor;
    editor.resize(400, 200);
    editor.show();
    editor.setFocus();
    QTest::keyClicks(&editor, "ab");
    QTest::keyClick(&editor, Qt::Key_Return);
    QTest::keyClick(&editor, Qt::Key_Tab); // a character, not a focus move
    QInputMethodEvent czech;
    czech.setCommitString(QString::fromUtf8("č"));
    QApplication::sendEvent(&editor, &czech);
    EXPECT_EQ(editor.Core().Text().AllText(), "ab\r\n        " + Utf8ToCp1250("č"));

    // Ctrl+K B ... Ctrl+K K marks the first line; Ctrl+K C copies it for the system with LF.
    editor.Core().SetCaretOffset(0);
    QTest::keyClick(&editor, Qt::Key_K, Qt::ControlModifier);
    QTest::keyClick(&editor, Qt::Key_B);
    editor.Core().SetCaretOffset(4);
    QTest::keyClick(&editor, Qt::Key_K, Qt::ControlModifier);
    QTest::keyClick(&editor, Qt::Key_K);
    QTest::keyClick(&editor, Qt::Key_K, Qt::ControlModifier);
    QTest::keyClick(&editor, Qt::Key_C);
    EXPECT_EQ(QApplication::clipboard()->text(), "ab\n");
    QApplication::clipboard()->setText(QString::fromUtf8("ž\nx"));
    editor.Core().SetCaretOffset(editor.Core().Text().Length());
    QTest::keyClick(&editor, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_TRUE(editor.Core().Text().AllText().ends_with(Utf8ToCp1250("čž\r\nx")));

    // A click puts the caret under the pointer.
    const QPoint firstLine(editor.GutterWidth() + 1, 2);
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, firstLine);
    EXPECT_EQ(editor.Core().CaretOffset(), 0u);
}

} // namespace
} // namespace panolcd
