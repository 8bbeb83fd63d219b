// The program's main block: batch commands are decided before any Qt object exists; otherwise
// the settings are checked and the main window runs.

#include "app/batch.h"
#include "app/processcontext.h"
#include "app/startup.h"
#include "app/ui/mainwindow.h"
#include "app/version.h"
#include "build/ui/tooldialogs.h"
#include "common/cp1250.h"
#include "common/ui/filedialogs.h"
#include "designer/ui/screenwindow.h"
#include "framework/dataentry/ui/qtdialogport.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/msgbox.h"
#include "framework/environment/ui/debugmaskdialog.h"
#include "framework/environment/ui/qtclipboardport.h"
#include "framework/environment/ui/qtuserport.h"
#include "framework/exchange/ui/waitdialog.h"
#include "project/ui/picturereader.h"
#include "projectwindows/ui/rootwindow.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: panolcd [PROFILE | PROJECT.LCD | PROGRAM.PRG]\n"
    "       panolcd --generate PROJECT.LCD\n"
    "       panolcd --convert IN.LCD OUT.LCD\n"
    "       panolcd --render PROJECT.LCD --screen ID|all [--zoom 1|2|4] [--help-screen]\n"
    "               [--layers LIST] --out FILE|DIR\n"
    "       panolcd --import-image PICTURE OUT.BMP [--threshold N | --dither] [--crop]\n"
    "       panolcd --version | --help\n"
    "\n"
    "PROFILE selects the settings file: its name with the extension .INI\n"
    "(in the settings folder when it has no directory). Without it panolcd.INI\n"
    "in the settings folder is used: beside the program in a build folder;\n"
    "installed, $XDG_CONFIG_HOME/panolcd (~/.config/panolcd), made from the\n"
    "installed default at the first start. A project or program that exists\n"
    "and has no settings file of its own name (found as a profile would be)\n"
    "opens with the default settings.\n"
    "\n"
    "Batch commands run without a window and without a settings file; they read\n"
    "the program's description panolcd.APP (and --render its font panolcd.FNT):\n"
    "  --generate PROJECT.LCD    writes PROJECT.PRI and PROJECT.T10 beside the project\n"
    "                            (previous versions are kept as .~RI and .~10;\n"
    "                            SOURCE_DATE_EPOCH fixes the generation time)\n"
    "  --convert IN.LCD OUT.LCD  reads the project file IN and writes it as OUT\n"
    "                            (an existing OUT is kept as OUT.~CD)\n"
    "  --render PROJECT.LCD      draws the screen ID (its number or symbol) into FILE:\n"
    "                            .png as the designer shows it, .bmp as the LCD shows it;\n"
    "                            --screen all writes SYMBOL.png for every screen into DIR;\n"
    "                            --layers 0,1,2 shows those layers (default: the screen's)\n"
    "  --import-image PICTURE    makes an LCD bitmap (one-bit BMP, 240 x 128) of a PNG,\n"
    "                            JPEG, GIF or BMP: fitted whole, or --crop to fill the LCD;\n"
    "                            ink below --threshold N (default 128) or --dither\n"
    "Exit status 0 on success; 1 with one line on standard error on failure.\n"
    "\n"
    "PANOLCD_NO_DIALOGS set in the environment suppresses message boxes, file\n"
    "dialogs and record dialogs, for unattended runs.\n";

volatile std::sig_atomic_t terminationAsked = 0;

// The arguments are file names (or options): kept so that they find the same files.
std::vector<std::string> ArgumentsOf(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(panolcd::FileNameFromUtf8(argv[i]));
    return args;
}

bool HasQtOptions(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg.starts_with('-'))
            return true;
    }
    return false;
}

std::optional<std::string> CheckStart(const std::string& programPath,
                                      const std::vector<std::string>& args) {
    auto error = panolcd::PrepareStart(programPath, args);
    if (error)
        std::cerr << panolcd::FileNameToUtf8(*error) << '\n';
    return error;
}

} // namespace

