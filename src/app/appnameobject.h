#pragma once
// TAppNameObject: the "APP" settings entry — diagnostic mask, TXS flag, terminal type, toolbar
// style and the project to reopen at start.

#include "framework/environment/nameobject.h"

#include <cstdint>
#include <string>

namespace panolcd {

class TAppNameObject : public TNameObject {
public:
    explicit TAppNameObject(std::string_view name = "APP") : TNameObject(name) {}

    std::string_view ClassName() const override { return "TAppNameObject"; }
    bool ParseParam(const std::string& keyword) override;
    std::string BuildParamText() const override;

    // DM goes straight to the trace mask; these are the other keys.
    bool TXS = true;
    std::int32_t TER = 10; // 3: 128 x 64 display, 10: 240 x 128
    double RLE = 75;
    bool FTB = false;
    std::string PRJ; // the project or program opened last
};

} // namespace panolcd
