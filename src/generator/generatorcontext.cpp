#include "generator/generatorcontext.h"

#include "generator/syntaxparser.h"

namespace panolcd {

GeneratorContext::GeneratorContext() = default;
GeneratorContext::~GeneratorContext() = default;

} // namespace panolcd
