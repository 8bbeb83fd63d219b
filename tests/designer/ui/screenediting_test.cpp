// Editing a screen of the sample project the way a user does: objects inserted through the main
// window's actions, their property dialogs and command windows opened from the design window,
// edited and confirmed; the generated include file then shows every change.

#include "app/ui/mainwindow.h"
#include "designer/commandobjects.h"
#include "designer/ui/propertydialogs.h"
#include "designer/ui/screenwindow.h"
#include "framework/dataentry/ui/qtcontrols.h"
#include "framework/dataentry/ui/qtdialogport.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/ui/qtclipboardport.h"
#include "framework/records/database.h"
#include "framework/records/dbrecord.h"
#include "framework/windows/commands.h"
#include "framework/windows/udbforms.h"
#include "framework/windows/windowmessages.h"
#include "project/dbtypes.h"
#include "project/projectrecords.h"
#include "projectwindows/ui/commandwindow.h"
#include "projectwindows/ui/rootwindow.h"
#include "support/sample_project.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace panolcd {
namespace {

using testing::Cz;

class ScreenEditing : public testing::SampleProjectTest {
protected:
    void SetUp() override {
        SampleProjectTest::SetUp();
        sample_ = UseSampleProject();
        RegisterProjectWindows();
        RegisterScreenWindow();
        EnvCtx().dialogs = std::make_unique<QtDialogPort>();
        form_ = std::make_unique<TAppMainForm>(std::vector<std::string>{});
        form_->show();
        QCoreApplication::sendPostedEvents(form_.get());
        auto* root = dynamic_cast<TLcUDBRoot_MDIChild*>(form_->MdiArea()->subWindowList().front());
        ASSERT_NE(root, nullptr);
        root->CardList(2)->setCurrentRow(0);
        QTest::keyClick(root->CardList(2), Qt::Key_Space);
        screen_ = dynamic_cast<TLCDDisplay_Form*>(form_->MdiArea()->subWindowList().back());
        ASSERT_NE(screen_, nullptr);
        // With the case layers hidden, new objects go to the screen's own layers.
        QAction* caseLayers = form_->Action("CaseLayer_Action");
        ASSERT_TRUE(caseLayers->isChecked());
        caseLayers->trigger();
    }
    void TearDown() override {
        form_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SampleProjectTest::TearDown();
    }

