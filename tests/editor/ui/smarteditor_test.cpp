// The editor control over Qt: keys and typed text reach the model, Czech letters arrive through
// the input method as Windows-1250, and the clipboard holds Unicode text with LF line ends.

#include "editor/ui/smarteditor.h"

#include "editor/ui/replaceconfirm.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "support/test_context.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMainWindow>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>

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

QColor Bgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

// An editor shown with a few lines of text, its colours from the settings record.
class PaintedEditor : public SmartEditorControl {
protected:
    void SetUp() override {
        SmartEditorControl::SetUp();
        editor.resize(500, 240);
        editor.show();
        editor.Core().InsertText("alpha beta\r\n\tgamma\r\n");
        settings = editor.Settings();
        settings.ElementMap[element::kGutter].Background = 0x00C0C0;
        settings.ElementMap[element::kSelection].Background = 0x0000C0;
        settings.ElementMap[element::kRightMargin].Foreground = 0xC00000;
        settings.RightMargin = 20;
        editor.ApplySettings(settings);
    }
    QImage Shot() {
        editor.Refresh();
        return editor.viewport()->grab().toImage();
    }
    // The cell's middle, in viewport pixels.
    QPoint Cell(int column, int line) const {
        return {editor.GutterWidth() + column * editor.CharWidth() + editor.CharWidth() / 2,
                line * editor.LineHeight() + editor.LineHeight() / 2};
    }
    bool AnyPixel(const QImage& image, const QRect& box, const QColor& colour) {
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (image.pixelColor(x, y) == colour)
                    return true;
        return false;
    }

    TSmartEditor editor;
    TSmartEditorSettings settings;
};

TEST_F(PaintedEditor, ElementsGutterMarginAndBookmarksArePaintedInTheirColours) {
    editor.Core().SelectRange(0, 5);
    QImage image = Shot();
    EXPECT_EQ(image.pixelColor(2, 5), Bgr(0x00C0C0));              // gutter
    EXPECT_EQ(image.pixelColor(Cell(0, 0).x(), 1), Bgr(0x0000C0)); // selection
    EXPECT_EQ(image.pixelColor(Cell(20, 1)), Qt::white);           // blanks
    const int margin = editor.GutterWidth() + 20 * editor.CharWidth();
    EXPECT_EQ(image.pixelColor(margin, 100), Bgr(0xC00000));
    EXPECT_EQ(editor.ElementAt(Cell(1, 0)), element::kSelection);
    EXPECT_EQ(editor.ElementAt(Cell(7, 0)), element::kPlainText);
    EXPECT_EQ(editor.ElementAt(QPoint(3, 3)), element::kGutter);

    // A bookmark's mark 4 pixels from the left, line numbers right-aligned in the gutter.
    const QRect markBox(4, editor.LineHeight(), 12, editor.LineHeight());
    const QRect numberBox(editor.GutterWidth() - 12, 0, 8, editor.LineHeight());
    EXPECT_FALSE(AnyPixel(image, markBox, QColor(0x00, 0x80, 0x80)));
    EXPECT_FALSE(AnyPixel(image, numberBox, Bgr(0x808080)));
    editor.Core().SetCaret(0, 1);
    editor.Core().ToggleBookmark(2);
    settings.LineNumbers = ShowLineNumbers::DefaultFont;
    settings.GutterWidth = 40;
    editor.ApplySettings(settings);
    image = Shot();
    EXPECT_TRUE(AnyPixel(image, markBox, QColor(0x00, 0x80, 0x80)));
    const QRect widerNumberBox(40 - 16, 0, 12, editor.LineHeight());
    bool numbered = false;
    for (int y = 0; y < editor.LineHeight() && !numbered; ++y)
        for (int x = widerNumberBox.left(); x <= widerNumberBox.right(); ++x)
            numbered = numbered || image.pixelColor(x, y) != Bgr(0x00C0C0);
    EXPECT_TRUE(numbered);

    // Without the gutter and margin options neither is painted.
    settings.Options &= ~(eo::kGutterVisible | eo::kRightMarginVisible);
    editor.ApplySettings(settings);
    EXPECT_EQ(editor.GutterWidth(), 0);
    image = Shot();
    EXPECT_NE(image.pixelColor(2, 5), Bgr(0x00C0C0));
    EXPECT_NE(image.pixelColor(20 * editor.CharWidth(), 100), Bgr(0xC00000));
}

