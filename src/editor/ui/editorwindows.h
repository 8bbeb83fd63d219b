#pragma once
// The editor windows over Qt: a child window of the main window hosting a Vorn-Basic editor, its
// popup menu with the bookmark submenus, and the three kinds (PRG editor, PRI viewer, general
// editor). What they do is VornEditWindow; this shell wires the control, the menus, the dialogs
// and the messages.

#include "editor/editorwindow.h"
#include "editor/ui/editordialogs.h"
#include "editor/ui/vornbasiceditor.h"
#include "framework/windows/ui/udbform.h"

class QAction;
class QMenu;

namespace panolcd {

class TVornEdit_MDIChild : public TBroadcastForm, private EditorWindowPort {
    Q_OBJECT
public:
    // `settings` is the window's settings entry; none means the class defaults.
    TVornEdit_MDIChild(EditorWindowKind kind, TPanoEditNameObject* settings,
                       QWidget* parent = nullptr);

    ChildKind Kind() const override;
    std::uint32_t HandleMessage(std::uint32_t message, std::uint32_t wParam,
                                std::uint32_t lParam) override;

    VornEditWindow& Logic() { return logic_; }
    TVornBasicEditor& Editor() { return *editor_; }
    QMenu* PopupMenu() const { return popup_; }

    // The main window's commands on the active editor; the dialogs are the main window's.
    void Find(TSmartFindForm& dialog);
    void FindNext();
    void Replace(TSmartReplaceForm& dialog);
    void IncrementalFind();
    void LineJump(TGotoLineForm& dialog);
    void Options(TSmartOptForm& dialog);

protected:
    bool CanClose() override;
    void showEvent(QShowEvent* event) override;

private:
    // EditorWindowPort
    void SetCaption(const std::string& caption) override;
    void RefreshEditor() override;
    void CloseWindow() override;
    std::optional<std::string> AskSaveFileName(const std::string& initialDir,
                                               const std::string& fileName) override;
    std::optional<std::string> AskInsertFileName(const std::string& initialDir) override;
    void Broadcast(FileRecId record) override;

    void BuildPopupMenu();
    QMenu* BookmarkMenu(const QString& title, bool toggle);
    void UpdateChecks();
    // After an activation, once it is over: a question must not interrupt it.
    void ScheduleFileCheck();

    TVornBasicEditor* editor_;
    VornEditWindow logic_;
    QMenu* popup_ = nullptr;
    QAction* readOnly_ = nullptr;
    QAction* lineNumbers_ = nullptr;
    QAction* options_ = nullptr;
    bool fileCheckPending_ = false;
};

// The program of the project or the bare program: "Projekt: ".
class TViewFilePRG_MDIChild final : public TVornEdit_MDIChild {
    Q_OBJECT
public:
    explicit TViewFilePRG_MDIChild(TPanoEditNameObject* settings, QWidget* parent = nullptr)
        : TVornEdit_MDIChild(EditorWindowKind::Prg, settings, parent) {}
};

// The generated include file, read-only: "Obrazovky: ".
class TViewFilePRI_MDIChild final : public TVornEdit_MDIChild {
    Q_OBJECT
public:
    explicit TViewFilePRI_MDIChild(TPanoEditNameObject* settings, QWidget* parent = nullptr)
        : TVornEdit_MDIChild(EditorWindowKind::Pri, settings, parent) {}
};

// Any text file: "Editor: ".
class TPanoEditor_MDIChild final : public TVornEdit_MDIChild {
    Q_OBJECT
public:
    explicit TPanoEditor_MDIChild(TPanoEditNameObject* settings, QWidget* parent = nullptr)
        : TVornEdit_MDIChild(EditorWindowKind::General, settings, parent) {}
};

} // namespace panolcd
