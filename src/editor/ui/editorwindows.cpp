#include "editor/ui/editorwindows.h"

#include "common/cp1250.h"
#include "common/ui/filedialogs.h"
#include "common/ui/qtext.h"
#include "framework/environment/msgbox.h"
#include "framework/environment/ui/helpviewer.h"

#include <QAction>
#include <QMenu>
#include <QShowEvent>

namespace panolcd {
namespace {

constexpr char kAllFilters[] =
    "Program Vorn-Basic (*.prg)|*.prg|Obrazovky LCD (*.pri)|*.pri|Textový soubor "
    "(*.txt)|*.txt|Šablona projektu PRG (*.pr$)|*.pr$|Šablona projektu LCD (*.lc$)|*.lc$|"
    "Konfigurační soubor (*.ini)|*.ini|Všechny soubory(*.*)|*.*";
constexpr char kProgramSaveFilters[] =
    "Program Vorn-Basic (*.prg)|*.prg|Obrazovky LCD (*.pri)|*.pri|Textový soubor "
    "(*.txt)|*.txt|Šablona projektu PRG (*.pr$)|*.pr$|Všechny soubory(*.*)|*.*";

} // namespace

TVornEdit_MDIChild::TVornEdit_MDIChild(EditorWindowKind kind, TPanoEditNameObject* settings,
                                       QWidget* parent)
    : TBroadcastForm(parent), editor_(new TVornBasicEditor(this)),
      logic_(kind, editor_->Core(), editor_->Vorn(), *this, settings) {
    resize(435, 300);
    setWidget(editor_);
    editor_->setFrameShape(QFrame::NoFrame);
    editor_->hide();
    BuildPopupMenu();
    logic_.Start();
    UpdateChecks();
    // Chosen among the other windows, or the main window back from another program (the area
    // deactivates its window with the main window).
    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates before, Qt::WindowStates now) {
                if (now.testFlag(Qt::WindowActive) && !before.testFlag(Qt::WindowActive))
                    ScheduleFileCheck();
            });
}

ChildKind TVornEdit_MDIChild::Kind() const {
    switch (logic_.Kind()) {
    case EditorWindowKind::Prg:
        return ChildKind::PrgEditor;
    case EditorWindowKind::Pri:
        return ChildKind::PriViewer;
    case EditorWindowKind::General:
        break;
    }
    return ChildKind::GeneralEditor;
}

std::uint32_t TVornEdit_MDIChild::HandleMessage(std::uint32_t message, std::uint32_t wParam,
                                                std::uint32_t lParam) {
    switch (message) {
    case kWmQueryEditCaps:
        return logic_.EditCaps();
    case kWmEditCmd:
        if (const int topic = logic_.EditCommand(wParam); topic != 0)
            ShowHelpTopic(topic);
        return 0;
    case kWmFileCmd: {
        const std::uint32_t reply = logic_.FileCommand(static_cast<FileRecId>(lParam));
        UpdateChecks();
        return reply;
    }
    default:
        return TBroadcastForm::HandleMessage(message, wParam, lParam);
    }
}

namespace {

// With eoFindAtCursor the dialogs start with the word at the caret.
std::string FindTextFor(SmartEditCore& core, const std::string& last) {
    if ((core.options & eo::kFindAtCursor) == 0)
        return last;
    const std::string word = core.WordAtCaret();
    return word.empty() ? last : word;
}

} // namespace

void TVornEdit_MDIChild::Find(TSmartFindForm& dialog) {
    SmartEditCore& core = editor_->Core();
    TSearchSettings settings = core.search;
    settings.findText = FindTextFor(core, settings.findText);
    dialog.SetSearchSettings(settings);
    if (!dialog.Execute())
        return;
    core.search = dialog.GetSearchSettings();
    core.Find();
    editor_->Refresh();
}

void TVornEdit_MDIChild::Replace(TSmartReplaceForm& dialog) {
    if (logic_.Kind() == EditorWindowKind::Pri)
        return;
    SmartEditCore& core = editor_->Core();
    TReplaceSettings settings = core.replace;
    settings.findText = FindTextFor(core, settings.findText);
    dialog.SetReplaceSettings(settings);
    bool all = false;
    if (!dialog.Execute(all))
        return;
    core.replace = dialog.GetReplaceSettings();
    try {
        core.Replace(all);
    } catch (const std::exception& e) {
        MsgBox("", e.what(), mb::kIconError); // the replacements were taken back
    }
    editor_->Refresh();
}

void TVornEdit_MDIChild::LineJump(TGotoLineForm& dialog) {
    dialog.MaxLine = logic_.LineJumpMaximum();
    dialog.SetLineNumber(logic_.LineJumpValue());
    if (dialog.Execute())
        logic_.LineJump(dialog.LineNumber());
}

namespace {
TSmartEditor* MakeVornBasicEditor(QWidget* parent) {
    return new TVornBasicEditor(parent);
}
} // namespace

void TVornEdit_MDIChild::Options(TSmartOptForm& dialog) {
    dialog.SetEditorClass(&MakeVornBasicEditor);
    dialog.SampleText = QString::fromUtf8(
        "{ Zvýrazňování syntaxe }\r\nif A < B then A := B\r\nB := 10 + 20;\r\nS := 'Nazdar'\r\n"
        "asm\r\n  MOV EAX, EBX\r\nend\r\n");
    TSmartEditorSettings settings = logic_.Settings();
    dialog.LoadSettings(settings);
    if (!dialog.Execute())
        return;
    dialog.StoreSettings(settings);
    logic_.ApplyOptions(settings);
    UpdateChecks();
}

