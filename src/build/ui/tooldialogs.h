#pragma once
// The command template dialogs of the compiler ("Překladač Vorn-Basicu") and the loader
// ("Vornset - zavedení programu"): one edit, OK, Storno and "Vyhledej" to pick the program.

#include "framework/dataentry/checks.h"
#include "framework/dataentry/numberedits.h"
#include "framework/dataentry/stringedits.h"
#include "framework/dataentry/ui/trvaldialog.h"

class QLineEdit;

#include <vector>

namespace panolcd {

class TToolCommandDlg : public TTrValDialog {
    Q_OBJECT
public:
    TToolCommandDlg(QWidget* owner, const char* caption, const char* label, const char* editName);

    void MapDialogData(std::span<std::uint8_t> buffer) override;
    QLineEdit* Edit() const { return edit_; }

private:
    QLineEdit* edit_;
    TTrStringEdit_Validator* validator_;
};

class TWCompileNameObj_Dlg final : public TToolCommandDlg {
    Q_OBJECT
public:
    explicit TWCompileNameObj_Dlg(QWidget* owner = nullptr);
};

class TVSLoaderNameObj_Dlg final : public TToolCommandDlg {
    Q_OBJECT
public:
    explicit TVSLoaderNameObj_Dlg(QWidget* owner = nullptr);
};

// "Vyhledaní chybového řádku": an error position by hand (the file as 1 *.PRG or 2 *.PRI, the
// line, the begin and end columns). No action opens it; a record type may.
class TFindCompilerErr_Dlg final : public TTrValDialog {
    Q_OBJECT
public:
    static constexpr std::size_t kTransferSize = 13;

    explicit TFindCompilerErr_Dlg(QWidget* owner = nullptr);
    void MapDialogData(std::span<std::uint8_t> buffer) override;

private:
    std::vector<QWidget*> widgets_;
    std::vector<TCtrlValidator*> validators_;
};

// Registers the tool dialogs under "D_WCOCMD" and "D_VSLOAD", the error position under
// "D_FCERR".
void RegisterToolDialogs();

} // namespace panolcd
