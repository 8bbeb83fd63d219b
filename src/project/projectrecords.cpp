#include "project/projectrecords.h"

#include "common/text.h"

namespace panolcd {

bool IsDefaultVariantSym(std::string_view symbol) {
    return SameTextAscii(symbol, "else");
}

} // namespace panolcd
