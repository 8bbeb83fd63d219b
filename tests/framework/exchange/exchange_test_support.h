#pragma once
// Helpers shared by the token reader and writer tests.

#include "framework/environment/ports.h"

#include <string>

namespace panolcd::testing {

// A system clipboard that counts how it is used.
class FakeClipboardPort final : public ClipboardPort {
public:
    std::string text;
    bool holdsText = false;
    int sets = 0;

    std::string Text() const override { return text; }
    void SetText(const std::string& t) override {
        text = t;
        holdsText = !t.empty();
        ++sets;
    }
    bool HasText() const override { return holdsText; }
};

} // namespace panolcd::testing
