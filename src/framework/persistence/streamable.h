#pragma once
// The base of every persistent object, and the helpers that build objects in two steps: C++ does
// not dispatch virtual calls from constructors, so defaults are set by InitDefaults after
// construction (a constructed object has all fields zero or empty).

#include "framework/persistence/streamerrors.h"

#include <memory>
#include <string>
#include <utility>

namespace panolcd {

class TrbObjStream;

class TrbStreamable {
public:
    virtual ~TrbStreamable() = default;

    // The name stored in streams and looked up in the class registry.
    virtual std::string ClassName() const = 0;

    // Copies another object's content into this one. The base refuses every source.
    virtual void Assign(const TrbStreamable& source);

    virtual void InitDefaults() {}
    virtual void SaveToStream(TrbObjStream& stream) const = 0;
    // Reads what SaveToStream wrote, in the same order.
    virtual void LoadFromStream(TrbObjStream& stream) = 0;

    virtual std::string ObjectText() const { return {}; }

protected:
    TrbStreamable() = default;
    TrbStreamable(const TrbStreamable&) = default;
    TrbStreamable& operator=(const TrbStreamable&) = default;
};

// Constructs an object and sets its defaults.
template <class T, class... A> std::unique_ptr<T> Create(A&&... args) {
    auto object = std::make_unique<T>(std::forward<A>(args)...);
    object->InitDefaults();
    return object;
}

// Constructs an object, sets its defaults and reads it from the stream.
template <class T> std::unique_ptr<T> Load(TrbObjStream& stream) {
    auto object = Create<T>();
    object->LoadFromStream(stream);
    return object;
}

template <class T> std::unique_ptr<T> CreateCopy(const TrbStreamable& source) {
    auto object = Create<T>();
    object->Assign(source);
    return object;
}

// The object as a T, for callers that expect one class. Nil passes; another class fails with
// "Invalid class typecast".
template <class T> T* StreamableAs(TrbStreamable* object) {
    if (object == nullptr)
        return nullptr;
    auto* typed = dynamic_cast<T*>(object);
    if (typed == nullptr)
        throw EInvalidCast();
    return typed;
}

template <class T> const T* StreamableAs(const TrbStreamable* object) {
    return StreamableAs<T>(const_cast<TrbStreamable*>(object));
}

// Takes ownership as a T; on a class mismatch the object is destroyed and the cast fails.
template <class T> std::unique_ptr<T> StreamableAs(std::unique_ptr<TrbStreamable> object) {
    T* typed = StreamableAs<T>(object.get());
    object.release();
    return std::unique_ptr<T>(typed);
}

// A deep copy through a memory object stream. Nil when the object cannot be written; errors
// while reading the copy back propagate.
std::unique_ptr<TrbStreamable> CloneStreamable(const TrbStreamable& object);

template <class T> std::unique_ptr<T> CloneAs(const T& object) {
    return StreamableAs<T>(CloneStreamable(object));
}

} // namespace panolcd
