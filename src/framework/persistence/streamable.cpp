#include "framework/persistence/streamable.h"

#include "common/format.h"
#include "framework/persistence/objstream.h"

namespace panolcd {

void TrbStreamable::Assign(const TrbStreamable& source) {
    throw Exception(Format("Cannot assign a %s to a %s", {source.ClassName(), ClassName()}));
}

std::unique_ptr<TrbStreamable> CloneStreamable(const TrbStreamable& object) {
    TrbMemoryObjStream stream;
    try {
        stream.OpenWrite();
        stream.Put(&object);
        stream.Close();
    } catch (const std::exception&) {
        return nullptr; // a copy that cannot be written is simply not made
    }
    stream.OpenRead();
    auto copy = stream.Get();
    stream.Close();
    return copy;
}

} // namespace panolcd
