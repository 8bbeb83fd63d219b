#pragma once
// The process-wide state of the project model: the LCD size and the caches of the LCD fonts and
// bitmaps in use.

#include "common/installedservice.h"
#include "project/lcdbitmap.h"
#include "project/lcdfont.h"

namespace panolcd {

struct ProjectContext : InstalledService<ProjectContext> {
    // From the terminal type (TER); 240 × 128 until it is read.
    LcdSize lcdSize;
    TLCDFonts_Man fonts;
    TLCDBitmaps_Man bitmaps;
};

inline ProjectContext& ProjectCtx() {
    return ProjectContext::Installed();
}

} // namespace panolcd
