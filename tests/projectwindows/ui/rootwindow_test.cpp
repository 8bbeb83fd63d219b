// The project root window: caption, cards, clipboard and delete keys, Escape, the resize rule,
// and the sample project.

#include "projectwindows/ui/rootwindow.h"

#include "app/startup.h"
#include "common/cp1250.h"
#include "common/paths.h"
#include "common/text.h"
#include "framework/environment/envcontext.h"
#include "framework/exchange/clipboardstream.h"
#include "framework/records/database.h"
#include "framework/records/dbcoll.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dbrecord.h"
#include "framework/windows/commands.h"
#include "project/dbtypes.h"
#include "project/lcdbitmap.h"
#include "project/projectcontext.h"
#include "project/projectfile.h"
#include "project/projectmodel.h"
#include "project/projectrecords.h"
#include "projectwindows/ui/bankwindow.h"
#include "projectwindows/ui/pictureimportdialog.h"
#include "support/test_context.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

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
        const auto& subDBs = ProjectColl()->Record(0)->SubDBs;
        return subDBs ? subDBs->GetSkipHiddenDBTidDataBase(-1, dbTypeId) : nullptr;
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

namespace panolcd {
namespace {

// The register map card loaded from the program's map file: whole, once per line, never half.
class MapImport : public RootWindow {
protected:
    // The sample saved in the test's directory, with its map file beside it.
    TLcUDBRoot_MDIChild* OpenSampleCopy() {
        const auto keep = std::filesystem::copy_options::skip_existing;
        std::filesystem::copy_file(PANOLCD_SAMPLE_PROJECT, TempDir() / "DEMO.LCD", keep);
        std::filesystem::copy_file(PANOLCD_SAMPLE_FILES_DIR "/DEMO.MAP", TempDir() / "DEMO.MAP",
                                   keep);
        EXPECT_TRUE(LoadProjectFile(FromFsPath(TempDir() / "DEMO.LCD")).ok);
        TDataBase* root = ProjectColl();
        auto* window = dynamic_cast<TLcUDBRoot_MDIChild*>(
            OpenUDBForm("F_LCROOT", root, root->Record(0), -1, 0, -1));
        window->Cards()->setCurrentIndex(3);
        return window;
    }
    static std::vector<std::string> Symbols() {
        std::vector<std::string> symbols;
        TDataBase* map = Cards(kDBRegisterMap);
        for (int i = 0; map != nullptr && i < map->Count(); ++i)
            symbols.push_back(RegisterRecordView(map->Record(i)->RecData).RegSymbName());
        return symbols;
    }
};

TEST_F(MapImport, RefreshReadsTheProjectsMapFileOncePerLine) {
    TLcUDBRoot_MDIChild* window = OpenSampleCopy();
    auto* refresh = window->findChild<QPushButton*>("RefreshMapFile_BitBtn");
    ASSERT_TRUE(refresh->isEnabled());
    const std::vector<std::string> expected = {"Teplota", "Tlacitko", "Tlak",
                                               "Otacky",  "Hlaseni",  "REZIM"};
    for (int load = 0; load < 2; ++load) {
        refresh->click();
        EXPECT_EQ(Symbols(), expected);
        EXPECT_EQ(window->CardList(3)->count(), 6);
    }
    EXPECT_EQ(Cards(kDBRegisterMap)->DBFileName, FromFsPath(TempDir() / "DEMO.MAP"));
    EXPECT_TRUE(User().shown.empty()) << User().shown.front().text;

    // A damaged file leaves the card as it was and says where it failed; an empty one empties it.
    WriteFile("DEMO.MAP", "$0010;$00;$00;'A';'';\r\n$0011;$00;'B';\r\n");
    refresh->click();
    EXPECT_EQ(Symbols(), expected);
    EXPECT_FALSE(User().shown.empty());
    WriteFile("DEMO.MAP", "");
    refresh->click();
    EXPECT_TRUE(Symbols().empty());
}

TEST_F(MapImport, TheFirstLoadCreatesTheMapDatabase) {
    TLcUDBRoot_MDIChild* window = Open(false);
    window->Cards()->setCurrentIndex(3);
    ASSERT_EQ(Cards(kDBRegisterMap), nullptr);
    EXPECT_TRUE(window->LoadMap(PANOLCD_SAMPLE_FILES_DIR "/DEMO.MAP"));
    ASSERT_NE(Cards(kDBRegisterMap), nullptr);
    EXPECT_EQ(Cards(kDBRegisterMap)->Count(), 6);
    EXPECT_NE(Root().RegisterMapLink(), -1);
}

} // namespace
} // namespace panolcd

