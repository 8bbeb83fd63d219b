#include "common/rounding.h"

#include <cfenv>
#include <cmath>

namespace panolcd {

double PascalRound(double value) {
    // nearbyint follows the current rounding mode, which is to-nearest-even unless changed.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    return rounded;
}

} // namespace panolcd
