// The project root window: caption, cards, clipboard and delete keys, Escape, the resize rule,
// and the sample project.

#include "projectwindows/ui/rootwindow.h"

#include "app/startup.h"
#include "framework/environment/envcontext.h"
#include "framework/exchange/clipboardstream.h"
#include "framework/records/database.h"
#include "framework/records/dbcoll.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/windows/commands.h"
#include "project/dbtypes.h"
#include "project/projectfile.h"
#include "project/projectrecords.h"
#include "support/test_context.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace panolcd {
namespace {

class MainForm final : public TTrMainForm {
public:
    MainForm() : area_(new QMdiArea(this)) { setCentralWidget(area_); }
    QMdiArea* ChildArea() const override { return area_; }

private:
    QMdiArea* area_;
};

class RootWindow : public testing::ContextTest {
protected:
    void SetUp() override {
        ContextTest::SetUp();
        RegisterStreamClasses();
        EnvCtx().app.LoadAppData(PANOLCD_GENERATED_APP_FILE);
        RegisterProjectWindows();
        main = std::make_unique<MainForm>();
        main->resize(1000, 800);
        main->show();
    }
    void TearDown() override {
        main.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ContextTest::TearDown();
    }

    TLcUDBRoot_MDIChild* Open(bool sample) {
        if (sample) {
            EXPECT_TRUE(LoadProjectFile(PANOLCD_SAMPLE_PROJECT).ok);
        } else {
            TDataBase& root = CreateProjectColl(kDBRoot);
            root.Insert(TDBRecordObj::New({}, 0, root.Descriptor()->RecTypeIxOfSelector(0)));
        }
        TDataBase* root = ProjectColl();
        return dynamic_cast<TLcUDBRoot_MDIChild*>(
            OpenUDBForm("F_LCROOT", root, root->Record(0), -1, 0, -1));
    }
    static RootRecordView Root() { return RootRecordView(ProjectColl()->Record(0)->RecData); }
    static TDataBase* Cards(std::uint16_t dbTypeId) {
        return ProjectColl()->Record(0)->SubDBs->GetSkipHiddenDBTidDataBase(-1, dbTypeId);
    }
    static void Select(QListWidget* list, std::initializer_list<int> rows) {
        list->clearSelection();
        for (int row : rows)
            list->setCurrentRow(row, QItemSelectionModel::Select);
    }

    std::unique_ptr<MainForm> main;
};

TEST_F(RootWindow, CaptionCardsHeadersAndCaps) {
    TLcUDBRoot_MDIChild* window = Open(false);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("LCD Projekt"));
    const char* const tabs[] = {"Fonty", "Bmp", "Scr", "Map"};
    const char* const headers[] = {"Bank Soubor fontu", "Bank Soubor bitmapy",
                                   "Číslo Identifikátor    Název obrazovky ",
                                   "Addr  TypReg     BSs Identifikátor    Formát"};
    for (int card = 0; card < 4; ++card) {
        EXPECT_EQ(window->Cards()->tabText(card), QString::fromUtf8(tabs[card]));
        EXPECT_EQ(window->Cards()->widget(card)->findChild<QLabel*>()->text(),
                  QString::fromUtf8(headers[card]));
    }
    EXPECT_EQ(window->CurrentCard(), 2);
    auto* import = window->findChild<QPushButton*>("ImpMapFile_BitBtn");
    EXPECT_FALSE(import->isEnabled());
    window->Cards()->setCurrentIndex(3);
    EXPECT_TRUE(import->isEnabled());
    EXPECT_TRUE(window->findChild<QPushButton*>("RefreshMapFile_BitBtn")->isEnabled());
    EXPECT_EQ(window->HandleMessage(kWmQueryEditCaps, 0, 0), 0x40001C78u);

    ProjectColl()->DBFileName = "D:\\P\\A.LCD";
    window->HandleMessage(kWmEditCmd, ecAfterSave, 0);
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("LCD Projekt[D:\\P\\A.LCD]"));
}

TEST_F(RootWindow, TheSampleProjectFillsAllFourCards) {
    TLcUDBRoot_MDIChild* window = Open(true);
    for (int card = 0; card < 4; ++card)
        EXPECT_GT(window->CardList(card)->count(), 0) << card;
}