int main(int argc, char** argv) {
    using namespace panolcd;
    ResetContext();
    std::vector<std::string> args = ArgumentsOf(argc, argv);

    if (!args.empty() && args[0] == "--version") {
        std::cout << kProgramTitle << ' ' << kProgramVersion << '\n';
        return EXIT_SUCCESS;
    }
    if (!args.empty() && args[0] == "--help") {
        std::cout << kUsage;
        return EXIT_SUCCESS;
    }
    SetPictureReader(&ReadPictureWithQt);
    if (IsBatchCommand(args)) {
        const int status = RunBatchCommand(ProgramPath(argv[0]), args, std::cerr);
        ReleaseContext();
        return status;
    }
    if (!args.empty() && args[0].rfind("--", 0) == 0) {
        std::cerr << "panolcd: unknown option " << argv[1] << '\n';
        return EXIT_FAILURE;
    }

    // A session that ends (or `kill`) asks the window to close; a second signal ends the
    // program at once. Batch commands keep the default.
    std::signal(SIGTERM, [](int) {
        std::signal(SIGTERM, SIG_DFL);
        terminationAsked = 1;
    });

    // Qt's own options (-platform xcb, -style ...) are Qt's to take out of the arguments before
    // the first one selects the settings. Without them the settings are checked before Qt opens
    // the display, so that a missing settings file is reported even where none can be opened.
    const std::string programPath = ProgramPath(argv[0]);
    const bool qtOptions = HasQtOptions(args);
    std::optional<std::string> startError;
    if (!qtOptions)
        startError = CheckStart(programPath, args);

    QApplication app(argc, argv);
    QApplication::setApplicationName(kProgramTitle);
    QApplication::setDesktopFileName("org.panolcd.PanoLCD");
    QApplication::setWindowIcon(QIcon(":/icons/panolcd.svg"));
    // Qt's own buttons and dialogs speak the program's language when Qt's Czech texts are
    // installed (Debian's qt6-translations-l10n).
    QTranslator qtTexts;
    if (qtTexts.load("qtbase_cs", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    // Qt takes the user's locale for everything; numbers in files and records stay C's.
    std::setlocale(LC_NUMERIC, "C");
    if (qtOptions) {
        args = ArgumentsOf(argc, argv);
        startError = CheckStart(programPath, args);
    }
    auto port = std::make_unique<QtUserPort>();
    QtUserPort* userPort = port.get();
    auto dialogs = std::make_unique<QtDialogPort>();
    QtDialogPort* dialogPort = dialogs.get();
    if (!std::getenv("PANOLCD_NO_DIALOGS")) {
        EnvCtx().user = std::move(port);
        EnvCtx().dialogs = std::move(dialogs);
    } else {
        SuppressFileDialogs(true);
    }
    EnvCtx().clipboard = std::make_unique<QtClipboardPort>();
    RegisterWaitDialog();
    RegisterDebugMaskDialog();
    RegisterToolDialogs();
    RegisterProjectWindows();
    RegisterScreenWindow();
    // Unattended runs step exchanges to their end without a window.
    QtWaitStepRunner waitRunner;
    if (!std::getenv("PANOLCD_NO_DIALOGS"))
        InstallStepRunner(&waitRunner);

    if (startError) {
        MsgBox("", *startError, mb::kIconError | mb::kOk);
        return EXIT_FAILURE;
    }

    int status = EXIT_FAILURE;
    {
        std::unique_ptr<TAppMainForm> mainForm;
        try {
            mainForm = std::make_unique<TAppMainForm>(args);
        } catch (const std::exception& e) {
            const std::string text = StartFailureText(e.what());
            std::cerr << FileNameToUtf8(text) << '\n';
            MsgBox("", text, mb::kIconError | mb::kOk);
            ReleaseContext();
            return EXIT_FAILURE;
        }
        userPort->SetMainWindow(mainForm.get());
        dialogPort->SetMainWindow(mainForm.get());
        waitRunner.SetMainWindow(mainForm.get());
        mainForm->show();
        // A termination asked for closes the window as the user would, once no dialog is
        // open: the close query runs and the settings are written.
        QTimer terminationWatch;
        QObject::connect(&terminationWatch, &QTimer::timeout, mainForm.get(), [&] {
            if (terminationAsked != 0 && QApplication::activeModalWidget() == nullptr) {
                terminationWatch.stop();
                mainForm->close();
            }
        });
        terminationWatch.start(200);
        status = QApplication::exec();
        std::signal(SIGTERM, SIG_DFL);
    }
    InstallStepRunner(nullptr);
    ReleaseContext();
    return status;
}