TEST_F(PaintedEditor, MainWindowShortcutsWinExceptAfterAPrefix) {
    QMainWindow window;
    auto* own = new TSmartEditor;
    window.setCentralWidget(own);
    int saves = 0;
    QAction* save = window.addAction(QStringLiteral("Save"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    QObject::connect(save, &QAction::triggered, [&] { ++saves; });
    window.show();
    own->setFocus();
    QApplication::setActiveWindow(&window);
    own->Core().InsertText("abc");
    QTest::keyClick(own, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(own->Core().CaretOffset(), 3u); // not the classic map's "left"
    // Ctrl+Q Ctrl+S: the editor's line start.
    QTest::keyClick(own, Qt::Key_Q, Qt::ControlModifier);
    QTest::keyClick(own, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(own->Core().CaretOffset(), 0u);
}

TEST_F(PaintedEditor, DisplayOnlyChangesNothing) {
    editor.setFocus();
    editor.SetDisplayOnly(true);
    const std::string before = editor.Core().Text().AllText();
    QTest::keyClicks(&editor, "xyz");
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, Cell(3, 1));
    EXPECT_EQ(editor.Core().Text().AllText(), before);
    EXPECT_EQ(editor.Core().CaretOffset(), editor.Core().Text().Length());
}

TEST_F(PaintedEditor, DoubleClickSelectsTheWordOrTheLine) {
    for (const bool line : {false, true}) {
        settings.Options = line ? settings.Options | eo::kDoubleClickLine
                                : settings.Options & ~eo::kDoubleClickLine;
        editor.ApplySettings(settings);
        QTest::mouseDClick(editor.viewport(), Qt::LeftButton, {}, Cell(7, 0));
        EXPECT_EQ(editor.Core().SelectedText(), line ? "alpha beta\r\n" : "beta");
    }
}

TEST_F(PaintedEditor, ReplaceAsksNearThePaintedHitAndNeverLoops) {
    for (int i = 0; i < 60; ++i)
        editor.Core().InsertText("filler\r\n");
    editor.Core().InsertText("beta beta");
    editor.Core().SetCaretOffset(0);
    editor.Core().replace.findText = "beta";
    editor.Core().replace.replaceText = "beta";
    editor.Core().replace.flags = sf::kPrompt;
    std::vector<std::pair<std::int32_t, std::int32_t>> hitsAsked; // found begin, top line
    int waits = 0;
    QObject guard; // pending answers die with the test
    std::function<void()> answer = [&] {
        auto* box = qobject_cast<TReplaceConfirmDlg*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            if (++waits < 200)
                QTimer::singleShot(5, &guard, answer);
            return;
        }
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Potvrzení"));
        hitsAsked.emplace_back(editor.Core().Text().foundBegin, editor.Core().topLine);
        box->findChild<QPushButton*>(QStringLiteral("Ne"))->click();
        QTimer::singleShot(0, &guard, answer);
    };
    QTimer::singleShot(0, &guard, answer);
    EXPECT_EQ(editor.Core().Replace(true), 0);
    ASSERT_EQ(hitsAsked.size(), 3u); // "alpha beta" and the two at the end, each once
    EXPECT_EQ(hitsAsked[0].first, 6);
    EXPECT_GT(hitsAsked[1].second, 0); // scrolled to the hit before asking
}

// Text dropped on the editor: accepted only where it may be edited, inserted where it falls with
// CR LF breaks, and the caret after it.
bool Drop(TSmartEditor& editor, const QPoint& at, const QString& text) {
    QMimeData data;
    data.setText(text);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(editor.viewport(), &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(editor.viewport(), &drop);
    return drop.isAccepted();
}

TEST_F(PaintedEditor, DroppedTextLandsWhereItFalls) {
    const QPoint beta(editor.GutterWidth() + 6 * editor.CharWidth(), Cell(0, 0).y());
    EXPECT_TRUE(Drop(editor, beta, QString::fromUtf8("ž\nx ")));
    EXPECT_EQ(editor.Core().Text().AllText(), testing::Cz("alpha ž\r\nx beta\r\n\tgamma\r\n"));
    EXPECT_EQ(editor.Core().CaretOffset(), 11u);
    for (const bool readOnly : {true, false}) {
        editor.Core().readOnly = readOnly;
        editor.SetDisplayOnly(!readOnly);
        EXPECT_FALSE(Drop(editor, Cell(0, 0), QStringLiteral("no")));
    }
    EXPECT_EQ(editor.Core().Text().AllText(), testing::Cz("alpha ž\r\nx beta\r\n\tgamma\r\n"));
}

// A letter composed with a dead key is a typed key: it extends an incremental search too.
TEST_F(PaintedEditor, AComposedLetterExtendsAnIncrementalSearch) {
    editor.Core().InsertText(testing::Cz("čára"));
    const std::string text = editor.Core().Text().AllText();
    editor.Core().SetCaretOffset(0);
    editor.Core().BeginIncrementalSearch();
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("č"));
    QApplication::sendEvent(&editor, &composed);
    EXPECT_EQ(editor.Core().Text().AllText(), text);
    EXPECT_EQ(editor.Core().IncrementalText(), testing::Cz("č"));
    EXPECT_EQ(editor.Core().Text().foundBegin, static_cast<std::int32_t>(text.size() - 4));
}

// A full text takes nothing more from any input; each says so and the text stays whole.
TEST_F(SmartEditorControl, AFullTextRefusesEveryInputWithTheMessage) {
    TSmartEditor editor;
    editor.resize(400, 200);
    editor.show();
    editor.setFocus();
    const std::string full(TextBuffer::kMaxLoadBytes, 'a');
    editor.Core().Load(FromFsPath(WriteFile("FULL.PRG", full)));
    editor.Core().InsertText("b"); // the store's last byte
    const std::size_t length = editor.Core().Text().Length();
    ASSERT_EQ(length, TextBuffer::kTextCapacity);
    QApplication::clipboard()->setText(QStringLiteral("xy"));
    const struct {
        const char* name;
        std::function<void()> input;
    } inputs[] = {
        {"typed key", [&] { QTest::keyClick(&editor, Qt::Key_X); }},
        {"Enter", [&] { QTest::keyClick(&editor, Qt::Key_Return); }},
        {"composed letter",
         [&] {
             QInputMethodEvent composed;
             composed.setCommitString(QString::fromUtf8("č"));
             QApplication::sendEvent(&editor, &composed);
         }},
        {"Shift+Ins", [&] { QTest::keyClick(&editor, Qt::Key_Insert, Qt::ShiftModifier); }},
        {"drop", [&] { Drop(editor, QPoint(editor.GutterWidth() + 4, 4), QStringLiteral("xy")); }},
    };
    for (const auto& row : inputs) {
        User().shown.clear();
        EXPECT_NO_THROW(row.input()) << row.name;
        EXPECT_EQ(User().shown.size(), 1u) << row.name;
        for (const testing::ShownMessage& shown : User().shown) {
            EXPECT_EQ(shown.text, TextTooLongMessage()) << row.name;
            EXPECT_EQ(shown.kind, MsgKind::Error) << row.name;
        }
        EXPECT_EQ(editor.Core().Text().Length(), length) << row.name;
    }
    EXPECT_EQ(editor.Core().Text().Text(0, 8), "baaaaaaa");
    EXPECT_EQ(editor.Core().Text().Text(length - 4, 4), "aaaa");
}

TEST(ReplaceConfirm, ItsPlaceKeepsClearOfTheScreensEdges) {
    const QRect screen(0, 0, 1000, 800);
    const struct {
        QPoint hit;
        QPoint place;
    } table[] = {
        {{100, 100}, {92, 132}},
        {{100, 700}, {92, 732 - 152}},  // above: too near the bottom
        {{900, 100}, {892 - 384, 132}}, // left: past the right edge
    };
    for (const auto& row : table)
        EXPECT_EQ(TReplaceConfirmDlg::PlaceNear(row.hit, 16, screen), row.place) << row.hit.x();
}

} // namespace
} // namespace panolcd
