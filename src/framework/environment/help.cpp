#include "framework/environment/help.h"

#include "common/paths.h"
#include "framework/environment/envcontext.h"
#include "framework/environment/trace.h"

namespace panolcd {

std::string HelpTopicPage(int topic) {
    const std::string page =
        ExtractFilePath(EnvCtx().app.HelpFile) + "topic" + std::to_string(topic) + ".html";
    if (FileExistsAnyCase(page))
        return ExistingSpelling(page);
    TraceLine(0, "Help topic " + std::to_string(topic) + ": " + page + " not found");
    return {};
}

} // namespace panolcd
