// The editor windows' logic: saving only what changed and telling the others, reloading what
// another window saved, renaming the program's include with it, the questions before a close,
// the viewer's refusals, shared options, error locations and line jumps.

#include "editor/editorwindow.h"

#include "common/paths.h"
#include "editor/editorsettings.h"
#include "framework/windows/windowscontext.h"
#include "support/test_context.h"

#include <filesystem>
#include <list>

namespace panolcd::testing {
namespace {

class Desk;

// One window with its editor, as the Qt window would hold them.
class TestWindow final : public EditorWindowPort {
    Desk& desk_;

public:
    TestWindow(Desk& desk, EditorWindowKind kind, TPanoEditNameObject* settings)
        : desk_(desk), syntax(MakeSyntax()), window(kind, editor, syntax, *this, settings) {
        window.Start();
    }

    void SetCaption(const std::string& text) override { caption = text; }
    void RefreshEditor() override {}
    void CloseWindow() override { closed = window.CanClose(); }
    std::optional<std::string> AskSaveFileName(const std::string& dir,
                                               const std::string&) override {
        askedDir = dir;
        return saveAnswer;
    }
    std::optional<std::string> AskInsertFileName(const std::string&) override {
        return insertAnswer;
    }
    void Broadcast(FileRecId record) override;

    SmartEditCore editor;
    VornBasicSyntax& syntax;
    VornEditWindow window;
    std::string caption;
    bool closed = false;
    std::optional<std::string> saveAnswer;
    std::optional<std::string> insertAnswer;
    std::string askedDir;

private:
    VornBasicSyntax& MakeSyntax() {
        editor.SetSyntax(std::make_unique<VornBasicSyntax>());
        return static_cast<VornBasicSyntax&>(editor.Syntax());
    }
};

// The main window: every broadcast reaches every window, the sender too.
class Desk {
public:
    TestWindow& Open(EditorWindowKind kind, TPanoEditNameObject* settings = nullptr) {
        return windows.emplace_back(*this, kind, settings);
    }
    void Broadcast(FileRecId record) {
        ++broadcasts;
        for (TestWindow& window : windows)
            window.window.FileCommand(record);
    }
    void Send(FileRecId record, const std::string& name, std::uint8_t command) {
        WindowsCtx().fileCmds.Of(record).Set(name, command);
        Broadcast(record);
    }