void TVornEdit_MDIChild::FindNext() {
    editor_->Core().FindNext();
    editor_->Refresh();
}

void TVornEdit_MDIChild::IncrementalFind() {
    editor_->Core().BeginIncrementalSearch();
    editor_->setFocus();
    editor_->Refresh();
}

bool TVornEdit_MDIChild::CanClose() {
    return logic_.CanClose();
}

void TVornEdit_MDIChild::showEvent(QShowEvent* event) {
    TBroadcastForm::showEvent(event);
    editor_->show();
    editor_->setFocus();
}

void TVornEdit_MDIChild::ScheduleFileCheck() {
    if (fileCheckPending_)
        return;
    fileCheckPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            fileCheckPending_ = false;
            if (IsClosing())
                return;
            Guarded([this] { logic_.CheckFileOnDisk(); });
            UpdateChecks();
        },
        Qt::QueuedConnection);
}

void TVornEdit_MDIChild::SetCaption(const std::string& caption) {
    setWindowTitle(ToQString(caption));
}

void TVornEdit_MDIChild::RefreshEditor() {
    editor_->Refresh();
}

void TVornEdit_MDIChild::CloseWindow() {
    close();
}

std::optional<std::string> TVornEdit_MDIChild::AskSaveFileName(const std::string& initialDir,
                                                               const std::string& fileName) {
    if (logic_.Kind() == EditorWindowKind::Prg)
        return panolcd::AskSaveFileName(this, "Uložení programu", kProgramSaveFilters, "PRG",
                                        initialDir, fileName);
    return panolcd::AskSaveFileName(this, "Uložení souboru", kAllFilters, "", initialDir, fileName);
}

std::optional<std::string> TVornEdit_MDIChild::AskInsertFileName(const std::string& initialDir) {
    const char* suffix = logic_.Kind() == EditorWindowKind::Prg ? "PRG" : "TXT";
    return AskOpenFileName(this, "Vložit soubor", kAllFilters, suffix, initialDir);
}

void TVornEdit_MDIChild::Broadcast(FileRecId record) {
    panolcd::Broadcast(dynamic_cast<MessageTarget*>(window()), kWmFileCmd, 0,
                       static_cast<std::uint32_t>(record));
}

QMenu* TVornEdit_MDIChild::BookmarkMenu(const QString& title, bool toggle) {
    auto* menu = new QMenu(title, popup_);
    for (int mark = 0; mark < TextBuffer::kBookmarks; ++mark) {
        QAction* item = menu->addAction(QStringLiteral("&%1. záložka").arg(mark));
        item->setCheckable(toggle);
        connect(item, &QAction::triggered, this, [this, mark, toggle] {
            if (toggle)
                editor_->Core().ToggleBookmark(mark);
            else
                editor_->Core().GotoBookmark(mark);
            editor_->Refresh();
        });
    }
    // Going to: only the set ones; setting: the set ones checked.
    connect(menu, &QMenu::aboutToShow, this, [this, menu, toggle] {
        const QList<QAction*> items = menu->actions();
        for (int mark = 0; mark < static_cast<int>(items.size()); ++mark) {
            const bool set = editor_->Core().BookmarkOffset(mark) >= 0;
            if (toggle)
                items[mark]->setChecked(set);
            else
                items[mark]->setEnabled(set);
        }
    });
    return menu;
}

void TVornEdit_MDIChild::BuildPopupMenu() {
    popup_ = new QMenu(this);
    const bool viewer = logic_.Kind() == EditorWindowKind::Pri;
    if (!viewer) {
        readOnly_ = popup_->addAction(QStringLiteral("Pouze pro čtení"));
        readOnly_->setObjectName(QStringLiteral("TogleReadOnly_Action"));
        readOnly_->setCheckable(true);
        connect(readOnly_, &QAction::triggered, this, [this] {
            logic_.ToggleReadOnly();
            UpdateChecks();
        });
    }
    lineNumbers_ = popup_->addAction(QStringLiteral("Čísla řádek"));
    lineNumbers_->setObjectName(QStringLiteral("ShowLineNumbers_Action"));
    lineNumbers_->setCheckable(true);
    connect(lineNumbers_, &QAction::triggered, this, [this] {
        logic_.ToggleLineNumbers();
        UpdateChecks();
    });
    popup_->addSeparator();
    popup_->addMenu(BookmarkMenu(QStringLiteral("Přejít &na záložku"), false));
    popup_->addMenu(BookmarkMenu(QStringLiteral("Položit &záložku"), true));
    popup_->addSeparator();
    options_ = popup_->addAction(QStringLiteral("Možnosti"));
    options_->setObjectName(QStringLiteral("EdOptions_Action"));
    connect(options_, &QAction::triggered, this, [this] {
        if (TEditorDialogs* dialogs = TEditorDialogs::Instance())
            Options(*dialogs->options);
    });
    editor_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editor_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        UpdateChecks();
        popup_->popup(editor_->mapToGlobal(at));
    });
}

void TVornEdit_MDIChild::UpdateChecks() {
    if (readOnly_ != nullptr)
        readOnly_->setChecked(editor_->Core().readOnly);
    lineNumbers_->setChecked(logic_.LineNumbersShown());
}

} // namespace panolcd
