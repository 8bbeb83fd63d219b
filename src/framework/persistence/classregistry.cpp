#include "framework/persistence/classregistry.h"

#include "common/text.h"

#include <map>
#include <string>

namespace panolcd {
namespace {

struct CaseLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        return CompareTextAscii(a, b) < 0;
    }
};

std::map<std::string, StreamableFactory, CaseLess>& Table() {
    static std::map<std::string, StreamableFactory, CaseLess> table;
    return table;
}

} // namespace

void ClassRegistry::Register(std::string_view className, StreamableFactory factory) {
    Table().insert_or_assign(std::string(className), factory);
}

StreamableFactory ClassRegistry::Find(std::string_view className) {
    const auto& table = Table();
    const auto it = table.find(className);
    return it == table.end() ? nullptr : it->second;
}

StreamableFactory ClassRegistry::Lookup(std::string_view className) {
    const StreamableFactory factory = Find(className);
    if (factory == nullptr)
        throw EClassNotFound(className);
    return factory;
}

std::unique_ptr<TrbStreamable> ClassRegistry::Construct(std::string_view className) {
    return Lookup(className)();
}

} // namespace panolcd