namespace panolcd {
namespace {

// The bank and register windows opened from the cards of the sample, its files beside it.
class BankWindows : public MapImport {
protected:
    TBankForm* OpenFromCard(int card, int row) {
        for (const auto& entry : std::filesystem::directory_iterator(PANOLCD_SAMPLE_FILES_DIR)) {
            const auto target = TempDir() / entry.path().filename();
            if (entry.is_regular_file() && !std::filesystem::exists(target))
                std::filesystem::copy_file(entry.path(), target);
        }
        if (window_ == nullptr)
            window_ = OpenSampleCopy();
        window_->Cards()->setCurrentIndex(card);
        QListWidget* list = window_->CardList(card);
        list->setCurrentRow(row);
        QTest::keyClick(list, Qt::Key_Space);
        return dynamic_cast<TBankForm*>(main->ChildArea()->subWindowList().back());
    }
    template <class W> static W* Child(QWidget* window, const char* name) {
        return window->findChild<W*>(QString::fromLatin1(name));
    }
    std::string InDir(const char* name) const { return FromFsPath(TempDir() / name); }

    TLcUDBRoot_MDIChild* window_ = nullptr;
};

TEST_F(BankWindows, EachOpensFromItsCardWithItsPanel) {
    struct Case {
        int card;
        const char* form;
        const char* caption;
        std::size_t bytes;
        const char* cancel;
    } const cases[] = {
        {0, "F_PRJFNT", "Bank fontu", 297, "Storno_Butt"},
        {1, "F_PRJBMP", "Bank bitmapy", 256, "Storno_Butt"},
        {3, "F_PRJMAP", "Sledovaný register", 58, "Opustit_Butt"},
    };
    for (const Case& c : cases) {
        TBankForm* bank = OpenFromCard(c.card, 0);
        ASSERT_NE(bank, nullptr) << c.form;
        EXPECT_EQ(bank->WindowClass(), c.form);
        EXPECT_EQ(bank->windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(bank->GetEditPanBuff(0).size(), c.bytes);
        EXPECT_EQ(bank->GetEditPanBuff(0).size(),
                  bank->EditValidator().EditedCopy()->GetTrBuffSize());
        EXPECT_EQ(bank->HandleMessage(kWmQueryEditCaps, 0, 0), 0x400u);
        EXPECT_NE(Child<QPushButton>(bank, c.cancel), nullptr) << c.form;
        Child<QPushButton>(bank, c.cancel)->click();
    }
    EXPECT_TRUE(User().shown.empty()) << User().shown.front().text;
}

TEST_F(BankWindows, TheFontPreviewHoldsOneFileAndLetsItGo) {
    const int fonts = ProjectCtx().fonts.Count();
    TBankForm* bank = OpenFromCard(0, 1);
    ASSERT_NE(bank, nullptr);
    EXPECT_EQ(bank->Preview()->HeldName(), InDir("velky.fnt"));
    EXPECT_EQ(ProjectCtx().fonts.Count(), fonts + 1);
    const QImage before = bank->PreviewImage()->pixmap().toImage();
    QTest::keyClicks(Child<QLineEdit>(bank, "EditPan_FontPreviewStr_Edit"), "XYZ");
    EXPECT_NE(bank->PreviewImage()->pixmap().toImage(), before);
    EXPECT_EQ(ProjectCtx().fonts.Count(), fonts + 1); // drawn again, not loaded again
    EXPECT_TRUE(bank->IsEditPanModified(0));

    bank->FileEdit()->setText("chybi.fnt");
    EXPECT_EQ(bank->Preview()->HeldName(), "");
    EXPECT_EQ(ProjectCtx().fonts.Count(), fonts);
    bank->FileEdit()->setText("tucny.fnt");
    EXPECT_EQ(ProjectCtx().fonts.Count(), fonts + 1);
    bank->CancelAction();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ProjectCtx().fonts.Count(), fonts);
}

TEST_F(BankWindows, FileNamesInTheProjectDirectoryAreStoredBare) {
    TBankForm* bank = OpenFromCard(1, 0);
    ASSERT_NE(bank, nullptr);
    bank->TakeSearchedFile(InDir("napoveda.bmp"));
    EXPECT_EQ(bank->FileEdit()->text(), "napoveda.bmp");
    EXPECT_NE(bank->Preview()->BitmapPreview(), nullptr);
    bank->TakeSearchedFile("/elsewhere/X.BMP");
    EXPECT_EQ(bank->FileEdit()->text(), "/elsewhere/X.BMP");
    EXPECT_EQ(bank->Preview()->BitmapPreview(), nullptr);
    // A name Windows-1250 cannot spell is refused, and the edit keeps what it had.
    bank->TakeSearchedFile(FileNameFromUtf8(FileNameToUtf8(InDir("")) + "\xCE\xA9.bmp"));
    EXPECT_EQ(bank->FileEdit()->text(), "/elsewhere/X.BMP");
    ASSERT_EQ(User().shown.size(), 1u);
    // Typed with its directory, stored without it.
    bank->FileEdit()->setText(QString::fromStdString(InDir("porucha.bmp")));
    bank->MarkEditPanModified(0);
    ASSERT_TRUE(bank->ApplyAction());
    EXPECT_EQ(BitmapBankRecordView(bank->EditValidator().StoredRecord()->RecData).BmpFileName(),
              "porucha.bmp");
}

TEST_F(BankWindows, TheRegisterWindowRefusesWhatTheMapCannotHold) {
    TBankForm* map = OpenFromCard(3, 0);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(Child<QLineEdit>(map, "EditPan_AddrReg_Edit")->text(), "$0010");
    const TDBRecordObj* stored = map->EditValidator().StoredRecord();
    const std::vector<std::uint8_t> before = stored->RecData;
    struct Case {
        const char* edit;
        const char* typed;
    } const refused[] = {{"EditPan_AddrReg_Edit", "2001"}, {"EditPan_RegSymbName_Edit", "Příliš"}};
    for (const Case& c : refused) {
        User().shown.clear();
        auto* edit = Child<QLineEdit>(map, c.edit);
        edit->setText(QString::fromUtf8(c.typed));
        map->MarkEditPanModified(0);
        EXPECT_FALSE(map->ApplyAction()) << c.typed;
        EXPECT_EQ(User().shown.size(), 1u) << c.typed;
        EXPECT_EQ(stored->RecData, before) << c.typed;
        map->RevertAction();
    }
}

TEST_F(BankWindows, APictureBecomesAnLcdBitmapBesideTheProject) {
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 150; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 255));
    ASSERT_TRUE(picture.save(QString::fromStdString(InDir("barvy.png"))));
    TBankForm* bank = OpenFromCard(1, 0);
    ASSERT_NE(bank, nullptr);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TPictureImport_Dlg*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        shown = true;
        dialog->DitherButton()->click();
        dialog->accept();
    });
    EXPECT_TRUE(bank->ImportPicture(InDir("barvy.png")));
    EXPECT_TRUE(shown);
    EXPECT_EQ(bank->FileEdit()->text(), "barvy.bmp");
    const BmpImage* preview = bank->Preview()->BitmapPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->width, 240);
    EXPECT_EQ(preview->height, 128);
    TLCDBitmapObject accepted(7, InDir("barvy.bmp"));
    ASSERT_NE(accepted.Bitmap(), nullptr);
    EXPECT_EQ(accepted.Bitmap()->bitsPerPixel, 1);
    EXPECT_TRUE(User().shown.empty()) << User().shown.front().text;
}