    // Inserts an object through the main window; the new object is the scene's last.
    TLCDObject& Insert(const char* action) {
        form_->MdiArea()->setActiveSubWindow(screen_);
        form_->Action(action)->trigger();
        return *screen_->Designer().Scene().Objects().back().object;
    }
    // The sample screen's object of a kind it has once (the screen's onkey, wait, editenter).
    TLCDObject& Existing(std::uint8_t kind) const {
        for (const SceneObject& entry : screen_->Designer().Scene().Objects()) {
            if (entry.object->Kind == kind)
                return *entry.object;
        }
        throw std::runtime_error("the sample has no object of kind " + std::to_string(kind));
    }
    // A double click into the object, as the user opens what edits it: a click, then the
    // second press and its release.
    void DoubleClick(const TLCDObject& object) {
        const Frame f = object.Bounds();
        const QPoint at(f.left + f.width / 2, f.top + f.height / 2);
        QWidget* viewport = screen_->View().viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    }
    // The newest record window opened by `formName`.
    TCommandForm* Window(const char* formName) const {
        TCommandForm* found = nullptr;
        for (QMdiSubWindow* window : form_->MdiArea()->subWindowList()) {
            if (auto* command = dynamic_cast<TCommandForm*>(window);
                command && command->WindowClass() == formName)
                found = command;
        }
        return found;
    }
    template <class W> static W* Control(QWidget* window, const char* name) {
        return window->findChild<W*>(QString::fromLatin1(name));
    }
    static void Click(QWidget* window, const char* button) {
        Control<QPushButton>(window, button)->click();
    }
    static void Type(QWidget* window, const char* edit, const char* utf8) {
        auto* line = Control<QLineEdit>(window, edit);
        if (line == nullptr) {
            ADD_FAILURE() << "no " << edit << " in " << window->windowTitle().toStdString();
            return;
        }
        const QString text = QString::fromUtf8(utf8);
        line->selectAll();
        // The test library types only ASCII; other letters arrive as an edit would bring them.
        if (std::ranges::all_of(text, [](QChar c) { return c.unicode() < 128; })) {
            QTest::keyClicks(line, text);
        } else {
            line->setText(text);
            emit line->textEdited(text);
        }
    }
    // Saves the project, generates its include file and answers its lines without indentation.
    std::vector<std::string> GeneratedLines() {
        form_->Action("SaveProject_Action")->trigger();
        form_->Action("GenPRI_Action")->trigger();
        std::istringstream pri(ReadFile(TempDir() / "DEMO.PRI"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(pri, line);) {
            const std::size_t first = line.find_first_not_of(' ');
            const std::size_t last = line.find_last_not_of(" \r");
            lines.push_back(first == std::string::npos ? "" : line.substr(first, last - first + 1));
        }
        return lines;
    }
    // Acts on the next modal dialog when it shows, then confirms it; its caption comes back.
    static std::shared_ptr<QString> ConfirmNextDialog(std::function<void(QWidget&)> edit) {
        auto caption = std::make_shared<QString>();
        QTimer::singleShot(0, [caption, edit] {
            auto* dialog = dynamic_cast<TObjectProp_Dlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            *caption = dialog->windowTitle();
            edit(*dialog);
            for (QPushButton* button : dialog->findChildren<QPushButton*>())
                if (button->text() == "OK")
                    button->click();
            if (dialog->isVisible())
                dialog->reject();
        });
        return caption;
    }
    static bool Has(const std::vector<std::string>& lines, const std::string& text) {
        return std::ranges::any_of(lines,
                                   [&](const std::string& l) { return l.find(text) != l.npos; });
    }

    std::filesystem::path sample_;
    std::unique_ptr<TAppMainForm> form_;
    TLCDDisplay_Form* screen_ = nullptr;
};

TEST_F(ScreenEditing, CommandWindowsEditTheConstructsAndTheirVariants) {
    // Case: the control variable is typed (which alone marks the panel), the first variant
    // creates the variants' database before its window opens.
    auto& caseObject = dynamic_cast<TLCDCaseObj&>(Insert("LCDObjCase_Action"));
    DoubleClick(caseObject);
    TCommandForm* caseWindow = Window("F_LCCASE");
    ASSERT_NE(caseWindow, nullptr);
    EXPECT_EQ(caseWindow->windowTitle(), QString::fromUtf8("Parametry objektu příkazu Case"));
    EXPECT_EQ(caseWindow->GetEditPanBuff(0).size(), 399u);
    Type(caseWindow, "EditPan_SymDx_Edit", "REZIM2");
    EXPECT_TRUE(caseWindow->IsEditPanModified(0));
    EXPECT_EQ(caseWindow->EditCaps(), 0x40000C78u);
    Click(caseWindow, "Card_PridejZaznam_Butt");
    TDBRecordObj* caseRecord = caseWindow->EditValidator().StoredRecord();
    ASSERT_NE(caseRecord, nullptr);
    TDataBase* variants = caseRecord->GetDBTidDataBase(kDBCaseVariants);
    ASSERT_NE(variants, nullptr);
    TCommandForm* variant = Window("F_CASECO");
    ASSERT_NE(variant, nullptr);
    EXPECT_EQ(variant->EditValidator().DataBase(), variants);
    EXPECT_EQ(variant->GetEditPanBuff(0).size(), 86u);
    Type(variant, "EditPan_CaseConstSym_Edit", "7");
    Type(variant, "EditPan_CaseConstComment_Edit", "Sedm");
    Click(variant, "OK_Butt");
    EXPECT_EQ(variants->Count(), 1);
    EXPECT_EQ(caseWindow->VariantList()->count(), 1);
    Click(caseWindow, "OK_Butt");
    // The design window shows the applied record at once.
    EXPECT_EQ(caseObject.Lines().front(), "case REZIM2 of");
    EXPECT_EQ(caseObject.Lines().size(), 3u);

    // OnKey: the screen's own (a screen has one); a variant's code of two lines is stored with
    // CR LF. It goes before the first variant.
    DoubleClick(Existing(kObjCmdOnKey));
    TCommandForm* onKeyWindow = Window("F_LONKEY");
    ASSERT_NE(onKeyWindow, nullptr);
    onKeyWindow->VariantList()->setCurrentRow(0);
    Click(onKeyWindow, "Card_VlozZaznam_Butt");
    TCommandForm* key = Window("F_ONKEYC");
    ASSERT_NE(key, nullptr);
    Type(key, "EditPan_OnKeyConstSym_Edit", "K_F2");
    Control<QPlainTextEdit>(key, "EditPan_OnKeyConstCode_Memo")->setPlainText("A:=1;\nB:=2;");
    Click(key, "OK_Butt");
    TDataBase* keys =
        onKeyWindow->EditValidator().StoredRecord()->GetDBTidDataBase(kDBOnKeyVariants);
    ASSERT_NE(keys, nullptr);
    ASSERT_EQ(keys->Count(), 4);
    EXPECT_EQ(OnKeyVariantRecordView(keys->Record(0)->RecData).OnKeyConstCode(), "A:=1;\r\nB:=2;");
    Click(onKeyWindow, "OK_Butt");

    // Wait: a timeout of -1 is refused and the window stays.
    DoubleClick(Existing(kObjCmdWait));
    TCommandForm* waitWindow = Window("F_CMWAIT");
    ASSERT_NE(waitWindow, nullptr);
    EXPECT_EQ(waitWindow->GetEditPanBuff(0).size(), 399u);
    Type(waitWindow, "EditPan_WaitTimeout_Edit", "-1");
    Control<QPlainTextEdit>(waitWindow, "EditPan_WaitStatement_Memo")->setPlainText("wait(K<>0)");
    Click(waitWindow, "OK_Butt");
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_EQ(User().shown.front().text, "Hodnota -1 mimo meze <0;2147483647>");
    EXPECT_EQ(Window("F_CMWAIT"), waitWindow);
    Type(waitWindow, "EditPan_WaitTimeout_Edit", "5");
    Click(waitWindow, "OK_Butt");

    DoubleClick(Existing(kObjEditEnter));
    TCommandForm* enterWindow = Window("F_EENTER");
    ASSERT_NE(enterWindow, nullptr);
    Control<QPlainTextEdit>(enterWindow, "EditPan_EEnterStatement_Memo")->setPlainText("Uloz(A);");
    Click(enterWindow, "OK_Butt");

    // Enum: its window has 410 bytes of panel and a list of values.
    TLCDObject& enumObject = Insert("LCDObjEnum_Action");
    DoubleClick(enumObject);
    TCommandForm* enumWindow = Window("F_LCENUM");
    ASSERT_NE(enumWindow, nullptr);
    EXPECT_EQ(enumWindow->GetEditPanBuff(0).size(), 410u);
    Type(enumWindow, "EditPan_SymDx_EnumVar_Edit", "PREPINAC");
    Click(enumWindow, "Card_PridejZaznam_Butt");
    TCommandForm* value = Window("F_ENUMC");
    ASSERT_NE(value, nullptr);
    Type(value, "EditPan_EnumConstSym_Edit", "ZAP");
    Type(value, "EditPan_EnumConstStr_Edit", "Zapnuto");
    Click(value, "OK_Butt");
    Click(enumWindow, "OK_Butt");
    EXPECT_EQ(User().shown.size(), 1u) << User().shown.back().text;

    const std::vector<std::string> pri = GeneratedLines();
    EXPECT_TRUE(Has(pri, "case REZIM2 of"));
    EXPECT_TRUE(Has(pri, "7:  { Sedm }"));
    EXPECT_TRUE(Has(pri, "K_F2:"));
    const auto code = std::ranges::find(pri, "A:=1;");
    ASSERT_NE(code, pri.end());
    EXPECT_EQ(*(code + 1), "B:=2;");
    EXPECT_TRUE(Has(pri, "wait 5,"));
    EXPECT_TRUE(Has(pri, "wait(K<>0);"));
    EXPECT_TRUE(Has(pri, "Uloz(A);"));
    EXPECT_TRUE(Has(pri, "case PREPINAC of"));
    EXPECT_TRUE(Has(pri, "ZAP: print \"Zapnuto\";"));
}

// Every record window's edit panel is exactly its record's transfer buffer: the project window,
// the design window and the command and variant windows on the sample's records.
TEST_F(ScreenEditing, PasteIsOfferedRightAfterACopyOrCutWithoutWaitingForTheTick) {
    EnvCtx().clipboard = std::make_unique<QtClipboardPort>();
    auto* root = dynamic_cast<TLcUDBRoot_MDIChild*>(form_->MdiArea()->subWindowList().front());
    ASSERT_NE(root, nullptr);
    QAction* paste = form_->Action("EditPaste_Action");
    const auto selectNewText = [this] {
        const Frame f = Insert("LCDObjText_Action").Bounds();
        QTest::mouseClick(screen_->View().viewport(), Qt::LeftButton, {},
                          QPoint(f.left + f.width / 2, f.top + f.height / 2));
    };
    const auto firstCard = [root] { root->CardList(2)->setCurrentRow(0); };
    struct Case {
        const char* what;
        QMdiSubWindow* window;
        std::function<void()> select;
        std::function<void()> copy;
    };
    const Case cases[] = {
        {"copy in the design window", screen_, selectNewText,
         [this] { form_->Action("EditCopy_Action")->trigger(); }},
        {"cut in the design window", screen_, selectNewText,
         [this] { form_->Action("EditCut_Action")->trigger(); }},
        {"copy on a card", root, firstCard,
         [this] { form_->Action("EditCopy_Action")->trigger(); }},
        {"Ctrl+Insert on a card", root, firstCard,
         [root] { QTest::keyClick(root->CardList(2), Qt::Key_Insert, Qt::ControlModifier); }},
    };
    for (const Case& c : cases) {
        QGuiApplication::clipboard()->clear();
        // Coming to the window asks the actions afresh: nothing to paste yet.
        QMdiSubWindow* other = c.window == root ? static_cast<QMdiSubWindow*>(screen_) : root;
        form_->MdiArea()->setActiveSubWindow(other);
        form_->MdiArea()->setActiveSubWindow(c.window);
        c.select();
        QCoreApplication::processEvents();
        EXPECT_FALSE(paste->isEnabled()) << c.what;
        QElapsedTimer clock;
        clock.start();
        c.copy();
        QCoreApplication::processEvents(); // the posted command and what follows, not the tick
        QCoreApplication::processEvents();
        ASSERT_LT(clock.elapsed(), 500) << c.what;
        EXPECT_FALSE(QGuiApplication::clipboard()->text().isEmpty()) << c.what;
        EXPECT_TRUE(paste->isEnabled()) << c.what;
    }
}

TEST_F(ScreenEditing, EveryRecordWindowsPanelIsItsRecordsTransferBuffer) {
    auto* root = dynamic_cast<TLcUDBRoot_MDIChild*>(form_->MdiArea()->subWindowList().front());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetEditPanBuff(0).size(), 209u);
    EXPECT_EQ(root->GetEditPanBuff(0).size(), root->EditValidator().EditedCopy()->GetTrBuffSize());
    EXPECT_EQ(screen_->GetEditPanBuff(0).size(),
              screen_->EditValidator().EditedCopy()->GetTrBuffSize());

