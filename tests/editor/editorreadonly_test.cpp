// Saving from an editor window over a read-only file, a private file and a symbolic link.

#include "editor/editorwindow.h"

#include "common/cp1250.h"
#include "common/paths.h"
#include "support/test_context.h"

#include <filesystem>
#include <sys/stat.h>

namespace panolcd::testing {
namespace {

// A window without a desk: nothing is asked but the message boxes.
class LoneWindow final : public EditorWindowPort {
public:
    LoneWindow() : syntax(MakeSyntax()), window(EditorWindowKind::General, editor, syntax, *this, nullptr) {
        window.Start();
    }
    void SetCaption(const std::string&) override {}
    void RefreshEditor() override {}
    void CloseWindow() override {}
    std::optional<std::string> AskSaveFileName(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> AskInsertFileName(const std::string&) override {
        return std::nullopt;
    }
    void Broadcast(FileRecId) override {}

    SmartEditCore editor;
    VornBasicSyntax& syntax;
    VornEditWindow window;

private:
    VornBasicSyntax& MakeSyntax() {
        editor.SetSyntax(std::make_unique<VornBasicSyntax>());
        return static_cast<VornBasicSyntax&>(editor.Syntax());
    }
};

mode_t ModeOf(const std::filesystem::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

class EditorFileModes : public ContextTest {};

TEST_F(EditorFileModes, AReadOnlyFileIsReplacedOnlyWhenTheUserAgrees) {
    const auto path = WriteFile("notes.txt", "old\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    LoneWindow lone;
    lone.window.LoadFile(FromFsPath(path));
    lone.editor.InsertText("new ");

    User().answers = {MsgResult::No};
    EXPECT_FALSE(lone.window.Save(true));
    ASSERT_EQ(User().shown.size(), 1u); // the question, no error after it
    EXPECT_EQ(User().shown[0].text, Cz("Soubor ") + FromFsPath(path) +
                                        Cz(" je jen pro čtení. Přesto ho přepsat?"));
    EXPECT_EQ(ReadFile(path), "old\r\n");
    EXPECT_TRUE(lone.editor.Text().modified);

    User().answers = {MsgResult::Yes};
    EXPECT_TRUE(lone.window.Save(true));
    EXPECT_EQ(ReadFile(path), "new old\r\n");
    EXPECT_EQ(ModeOf(path), 0444u);
    EXPECT_FALSE(lone.editor.Text().modified);
}

TEST_F(EditorFileModes, APrivateFileBehindALinkStaysPrivateAndTheLinkStays) {
    std::filesystem::create_directories(TempDir() / "real");
    const auto target = WriteFile("real/prog.prg", "old\r\n");
    ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    const auto link = TempDir() / "PROG.PRG";
    std::filesystem::create_symlink("real/prog.prg", link);
    LoneWindow lone;
    lone.window.LoadFile(FromFsPath(link));
    lone.editor.InsertText("x");
    EXPECT_TRUE(lone.window.Save(true));
    EXPECT_TRUE(User().shown.empty());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(target), "xold\r\n");
    EXPECT_EQ(ModeOf(target), 0600u);
}

} // namespace
} // namespace panolcd::testing
