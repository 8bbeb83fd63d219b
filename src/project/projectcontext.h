#pragma once
// The process-wide state of the project model: the caches of the LCD fonts in use.

#include "common/installedservice.h"
#include "project/lcdfont.h"

namespace panolcd {

struct ProjectContext : InstalledService<ProjectContext> {
    TLCDFonts_Man fonts;
};

inline ProjectContext& ProjectCtx() {
    return ProjectContext::Installed();
}

} // namespace panolcd