    struct Case {
        std::uint8_t kind;
        std::uint16_t variants; // 0: the object's own window
        const char* form;
        std::size_t bytes;
    } const cases[] = {
        {kObjCmdCase, 0, "F_LCCASE", 399},  {kObjCmdCase, kDBCaseVariants, "F_CASECO", 86},
        {kObjCmdOnKey, 0, "F_LONKEY", 399}, {kObjCmdOnKey, kDBOnKeyVariants, "F_ONKEYC", 272},
        {kObjCmdWait, 0, "F_CMWAIT", 399},  {kObjEditEnter, 0, "F_EENTER", 399},
        {kObjEnum, 0, "F_LCENUM", 410},     {kObjEnum, kDBEnumVariants, "F_ENUMC", 272},
    };
    TDataBase* objects = screen_->EditValidator().EditedCopy()->GetDBTidDataBase(kDBScreenObjects);
    ASSERT_NE(objects, nullptr);
    for (const Case& c : cases) {
        TDBRecordObj* object = nullptr;
        for (int i = 0; i < objects->Count() && object == nullptr; ++i) {
            if (ObjectRecordView(objects->Record(i)->RecData).Kind() == c.kind)
                object = objects->Record(i);
        }
        ASSERT_NE(object, nullptr) << c.form;
        TDataBase* database = c.variants != 0 ? object->GetDBTidDataBase(c.variants) : objects;
        ASSERT_NE(database, nullptr) << c.form;
        TDBRecordObj* record = c.variants != 0 ? database->Record(0) : object;
        EXPECT_EQ(record->EditFormName(), c.form);
        ASSERT_NE(OpenUDBForm(c.form, database, record, -1, 0, -1), nullptr) << c.form;
        TCommandForm* window = Window(c.form);
        ASSERT_NE(window, nullptr) << c.form;
        EXPECT_EQ(window->GetEditPanBuff(0).size(), c.bytes) << c.form;
        EXPECT_EQ(window->GetEditPanBuff(0).size(),
                  window->EditValidator().EditedCopy()->GetTrBuffSize())
            << c.form;
        window->CancelAction();
    }
    EXPECT_TRUE(User().shown.empty()) << User().shown.front().text;
}

// The list follows the window's height; the original-size command gives back the bounds the
// window was made with.
TEST_F(ScreenEditing, AVariantListFollowsTheHeightUntilTheOriginalSize) {
    DoubleClick(Existing(kObjCmdOnKey));
    TCommandForm* window = Window("F_LONKEY");
    ASSERT_NE(window, nullptr);
    const QSize made = window->size();
    const int listHeight = window->VariantList()->height();
    const int listWidth = window->VariantList()->width();
    window->resize(made.width() + 50, made.height() + 120);
    EXPECT_EQ(window->VariantList()->height(), listHeight + 120);
    EXPECT_EQ(window->VariantList()->width(), listWidth);
    window->HandleMessage(kWmEditCmd, ecOrigSize, 0);
    EXPECT_EQ(window->size(), made);
    EXPECT_EQ(window->VariantList()->height(), listHeight);
    // The window reports clipboard commands and takes them on its list.
    EXPECT_EQ(window->HandleMessage(kWmQueryEditCaps, 0, 0), 0x40000C78u);
}

TEST_F(ScreenEditing, EnterConfirmsACommandOrVariantWindowAndEscapeDropsItsEdits) {
    // The screen's onkey window, and the window of its first variant opened from its list.
    const std::function<TCommandForm*()> onKey = [this] {
        DoubleClick(Existing(kObjCmdOnKey));
        return Window("F_LONKEY");
    };
    const std::function<TCommandForm*()> variant = [this, &onKey] {
        TCommandForm* window = onKey();
        if (window == nullptr)
            return window;
        window->VariantList()->setCurrentRow(0);
        QTest::keyClick(window->VariantList(), Qt::Key_Space);
        return Window("F_ONKEYC");
    };
    struct Case {
        const std::function<TCommandForm*()>* open;
        const char* edit;
        const char* text;
        Qt::Key key;
        bool stored;
    };
    const Case cases[] = {
        {&onKey, "EditPan_ObjText_Edit", "Klavesy", Qt::Key_Return, true},
        {&onKey, "EditPan_ObjText_Edit", "Klavesy", Qt::Key_Enter, true},
        {&onKey, "EditPan_ObjText_Edit", "Zahodit", Qt::Key_Escape, false},
        {&variant, "EditPan_OnKeyConstSym_Edit", "K_F9", Qt::Key_Return, true},
        {&variant, "EditPan_OnKeyConstSym_Edit", "K_F8", Qt::Key_Escape, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.edit) + " " + c.text);
        QPointer<TCommandForm> window = (*c.open)();
        ASSERT_FALSE(window.isNull());
        EXPECT_TRUE(Control<QPushButton>(window, "OK_Butt")->isDefault());
        const TDBRecordObj* record = window->EditValidator().StoredRecord();
        ASSERT_NE(record, nullptr);
        const std::vector<std::uint8_t> before = record->RecData;
        Type(window, c.edit, c.text);
        EXPECT_TRUE(window->IsEditPanModified(0));
        auto* line = Control<QLineEdit>(window, c.edit);
        line->setFocus();
        QTest::keyClick(line, c.key);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull() || !window->isVisible());
        const std::string data(record->RecData.begin(), record->RecData.end());
        EXPECT_EQ(data.find(c.text) != std::string::npos, c.stored);
        if (!c.stored) {
            EXPECT_EQ(record->RecData, before);
        }
        // The onkey window a variant was opened from goes too, its panel untouched.
        if (TCommandForm* owner = Window("F_LONKEY"))
            owner->CancelAction();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_TRUE(User().shown.empty()) << User().shown.back().text;