    std::list<TestWindow> windows;
    int broadcasts = 0;
};

void TestWindow::Broadcast(FileRecId record) {
    desk_.Broadcast(record);
}

class EditorWindows : public ContextTest {
protected:
    std::string File(const std::string& name, const std::string& bytes) {
        return FromFsPath(WriteFile(name, bytes));
    }
    Desk desk;
};

TEST_F(EditorWindows, AnUnchangedSaveWritesNothingAndAnotherEditorOfTheFileReloads) {
    const std::string file = File("notes.txt", "one\r\n");
    TestWindow& first = desk.Open(EditorWindowKind::General);
    TestWindow& second = desk.Open(EditorWindowKind::General);
    first.window.LoadFile(file);
    // The same file in another spelling of its letters.
    std::string other = file;
    other.replace(other.size() - 9, 9, "NOTES.TXT");
    second.window.LoadFile(other);
    EXPECT_EQ(second.caption, "Editor: " + file);

    EXPECT_TRUE(first.window.Save(true));
    EXPECT_EQ(desk.broadcasts, 0);
    first.editor.InsertText("x");
    EXPECT_TRUE(first.window.Save(true));
    EXPECT_EQ(desk.broadcasts, 1);
    EXPECT_EQ(ReadFile(file), "xone\r\n");
    EXPECT_EQ(second.editor.Text().AllText(), "xone\r\n");
    EXPECT_TRUE(User().shown.empty());

    // Unsaved edits of the receiver are not dropped unasked: No keeps them, unsaved, and the
    // receiver writes nothing of its own accord; Yes takes the file.
    second.editor.InsertText("mine ");
    first.editor.InsertText("y");
    User().answers = {MsgResult::No};
    first.window.Save(true);
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_NE(User().shown[0].text.find(file + Cz(" byl uložen z jiného okna")),
              std::string::npos);
    EXPECT_EQ(second.editor.Text().AllText(), "mine xone\r\n");
    EXPECT_TRUE(second.editor.Text().modified);
    EXPECT_EQ(ReadFile(file), "xyone\r\n");
    first.editor.InsertText("z");
    User().answers = {MsgResult::Yes};
    first.window.Save(true);
    EXPECT_EQ(second.editor.Text().AllText(), "xyzone\r\n");
    EXPECT_FALSE(second.editor.Text().modified);
}

TEST_F(EditorWindows, AnInstalledFileIsSavedUnderAnotherName) {
    const std::string installed = File("share/examples/DEMO.PRG", "begin\r\n");
    EnvCtx().settings.dataDir = FromFsPath(TempDir() / "share") + "/";
    TestWindow& prg = desk.Open(EditorWindowKind::Prg);
    prg.window.LoadFile(installed);
    prg.editor.InsertText("x");
    EXPECT_FALSE(prg.window.Save(false)); // the dialog was cancelled
    EXPECT_EQ(ReadFile(installed), "begin\r\n");
    const std::string mine = FromFsPath(TempDir() / "MINE.PRG");
    prg.saveAnswer = mine;
    EXPECT_TRUE(prg.window.Save(true));
    EXPECT_EQ(ReadFile(mine), "xbegin\r\n");
    EXPECT_EQ(ReadFile(installed), "begin\r\n");
    EXPECT_EQ(prg.caption, "Projekt: " + mine);
}

TEST_F(EditorWindows, SavingTheProgramUnderANewNameRenamesItsInclude) {
    const std::string old =
        File("OLD.PRG", "include 'old.pri'\r\n'DATA.PRI' 'gold.pri' OLD.PRI\r\n");
    TestWindow& prg = desk.Open(EditorWindowKind::Prg);
    prg.window.LoadFile(old);
    const std::string renamed = ChangeFileExt(old, ".PRG").substr(0, old.size() - 7) + "NEW.PRG";
    EXPECT_TRUE(prg.window.SaveAs(renamed));
    EXPECT_EQ(ReadFile(renamed), "include 'NEW.PRi'\r\n'DATA.PRI' 'gold.pri' NEW.PRI\r\n");
    EXPECT_EQ(prg.caption, "Projekt: " + renamed);
    EXPECT_EQ(WindowsCtx().fileCmds.Saved.FileName, renamed);
}

TEST_F(EditorWindows, ClosingAsksAndAFailedSaveKeepsTheWindow) {
    TestWindow& prg = desk.Open(EditorWindowKind::Prg);
    EXPECT_EQ(prg.caption, "Projekt: Noname");
    // An empty "Noname" is asked about too.
    User().answers = {MsgResult::No};
    prg.window.CanClose();
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_NE(User().shown[0].text.find("Noname"), std::string::npos);
    EXPECT_NE(User().shown[0].text.find("Ulo\x9Eit jako..?"), std::string::npos);

    // An untouched "Noname" on fcSave (as Compile sends it) does nothing.
    desk.Send(FileRecId::Prg, "", fcSave);
    EXPECT_EQ(User().shown.size(), 1u);

    // A save that fails keeps the window and its text (no directory stops root too).
    const std::string locked = FromFsPath(TempDir() / "missing" / "A.PRG");
    prg.editor.InsertText("keep me");
    prg.saveAnswer = locked;
    User().answers = {MsgResult::Yes};
    desk.Send(FileRecId::Prg, "", fcClose);
    EXPECT_FALSE(prg.closed);
    EXPECT_EQ(prg.editor.Text().AllText(), "keep me");
    EXPECT_TRUE(prg.editor.Text().modified);
    EXPECT_NE(User().shown.back().text.find("Chyba p\xF8i ukl\xE1"
                                            "d\xE1n\xED souboru " +
                                            locked),
              std::string::npos);
    // Cancelling the name keeps it open too; "No" lets it go.
    prg.saveAnswer.reset();
    User().answers = {MsgResult::Yes};
    desk.Send(FileRecId::Prg, "", fcClose);
    EXPECT_FALSE(prg.closed);
    User().answers = {MsgResult::No};
    desk.Send(FileRecId::Prg, "", fcClose);
    EXPECT_TRUE(prg.closed);
}

TEST_F(EditorWindows, TheViewerIgnoresSavesAndClosesWithoutAsking) {
    const std::string pri = File("A.PRI", "x\r\n");
    for (const std::uint8_t command : {fcSaveClose, fcSaveAsClose, fcClose}) {
        Desk viewers;
        TestWindow& viewer = viewers.Open(EditorWindowKind::Pri);
        EXPECT_EQ(viewer.caption, "Obrazovky: noname");
        viewers.Send(FileRecId::Pri, pri, fcLoad);
        EXPECT_TRUE(viewer.editor.readOnly);
        EXPECT_EQ(viewer.window.EditCaps(), 0x410u);
        viewer.editor.Text().modified = true;
        viewers.Send(FileRecId::Pri, pri, fcSave);
        viewers.Send(FileRecId::Pri, pri, command);
        EXPECT_TRUE(viewer.closed) << int(command);
    }
    EXPECT_TRUE(User().shown.empty());
    EXPECT_EQ(ReadFile(pri), "x\r\n");
}

TEST_F(EditorWindows, LoadingTellsWhatIsMissingAndRenamingNeedsNoFile) {
    TestWindow& editor = desk.Open(EditorWindowKind::General);
    const std::string missing = FromFsPath(TempDir() / "missing.prg");
    editor.window.LoadFile(missing);
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_EQ(User().shown[0].text, "Soubor " + missing + " neexistuje");
    EXPECT_EQ(editor.window.FileName(), missing);
    EXPECT_TRUE(editor.editor.HighlightActive()); // a .prg
    desk.Send(FileRecId::Ed, "", fcRenameNoname);
    EXPECT_EQ(editor.caption, "Editor: Noname");
    EXPECT_FALSE(editor.editor.HighlightActive());
    // A file the editor cannot take: a message and an unnamed editor.
    editor.window.LoadFile(File("big.prg", std::string(TextBuffer::kMaxLoadBytes + 1, 'x')));
    EXPECT_NE(User().shown.back().text.find("nelze na\xE8\xEDst"), std::string::npos);
    EXPECT_TRUE(editor.window.IsNoname());
}

TEST_F(EditorWindows, OptionsReachEveryGeneralEditorAndAreStored) {
    const auto ini =
        WriteFile("panolcd.INI", "[SECTIONS]\r\nRD_SECTION=M\r\nWR_SECTION=M\r\n[M]\r\n");
    EnvCtx().settings.iniFile = FromFsPath(ini);
    EnvCtx().settings.readSection = EnvCtx().settings.writeSection = "M";
    TPanoEditNameObject shared("ED_PANO");
    TPanoEditNameObject prgEntry("ED_PRG");
    TestWindow& a = desk.Open(EditorWindowKind::General, &shared);
    TestWindow& b = desk.Open(EditorWindowKind::General, &shared);
    TestWindow& prg = desk.Open(EditorWindowKind::Prg, &prgEntry);
    TSmartEditorSettings settings = a.window.Settings();
    settings.TabSize = 3;
    settings.LineNumbers = ShowLineNumbers::DefaultFont;
    a.window.ApplyOptions(settings);
    EXPECT_EQ(b.editor.tabSize, 3);
    EXPECT_EQ(b.editor.lineNumbers, ShowLineNumbers::DefaultFont);
    EXPECT_EQ(prg.editor.tabSize, 8);
    EXPECT_NE(ReadFile(ini).find("ED_PANO="), std::string::npos);
    EXPECT_NE(ReadFile(ini).find("TAB=3"), std::string::npos);

    // The line-number toggle goes back to the mode the options chose.
    b.window.ToggleLineNumbers();
    EXPECT_FALSE(b.window.LineNumbersShown());
    b.window.ToggleLineNumbers();
    EXPECT_EQ(b.editor.lineNumbers, ShowLineNumbers::DefaultFont);
    prg.window.ToggleLineNumbers();
    EXPECT_EQ(prg.editor.lineNumbers, ShowLineNumbers::SmallFont);
    prg.window.ToggleReadOnly();
    EXPECT_TRUE(prg.editor.readOnly);
}

TEST_F(EditorWindows, ErrorLocationsAndLineJumpsAreClamped) {
    TestWindow& prg = desk.Open(EditorWindowKind::Prg);
    prg.editor.InsertText("a\r\nbb\r\nccc");
    const struct {
        std::int32_t line, begin, end;
        std::int32_t caretLine, caretColumn;
        bool mark;
    } table[] = {
        {2, 1, 1, 1, 1, true}, {0, 0, 0, 0, 0, true},   {99, 2, 5, 2, 2, true},
        {3, 9, 9, 2, 3, true}, {2, -1, 0, 2, 3, false}, {2, 3, 2, 2, 3, false},
    };
    for (const auto& row : table) {
        prg.window.ShowErrorLocation(row.line, row.begin, row.end);
        EXPECT_EQ(prg.editor.CaretLine(), row.caretLine) << row.line;
        EXPECT_EQ(prg.editor.CaretColumn(), row.caretColumn) << row.line;
        EXPECT_EQ(prg.syntax.ErrorMarkShown(), row.mark) << row.line;
        if (row.mark) {
            EXPECT_EQ(prg.editor.LineElements(row.caretLine)[0], vorn::kErrorLine);
        }
    }
    prg.window.ShowErrorLocation(2, 0, 0);
    prg.editor.KeyDown({KeyStroke::Key::Left, 0, false, false, false}); // any key removes it
    EXPECT_FALSE(prg.syntax.ErrorMarkShown());

    EXPECT_EQ(prg.window.LineJumpMaximum(), 3);
    for (const auto& [asked, line] : {std::pair{2, 1}, {0, 0}, {40, 2}, {-5, 0}}) {
        prg.window.LineJump(asked);
        EXPECT_EQ(prg.editor.CaretLine(), line) << asked;
    }
    EXPECT_EQ(prg.window.LineJumpValue(), 1);
}

TEST_F(EditorWindows, InsertFileAddsItsBytesAsOneStep) {
    const std::string part = File("part.txt", "PART\r\n");
    TestWindow& editor = desk.Open(EditorWindowKind::General);
    editor.editor.InsertText("ab");
    editor.editor.SetCaretOffset(1);
    editor.insertAnswer = part;
    editor.window.InsertFile();
    EXPECT_EQ(editor.editor.Text().AllText(), "aPART\r\nb");
    editor.editor.Undo();
    EXPECT_EQ(editor.editor.Text().AllText(), "ab");
    editor.insertAnswer = FromFsPath(TempDir() / "none.txt");
    editor.window.InsertFile(); // a missing file inserts nothing
    EXPECT_EQ(editor.editor.Text().AllText(), "ab");
}

} // namespace
} // namespace panolcd::testing