TEST_F(RootWindow, CopyAFontBankAndPasteIt) {
    TLcUDBRoot_MDIChild* window = Open(true);
    window->Cards()->setCurrentIndex(0);
    QListWidget* list = window->CardList(0);
    const int before = list->count();
    QTest::keyClick(list, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_TRUE(ClipBoardStreamMan().IsEmpty()); // nothing selected, nothing copied
    Select(list, {0});
    QTest::keyClick(list, Qt::Key_Insert, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(ClipBoardStreamMan().IsEmpty());
    window->HandleMessage(kWmEditCmd, ecCopy, 0);
    const std::string copied =
        FontBankRecordView(Cards(kDBFontBanks)->Record(0)->RecData).FontFileName();
    Select(list, {});
    QTest::keyClick(list, Qt::Key_Insert, Qt::ShiftModifier);
    ASSERT_EQ(list->count(), before + 1);
    TDataBase* fonts = Cards(kDBFontBanks);
    EXPECT_EQ(FontBankRecordView(fonts->Record(before)->RecData).FontFileName(), copied);
    EXPECT_EQ(window->CardValidator(0).SelRecordOf(), fonts->Record(before));

    // With rows picked in any order the paste goes before the first of them.
    Select(list, {2, 0});
    QTest::keyClick(list, Qt::Key_Insert, Qt::ShiftModifier);
    ASSERT_EQ(fonts->Count(), before + 2);
    EXPECT_EQ(FontBankRecordView(fonts->Record(0)->RecData).FontFileName(), copied);

    // Records of another database type are refused with a message.
    window->Cards()->setCurrentIndex(2);
    const int screens = Cards(kDBScreens)->Count();
    window->HandleMessage(kWmEditCmd, ecPaste, 0);
    EXPECT_EQ(Cards(kDBScreens)->Count(), screens);
    ASSERT_FALSE(User().shown.empty());
}

TEST_F(RootWindow, CutAScreenAndPasteItAtAnotherPosition) {
    TLcUDBRoot_MDIChild* window = Open(true);
    QListWidget* list = window->CardList(2);
    TDataBase* screens = Cards(kDBScreens);
    const int count = screens->Count();
    ASSERT_GE(count, 2);
    const std::string first = ScreenRecordView(screens->Record(0)->RecData).ScrSymb();
    Select(list, {0});
    // No screen window exists yet: opening does nothing and says nothing.
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(main->ChildArea()->subWindowList().size(), 1);
    QTest::keyClick(list, Qt::Key_Delete, Qt::ShiftModifier);
    ASSERT_EQ(screens->Count(), count - 1);
    Select(list, {});
    window->HandleMessage(kWmEditCmd, ecPaste, 0);
    ASSERT_EQ(screens->Count(), count);
    EXPECT_EQ(ScreenRecordView(screens->Record(count - 1)->RecData).ScrSymb(), first);
    EXPECT_EQ(list->count(), count);
    EXPECT_EQ(list->currentRow(), count - 1);
    EXPECT_TRUE(User().shown.empty());
}

TEST_F(RootWindow, DeleteRemovesTheSelectedRecordsWithoutAsking) {
    TLcUDBRoot_MDIChild* window = Open(true);
    QListWidget* list = window->CardList(2);
    TDataBase* screens = Cards(kDBScreens);
    ASSERT_EQ(screens->Count(), 2);
    Select(list, {1, 0});
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(screens->Count(), 0);
    EXPECT_EQ(list->count(), 0);

    window->Cards()->setCurrentIndex(1);
    TDataBase* bitmaps = Cards(kDBBitmapBanks);
    ASSERT_EQ(bitmaps->Count(), 5);
    TDBRecordObj* next = bitmaps->Record(2);
    Select(window->CardList(1), {1});
    window->findChild<QPushButton*>("Card_ZrusZaznam_Butt")->click();
    ASSERT_EQ(bitmaps->Count(), 4);
    EXPECT_EQ(bitmaps->Record(1), next);
    EXPECT_TRUE(User().shown.empty());
}

TEST_F(RootWindow, EscapeAppliesAndAddCreatesTheMissingDatabase) {
    TLcUDBRoot_MDIChild* window = Open(false);
    auto* name = window->findChild<QLineEdit*>("EditPan_ProjectName_Edit");
    QTest::keyClicks(name, "Novy");
    QTest::keyClick(name, Qt::Key_Escape);
    EXPECT_EQ(Root().ProjectName(), "Novy");
    EXPECT_TRUE(window->isVisible());
    QTest::keyClicks(name, "X");
    window->HandleMessage(kWmEditCmd, ecCommitEdits, 0);
    EXPECT_EQ(Root().ProjectName(), "NovyX");

    EXPECT_EQ(Root().RegisterMapLink(), -1);
    window->Cards()->setCurrentIndex(3);
    window->findChild<QPushButton*>("Card_PridejZaznam_Butt")->click();
    EXPECT_NE(Root().RegisterMapLink(), -1);
    EXPECT_NE(Cards(kDBRegisterMap), nullptr);
    EXPECT_TRUE(User().shown.empty());
}

TEST_F(RootWindow, ResizeRuleAndOriginalSize) {
    TLcUDBRoot_MDIChild* window = Open(false);
    const RootSavedLayout& saved = window->SavedLayout();
    window->resize(900, 600);
    QWidget* client = window->widget();
    const RootResized expected = ResizeCards(saved, client->width(), client->height(), 72);
    EXPECT_EQ(window->Cards()->size(), QSize(expected.NotebookWidth, expected.NotebookHeight));
    EXPECT_EQ(window->findChild<QPushButton*>("Card_VlozZaznam_Butt")->x(), expected.ButtonsLeft);
    EXPECT_EQ(window->CardList(1)->width(), expected.Lists[1].Width);

    window->HandleMessage(kWmEditCmd, ecOrigSize, 0);
    EXPECT_EQ(window->size(), QSize(564, 373));
    EXPECT_EQ(window->findChild<QPushButton*>("Card_VlozZaznam_Butt")->x(), saved.Buttons[1].Left);
}

TEST_F(RootWindow, ADatabaseThatGoesEmptiesItsListAndClosesTheWindowOnItsRecord) {
    TLcUDBRoot_MDIChild* window = Open(true);
    ASSERT_NE(window, nullptr);
    QPointer<TLcUDBRoot_MDIChild> weak(window);
    ASSERT_GT(window->CardList(0)->count(), 0);

    // The font banks go: their list is emptied, the window stays.
    TDBRecordObj& root = *ProjectColl()->Record(0);
    TDataBase* fonts = Cards(kDBFontBanks);
    root.SubDBs->AtFree(root.SubDBs->IndexOf(fonts));
    EXPECT_EQ(window->CardList(0)->count(), 0);
    EXPECT_FALSE(weak.isNull());

    // The project goes: the window on its root record closes without a question.
    CloseProjectColl();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(weak.isNull());
    EXPECT_TRUE(User().shown.empty());
}

} // namespace
} // namespace panolcd
