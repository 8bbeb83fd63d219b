#include "app/mainformsession.h"

#include "app/version.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/paramtrace.h"
#include "framework/environment/trace.h"
#include "project/lcdbitmap.h"

#include <exception>
#include <initializer_list>

namespace panolcd {

namespace {
constexpr const char* kMainFormClass = "TAppMainForm";
}

MainFormSession::MainFormSession(const std::vector<std::string>& args) {
    TraceLine(0, std::string(kProgramTitle) + " " + kProgramVersion);
    std::string commandLine = EnvCtx().settings.exePath;
    for (std::size_t i = 0; i < 3; ++i)
        commandLine += " " + (i < args.size() ? args[i] : std::string());
    TraceLine(0, commandLine);

    // Without a DM key every category but bit 31 is on.
    SetTraceMask(kDefaultTraceMask);
    appSettings_ = MakeTracedParamObject<TAppNameObject>("APP");
    // A document named on the command line is what the start opens, and then the last one.
    if (!EnvCtx().settings.startDocument.empty())
        appSettings_->PRJ = EnvCtx().settings.startDocument;
    EnvCtx().trace.txs = appSettings_->TXS;
    ApplyTerminalType(appSettings_->TER);
    compilerSettings_ = MakeTracedParamObject<TWCompilerNameObject>("WCOMPILE");
    loaderSettings_ = MakeTracedParamObject<TVSLoaderNameObject>("VSLOADER");
    const char* const editorEntries[] = {"ED_PRG", "ED_PRI", "ED_PANO"};
    for (std::size_t i = 0; i < editorSettings_.size(); ++i)
        editorSettings_[i] = MakeTracedParamObject<TPanoEditNameObject>(editorEntries[i]);

    if (TraceEnabled(1))
        TraceLine(0, std::string(kMainFormClass) + ".FormCreate  Entry" + MemoryReportText());
    EnvCtx().app.InitEnvironment();
}

MainFormSession::~MainFormSession() {
    appSettings_->TXS = EnvCtx().trace.txs;
    // Freed in reverse order of creation; each writes its entry when it asks for updating.
    for (TNameObject* settings : std::initializer_list<TNameObject*>{
             editorSettings_[2].get(), editorSettings_[1].get(), editorSettings_[0].get(),
             loaderSettings_.get(), compilerSettings_.get(), appSettings_.get()}) {
        try {
            settings->WriteParamToINI();
        } catch (const std::exception& e) {
            // The program is closing; the settings stay as they were on disk.
            TraceError(0, settings->GetKeyName() + ": " + e.what());
        }
    }
    for (auto& settings : editorSettings_)
        settings.reset();
    loaderSettings_.reset();
    compilerSettings_.reset();
    appSettings_.reset();
    if (TraceEnabled(1))
        TraceLine(0, std::string(kMainFormClass) + ".FormDestroy Exit " + MemoryReportText());
}

} // namespace panolcd
