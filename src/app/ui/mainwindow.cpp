#include "app/ui/mainwindow.h"

#include "app/mainformsession.h"
#include "app/version.h"
#include "framework/environment/trace.h"
#include "framework/environment/ui/syswrwindow.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>

namespace panolcd {

TAppMainForm::TAppMainForm(const std::vector<std::string>& args, QWidget* parent)
    : QMainWindow(parent), mdiArea_(new QMdiArea(this)) {
    setObjectName("TAppMainForm");
    setWindowTitle(kProgramTitle);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    statusBar()->setObjectName("MainForm_StatusBar");
    CreateMenus();
    session_ = std::make_unique<MainFormSession>(args);
    resize(800, 600);
}

TAppMainForm::~TAppMainForm() {
    // Children first: the diagnostic window must unregister before the session's last trace.
    delete mdiArea_;
    mdiArea_ = nullptr;
    session_.reset();
}

void TAppMainForm::CreateMenus() {
    QMenu* files = menuBar()->addMenu("&Soubory");
    QAction* exitAction = files->addAction("&Konec");
    exitAction->setObjectName("Exit_Action");
    exitAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
    exitAction->setToolTip("Konec programu");
    exitAction->setStatusTip("Ukončí se tento program");
    connect(exitAction, &QAction::triggered, this, &QWidget::close);

    QMenu* settings = menuBar()->addMenu("Nas&tavení");
    settings->setStatusTip("Nastavení parametrů programu");
    QMenu* system = settings->addMenu("&Systém");
    system->setStatusTip("Pomocné systémové příkazy pro ladění programu");
    QAction* openDiag = system->addAction("Otevři okénko TXS");
    openDiag->setObjectName("OpenSysWr_Action");
    openDiag->setStatusTip("Otevře okénko diagnostických výpisů");
    connect(openDiag, &QAction::triggered, this, [this] { OpenDiagnosticWindow(); });

    QMenu* windows = menuBar()->addMenu("O&kénka");
    windows->setStatusTip("Operace s okénky");
    windows->addAction("&Kaskáda", mdiArea_, &QMdiArea::cascadeSubWindows);
    windows->addAction("&Dlaždice", mdiArea_, &QMdiArea::tileSubWindows);
}

TMDIChild_SysWr0* TAppMainForm::DiagnosticWindow() const {
    if (!mdiArea_)
        return nullptr;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
        if (auto* window = qobject_cast<TMDIChild_SysWr0*>(sub->widget()))
            return window;
    }
    return nullptr;
}

TMDIChild_SysWr0* TAppMainForm::OpenDiagnosticWindow() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TMDIChild_SysWr0* window = DiagnosticWindow();
    if (window) {
        QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
        if (sub && sub->isMinimized())
            sub->showNormal();
        mdiArea_->setActiveSubWindow(sub);
    } else {
        window = new TMDIChild_SysWr0;
        QMdiSubWindow* sub = mdiArea_->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->resize(window->size());
        sub->show();
    }
    QApplication::restoreOverrideCursor();
    return window;
}

void TAppMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    if (TraceMask() != 0)
        OpenDiagnosticWindow();
}

} // namespace panolcd
