#pragma once
// TAppMainForm: the multi-document frame of the program.

#include <QMainWindow>

#include <memory>
#include <string>
#include <vector>

class QMdiArea;
class QMdiSubWindow;

namespace panolcd {

class MainFormSession;
class TMDIChild_SysWr0;

class TAppMainForm : public QMainWindow {
    Q_OBJECT
public:
    // `args` are the command-line arguments after the program name (Windows-1250).
    explicit TAppMainForm(const std::vector<std::string>& args, QWidget* parent = nullptr);
    ~TAppMainForm() override;

    QMdiArea* MdiArea() const { return mdiArea_; }
    // Brings the diagnostic window to the front, creating it when there is none.
    TMDIChild_SysWr0* OpenDiagnosticWindow();
    TMDIChild_SysWr0* DiagnosticWindow() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateMenus();

    QMdiArea* mdiArea_;
    std::unique_ptr<MainFormSession> session_;
    bool shownOnce_ = false;
};

} // namespace panolcd
