#pragma once
// The process-wide table from class name to factory, through which streams construct the
// objects they read. Classes are registered explicitly at start-up (self-registering statics can
// be dropped by the linker). It is static configuration and is never reset.

#include "framework/persistence/streamable.h"

#include <memory>
#include <string_view>

namespace panolcd {

// Produces a default-constructed object: every field zero or empty, InitDefaults not yet run.
using StreamableFactory = std::unique_ptr<TrbStreamable> (*)();

class ClassRegistry {
public:
    // A name registered again gets the newer factory.
    static void Register(std::string_view className, StreamableFactory factory);
    // Names compare without regard to ASCII letter case; nullptr when absent.
    static StreamableFactory Find(std::string_view className);
    // Fails with "Class %s not found".
    static StreamableFactory Lookup(std::string_view className);
    static std::unique_ptr<TrbStreamable> Construct(std::string_view className);
};

template <class T> void RegisterClass() {
    ClassRegistry::Register(
        T().ClassName(), []() -> std::unique_ptr<TrbStreamable> { return std::make_unique<T>(); });
}

} // namespace panolcd
