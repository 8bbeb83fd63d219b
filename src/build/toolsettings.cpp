#include "build/toolsettings.h"

#include "framework/environment/paramscanner.h"

namespace panolcd {

bool TCommandNameObject::ParseParam(const std::string& keyword) {
    if (MatchKeyword(keyword, "CMD|") != 1)
        return TNameObject::ParseParam(keyword);
    CMD = ScanWord().substr(0, kTemplateCap);
    return false;
}

std::string TCommandNameObject::BuildParamText() const {
    return TNameObject::BuildParamText() + " CMD=" + QuotedWord(CMD);
}

} // namespace panolcd
