// The screen design window in the program: opened from the project window on the sample's first
// screen, it takes an object of every kind from the main window's actions, and the saved project
// holds them.

#include "designer/ui/screenwindow.h"

#include "app/startup.h"
#include "app/ui/mainwindow.h"
#include "common/format.h"
#include "common/paths.h"
#include "framework/environment/envcontext.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "project/dbtypes.h"
#include "projectwindows/ui/rootwindow.h"
#include "support/deadline.h"
#include "support/sample_project.h"

#include <QAction>
#include <QCoreApplication>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace panolcd {
namespace {

// How many object records of `kind` the project text holds.
int KindCount(const std::string& text, int kind) {
    const std::string token = "\r\n    (" + PrintfC("$%02X;", kind);
    int count = 0;
    for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + 1))
        ++count;
    return count;
}

class ScreenWindow : public testing::SampleProjectTest {
protected:
    // The first screen's window, opened from the project window the main window shows; the
    // windows are registered before the main window is made.
    static TLCDDisplay_Form* OpenFirstScreen(TAppMainForm& form) {
        form.show();
        QCoreApplication::sendPostedEvents(&form);
        EXPECT_EQ(form.MdiArea()->subWindowList().size(), 1);
        auto* root = dynamic_cast<TLcUDBRoot_MDIChild*>(form.MdiArea()->subWindowList().front());
        if (root == nullptr)
            return nullptr;
        QListWidget* screens = root->CardList(2);
        screens->setCurrentRow(0);
        QTest::keyClick(screens, Qt::Key_Space);
        EXPECT_EQ(form.MdiArea()->subWindowList().size(), 2);
        auto* window = dynamic_cast<TLCDDisplay_Form*>(form.MdiArea()->subWindowList().back());
        if (window != nullptr)
            form.MdiArea()->setActiveSubWindow(window);
        return window;
    }
};

TEST_F(ScreenWindow, OpensFromTheProjectWindowAndTakesEveryKindOfObject) {
    const std::filesystem::path sample = UseSampleProject();
    RegisterProjectWindows();
    RegisterScreenWindow();
    TAppMainForm form({});
    TLCDDisplay_Form* window = OpenFirstScreen(form);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("SCR_HLAVNI-Hlavní obrazovka"));
    const int loaded = static_cast<int>(window->Designer().Scene().Objects().size());
    EXPECT_GT(loaded, 10);

    // The screen shows its case layers, so the Case button is down: every insertion action
    // works on the window.
    EXPECT_TRUE(form.Action("CaseLayer_Action")->isChecked());
    const char* const actions[] = {
        "LCDObjText_Action",  "LCDObjPoint_Action",     "LCDObjLine_Action",
        "LCDObjRect_Action",  "LCDObjFill_Action",      "LCDObjCircle_Action",
        "LCDObjPrint_Action", "LCDObjEdit_Action",      "LCDObjEditP_Action",
        "LCDObjGraph_Action", "LCDObjGraphXY_Action",   "LCDObjBar_Action",
        "LCDObjEnum_Action",  "LCDObjCase_Action",      "LCDObjOnKey_Action",
        "LCDObjWait_Action",  "LCDObjEditEnter_Action", "LCDObjCaseBMP_Action"};
    for (const char* name : actions) {
        QAction* action = form.Action(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_TRUE(action->isEnabled()) << name;
        action->trigger();
    }
    EXPECT_EQ(static_cast<int>(window->Designer().Scene().Objects().size()), loaded + 18);
    EXPECT_TRUE(User().shown.empty()) << User().shown.front().text;

    const std::string before = ReadFile(sample);
    form.Action("SaveProject_Action")->trigger();
    const std::string saved = ReadFile(sample);
    for (int kind = 2; kind <= 19; ++kind)
        EXPECT_EQ(KindCount(saved, kind), KindCount(before, kind) + 1) << "kind " << kind;

    // Zoom and layers come from the main window too.
    form.Action("Zoom4_Action")->trigger();
    EXPECT_EQ(window->Designer().Zoom(), 4);
    form.Action("GraphicLayer_Action")->trigger();
    EXPECT_EQ(window->Designer().Layers() & 0x4u, 0u);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A text far beyond the LCD (a damaged record) is painted at once at every zoom.
TEST_F(ScreenWindow, PaintsATextFarAwayAtOnce) {
    const std::filesystem::path sample = UseSampleProject();
    std::string text = ReadFile(sample);
    const std::string record = "($07;$01;$01;$00;$00000001;$0000;$0000000A;";
    const std::size_t at = text.find(record);
    ASSERT_NE(at, std::string::npos);
    text.replace(at + record.size() - 10, 9, "$23C34600"); // X1 = 600000000
    WriteFile(sample.filename().string(), text);
    // The default font beside the program draws the text.
    std::filesystem::copy_file(PANOLCD_DEFAULT_FONT_FILE, TempDir() / "panolcd.FNT");
    RegisterProjectWindows();
    RegisterScreenWindow();
    TAppMainForm form({});
    TLCDDisplay_Form* window = OpenFirstScreen(form);
    ASSERT_NE(window, nullptr);
    const testing::Deadline deadline(std::chrono::seconds(60), "painting a text far away");
    for (const char* zoom : {"Zoom1_Action", "Zoom2_Action", "Zoom4_Action"}) {
        form.Action(zoom)->trigger();
        EXPECT_FALSE(window->grab().isNull()) << zoom;
    }
    EXPECT_TRUE(User().shown.empty()) << User().shown.front().text;
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
} // namespace panolcd