// Accepts the conversion dialog, and answers the save dialog with `saveAs` (noting where it
// started), as each comes up.
class ImportDialogs {
public:
    explicit ImportDialogs(std::string saveAs = {}) : saveAs_(std::move(saveAs)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
        timer_.start(10);
    }
    bool converted = false;
    QString savedFrom; // the save dialog's first directory; empty: none was shown

private:
    void Answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<TPictureImport_Dlg*>(modal)) {
            converted = true;
            dialog->accept();
        } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            savedFrom = files->directory().absolutePath();
            files->selectFile(QString::fromStdString(saveAs_));
            static_cast<QDialog*>(files)->accept(); // QFileDialog keeps its override protected
        }
    }
    std::string saveAs_;
    QTimer timer_;
};

// A picture of one grey level, written by Qt in the format its name gives.
void SavePicture(const std::string& file, int level) {
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(qRgb(level, level, level));
    ASSERT_TRUE(picture.save(QString::fromStdString(file)));
}

TEST_F(BankWindows, AnUnsavedProjectAsksWhereThePictureGoes) {
    TBankForm* bank = OpenFromCard(1, 0);
    ASSERT_NE(bank, nullptr);
    SavePicture(InDir("barvy.png"), 0);
    SetProjectFileName("");
    // The working directory is no place for it.
    std::filesystem::create_directory(TempDir() / "work");
    std::filesystem::create_directory(TempDir() / "kept");
    const auto workDir = std::filesystem::current_path();
    std::filesystem::current_path(TempDir() / "work");
    const std::string kept = InDir("kept/BARVY.BMP");
    bool imported = false;
    {
        ImportDialogs dialogs(kept);
        imported = bank->ImportPicture(InDir("barvy.png"));
        EXPECT_TRUE(dialogs.converted);
        EXPECT_EQ(dialogs.savedFrom, QDir::homePath());
    }
    std::filesystem::current_path(workDir);
    EXPECT_TRUE(imported);
    EXPECT_TRUE(std::filesystem::is_empty(TempDir() / "work"));
    EXPECT_TRUE(TLCDBitmapObject(7, kept).Bitmap() != nullptr);
    // Named in full, so the project finds it wherever it is saved.
    EXPECT_EQ(bank->FileEdit()->text(), QString::fromStdString(kept));
    ASSERT_NE(bank->Preview()->BitmapPreview(), nullptr);
    EXPECT_TRUE(bank->Preview()->BitmapPreview()->Ink(120, 64));
}