    // A value the record refuses keeps the window open, as OK does; Enter in a memo is a new line.
    DoubleClick(Existing(kObjCmdWait));
    QPointer<TCommandForm> wait = Window("F_CMWAIT");
    ASSERT_FALSE(wait.isNull());
    auto* memo = Control<QPlainTextEdit>(wait, "EditPan_WaitStatement_Memo");
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(memo->blockCount(), 2);
    Type(wait, "EditPan_WaitTimeout_Edit", "-1");
    QTest::keyClick(Control<QLineEdit>(wait, "EditPan_WaitTimeout_Edit"), Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(wait.isNull());
    EXPECT_TRUE(wait->isVisible());
    ASSERT_EQ(User().shown.size(), 1u);
    EXPECT_EQ(User().shown.front().text, "Hodnota -1 mimo meze <0;2147483647>");
}

TEST_F(ScreenEditing, PropertyDialogsChangeWhatIsGenerated) {
    struct Case {
        const char* action;
        // Acts on the shown dialog before OK.
        std::function<void(QWidget&)> edit;
        const char* generated; // UTF-8
    };
    const auto typing = [](const char* edit, const char* text) {
        return [=](QWidget& dialog) { Type(&dialog, edit, text); };
    };
    const Case cases[] = {
        {"LCDObjText_Action", typing("Text_Edit", "Nazdar"), "print \"Nazdar\""},
        {"LCDObjPrint_Action", typing("Text_Edit", "\"T=\",T:3"), "print \"T=\",T:3"},
        {"LCDObjEdit_Action", typing("Text_Edit", "Otacky:4"), "Edit Otacky:4"},
        {"LCDObjEditP_Action", typing("Text_Edit", "Kod:4"), "EditP Kod:4"},
        {"LCDObjPoint_Action", typing("Comment_Edit", "bod2"), "{ bod2 }"},
        {"LCDObjLine_Action",
         [](QWidget& dialog) {
             Control<QCheckBox>(&dialog, "RelDxDy_CheckBox")->click();
             Type(&dialog, "Comment_Edit", "cara2");
         },
         "line rel,"},
        {"LCDObjRect_Action", typing("Comment_Edit", "ram2"), "{ ram2 }"},
        {"LCDObjCircle_Action", typing("SymR_Edit", "POLOMER2"), "POLOMER2"},
        {"LCDObjGraph_Action", typing("Data_Edit", "5,yD,0,9"), "5,yD,0,9"},
        {"LCDObjGraphXY_Action", typing("Data_Edit", "5,xD,yD,0,9,0,9"), "5,xD,yD,0,9,0,9"},
        {"LCDObjBar_Action", typing("Data_Edit", "Vyska,0,50"), "Vyska,0,50"},
        // A case layer's bitmap goes into the shown case layer.
        {"LCDObjCaseBMP_Action", typing("Comment_Edit", "ručně"), "; { ručně }"},
    };
    for (const Case& c : cases) {
        if (c.action == std::string("LCDObjCaseBMP_Action"))
            form_->Action("CaseLayer_Action")->trigger();
        TLCDObject& object = Insert(c.action);
        const auto caption = ConfirmNextDialog(c.edit);
        DoubleClick(object);
        EXPECT_FALSE(caption->isEmpty()) << c.action;
    }
    form_->Action("CaseLayer_Action")->trigger();

    // One object centred on the LCD, another given a width: the alignment dialogs.
    TLCDObject& centred = Insert("LCDObjText_Action");
    ConfirmNextDialog(typing("Text_Edit", "Stred"));
    DoubleClick(centred);
    const auto single = ConfirmNextDialog([](QWidget& dialog) {
        Control<RadioGroup>(&dialog, "HorzCentre_RadioGroup")->SetItemIndex(1);
    });
    screen_->Designer().MenuChosen(MenuCommand::AlignOne);
    EXPECT_EQ(*single, QString::fromUtf8("Zarovnání pozice"));
    const LcdCoords centre =
        centred.FrameToRecord(screen_->Designer().ScrollPosition(), centred.Bounds());
    EXPECT_GT(centre.x1, 10);
    TLCDObject& sized = Insert("LCDObjRect_Action");
    const auto sizes = ConfirmNextDialog([](QWidget& dialog) {
        Control<RadioGroup>(&dialog, "WidthMode_RadioGroup")->SetItemIndex(3);
        Type(&dialog, "NewWidth_Edit", "50");
    });
    screen_->Designer().MenuChosen(MenuCommand::Sizes);
    EXPECT_EQ(*sizes, QString::fromUtf8("Srovnání rozměrů"));
    const LcdCoords size =
        sized.FrameToRecord(screen_->Designer().ScrollPosition(), sized.Bounds());
    EXPECT_EQ(size.x2 - size.x1, 50);

    // The screen's own parameters rename it; the help screen's choose its picture.
    const auto renamed = ConfirmNextDialog(typing("ScrSymb_Edit", "SCR_HLAVNI2"));
    screen_->Designer().MenuChosen(MenuCommand::ScreenParameters);
    EXPECT_EQ(*renamed, QString::fromUtf8("Parametry obrazovky"));
    screen_->SetHelpMode(true);
    const auto help = ConfirmNextDialog([](QWidget& dialog) {
        auto* banks = Control<QComboBox>(&dialog, "HlpBmpNum_ComboBox");
        for (int i = 0; i < banks->count(); ++i)
            if (banks->itemText(i).trimmed().startsWith("4 "))
                banks->setCurrentIndex(i);
    });
    screen_->Designer().MenuChosen(MenuCommand::ScreenParameters);
    EXPECT_EQ(*help, QString::fromUtf8("Parametry obrazovky Help"));
    screen_->SetHelpMode(false);
    EXPECT_TRUE(User().shown.empty()) << User().shown.front().text;

    const std::vector<std::string> pri = GeneratedLines();
    for (const Case& c : cases)
        EXPECT_TRUE(Has(pri, Cz(c.generated))) << c.generated;
    EXPECT_TRUE(Has(pri, "position " + std::to_string(centre.x1) + "," + std::to_string(centre.y1) +
                             ";print \"Stred\";"));
    EXPECT_TRUE(Has(pri, "rect " + std::to_string(size.x1) + "," + std::to_string(size.y1) + "," +
                             std::to_string(size.x1 + 50) + ","));
    EXPECT_TRUE(Has(pri, "SCR_HLAVNI2 = 1;"));
    EXPECT_TRUE(Has(pri, "terminal Term1:SCR_HLAVNI2;"));
    const auto helpPart = std::ranges::find(pri, "help");
    ASSERT_NE(helpPart, pri.end());
    EXPECT_EQ(*(helpPart + 1), "bitmap 4;");
}

} // namespace
} // namespace panolcd
