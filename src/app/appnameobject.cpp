#include "app/appnameobject.h"

#include "common/format.h"
#include "common/rounding.h"
#include "framework/environment/paramscanner.h"
#include "framework/environment/trace.h"

namespace panolcd {

bool TAppNameObject::ParseParam(const std::string& keyword) {
    const int item = MatchKeyword(keyword, "DM |TXS|TER|RLE|FTB|PRJ");
    if (item == 0)
        return TNameObject::ParseParam(keyword);
    if (item == 6) {
        PRJ = ScanWord();
        return false;
    }
    const std::optional<std::int32_t> value = ScanInteger();
    if (!value)
        return true;
    switch (item) {
    case 1:
        SetTraceMask(static_cast<std::uint32_t>(*value));
        break;
    case 2:
        TXS = *value == 1;
        break;
    case 3:
        if (*value == 3 || *value == 10)
            TER = *value;
        break;
    case 4:
        RLE = *value;
        break;
    case 5:
        FTB = *value != 0;
        break;
    }
    return false;
}

std::string TAppNameObject::BuildParamText() const {
    return TNameObject::BuildParamText() +
           Format(" DM=$%.8X TXS=%d TER=%d RLE=%d FTB=%d PRJ=",
                  {TraceMask(), TXS ? 1 : 0, TER, static_cast<long long>(PascalRound(RLE)),
                   FTB ? 1 : 0}) +
           QuotedWord(PRJ);
}

} // namespace panolcd
