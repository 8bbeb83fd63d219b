#pragma once
// Rounding as the terminal's tools do it: to nearest, halves to even.

namespace panolcd {

double PascalRound(double value);

} // namespace panolcd
