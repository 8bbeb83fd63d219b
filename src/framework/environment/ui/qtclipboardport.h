#pragma once
// The clipboard port in Qt: the system clipboard's plain text, converted to and from
// Windows-1250.

#include "framework/environment/ports.h"

namespace panolcd {

class QtClipboardPort final : public ClipboardPort {
public:
    std::string Text() const override;
    void SetText(const std::string& text) override;
    bool HasText() const override;
};

} // namespace panolcd
