#pragma once
// Creation of the program's settings objects, traced when bit 0 of the diagnostic mask is on.

#include "framework/environment/nameobject.h"

#include <memory>
#include <utility>

namespace panolcd {

// Reads the entry of a freshly constructed object and traces the outcome:
// "<name>:<class>/<class>.Create " then "OK" or "ERROR" and "<name>:<class>=[<text>]", or
// "(inherited)" for an object without a name. Returns the error flag.
bool ReadEntryTraced(TNameObject& object);

template <class T, class... Args> std::unique_ptr<T> MakeTracedParamObject(Args&&... args) {
    auto object = std::make_unique<T>(std::forward<Args>(args)...);
    ReadEntryTraced(*object);
    return object;
}

} // namespace panolcd
