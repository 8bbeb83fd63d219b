#include "app/mainformsession.h"

#include "app/version.h"
#include "framework/environment/context.h"
#include "framework/environment/paramtrace.h"
#include "framework/environment/trace.h"

namespace panolcd {

namespace {
constexpr const char* kMainFormClass = "TAppMainForm";
}

MainFormSession::MainFormSession(const std::vector<std::string>& args) {
    TraceLine(0, std::string(kProgramTitle) + " " + kProgramVersion);
    std::string commandLine = Ctx().settings.exePath;
    for (std::size_t i = 0; i < 3; ++i)
        commandLine += " " + (i < args.size() ? args[i] : std::string());
    TraceLine(0, commandLine);

    // Without a DM key every category but bit 31 is on.
    SetTraceMask(kDefaultTraceMask);
    appSettings_ = MakeTracedParamObject<TAppNameObject>("APP");
    Ctx().trace.txs = appSettings_->TXS;

    if (TraceEnabled(1))
        TraceLine(0, std::string(kMainFormClass) + ".FormCreate  Entry" + MemoryReportText());
    Ctx().app.InitEnvironment();
}

MainFormSession::~MainFormSession() {
    appSettings_->TXS = Ctx().trace.txs;
    try {
        appSettings_->WriteParamToINI();
    } catch (const std::exception& e) {
        // The program is closing; the settings stay as they were on disk.
        TraceError(0, std::string("APP: ") + e.what());
    }
    appSettings_.reset();
    if (TraceEnabled(1))
        TraceLine(0, std::string(kMainFormClass) + ".FormDestroy Exit " + MemoryReportText());
}

} // namespace panolcd
