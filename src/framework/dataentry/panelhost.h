#pragma once
// What a reference validator needs of its record window: the buffer of one of its panels, and
// showing or clearing that panel.

#include "framework/dataentry/validator.h"

namespace panolcd {

class PanelHost {
public:
    virtual ~PanelHost() = default;
    // The panel's transfer buffer; empty when the window has none for it.
    virtual TrBuffer PanelBuffer(int panel) = 0;
    virtual void ShowPanel(int panel) = 0;
    virtual void ClearPanel(int panel) = 0;
};

} // namespace panolcd
