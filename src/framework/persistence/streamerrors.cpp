#include "framework/persistence/streamerrors.h"

#include "common/format.h"

namespace panolcd {

EFOpenError::EFOpenError(std::string_view fileName)
    : EStreamError(Format("Cannot open file %s", {fileName})) {}

EFCreateError::EFCreateError(std::string_view fileName)
    : EStreamError(Format("Cannot create file %s", {fileName})) {}

EClassNotFound::EClassNotFound(std::string_view className)
    : Exception(Format("Class %s not found", {className})) {}

EListError::EListError(int index) : Exception(Format("List index out of bounds (%d)", {index})) {}

} // namespace panolcd
