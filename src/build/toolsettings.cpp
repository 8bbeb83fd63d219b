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
    // A template holding a single quote is written in double quotes, so that it reads back.
    const char quote = CMD.find('\'') != std::string::npos ? '"' : '\'';
    return TNameObject::BuildParamText() + " CMD=" + quote + CMD + quote;
}

} // namespace panolcd
