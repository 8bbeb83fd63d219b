#pragma once
// panolcd --render: screens of a project drawn by the designer's own renderer into files, PNG as
// the designer shows them or one-bit BMP as the terminal shows them.

#include <ostream>
#include <string>
#include <vector>

namespace panolcd {

// `args` follow "--render"; answers the exit status, the failure on one line of `err`.
int RenderCommand(const std::vector<std::string>& args, std::ostream& err);

} // namespace panolcd