TEST_F(BankWindows, AReimportedPictureRewritesItsOneFileAndEveryPreviewShowsIt) {
    // LOGO.BMP beside the project is a picture of colours: imported, it becomes an LCD bitmap
    // of its own name. Then logo.png replaces it.
    SavePicture(InDir("LOGO.BMP"), 255);
    SavePicture(InDir("logo.png"), 0);
    TBankForm* bank = OpenFromCard(1, 0);
    ASSERT_NE(bank, nullptr);
    TBankForm* other = OpenFromCard(1, 1);
    ASSERT_NE(other, nullptr);
    const auto logos = [this] {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(TempDir()))
            if (SameTextAscii(entry.path().filename().string(), "logo.bmp")) // not its copy
                found.push_back(entry.path().filename().string());
        return found;
    };
    for (const char* picture : {"LOGO.BMP", "logo.png"}) {
        User().shown.clear();
        User().answers = {MsgResult::Yes};
        ImportDialogs dialogs;
        ASSERT_TRUE(bank->ImportPicture(InDir(picture))) << picture;
        ASSERT_EQ(User().shown.size(), 1u) << picture;
        EXPECT_EQ(User().shown[0].text,
                  testing::Cz("Soubor ") + InDir("LOGO.BMP") + testing::Cz(" existuje. Přepsat?"));
        EXPECT_EQ(logos(), std::vector<std::string>{"LOGO.BMP"}) << picture;
        EXPECT_EQ(bank->FileEdit()->text(), "LOGO.BMP");
        if (other->FileEdit()->text() != "LOGO.BMP")
            other->FileEdit()->setText("LOGO.BMP");
        // Both previews show what was written last: white, then black in the middle.
        const bool ink = std::string(picture) == "logo.png";
        for (TBankForm* window : {bank, other}) {
            ASSERT_NE(window->Preview()->BitmapPreview(), nullptr) << picture;
            EXPECT_EQ(window->Preview()->BitmapPreview()->Ink(120, 64), ink) << picture;
            EXPECT_EQ(window->PreviewImage()->pixmap().toImage().pixel(120, 64),
                      ink ? qRgb(0, 0, 0) : qRgb(255, 255, 255))
                << picture;
        }
    }
}

} // namespace
} // namespace panolcd
