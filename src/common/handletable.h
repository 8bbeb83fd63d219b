#pragma once
// 32-bit handles for objects whose reference must fit a 4-byte slot of a transfer buffer. A
// pointer does not fit there on every platform, and a handle of a freed object resolves to none
// instead of dangling. Handle 0 is none.

#include <cstdint>
#include <unordered_map>

namespace panolcd {

template <class T> class HandleTable {
public:
    static constexpr std::uint32_t kNone = 0;

    // The object's handle, the one it already has when registered before; kNone for nullptr.
    std::uint32_t Register(T* object) {
        if (object == nullptr)
            return kNone;
        if (const auto it = handles_.find(object); it != handles_.end())
            return it->second;
        while (next_ == kNone || objects_.contains(next_))
            ++next_;
        const std::uint32_t handle = next_++;
        objects_.emplace(handle, object);
        handles_.emplace(object, handle);
        return handle;
    }

    // nullptr for kNone and for handles not (or no longer) registered.
    T* Resolve(std::uint32_t handle) const {
        const auto it = objects_.find(handle);
        return it == objects_.end() ? nullptr : it->second;
    }

    void Release(std::uint32_t handle) {
        const auto it = objects_.find(handle);
        if (it == objects_.end())
            return;
        handles_.erase(it->second);
        objects_.erase(it);
    }

    // An object about to be freed gives up its handle.
    void ReleaseObject(const T* object) {
        const auto it = handles_.find(object);
        if (it == handles_.end())
            return;
        objects_.erase(it->second);
        handles_.erase(it);
    }

    std::size_t Size() const { return objects_.size(); }

private:
    std::unordered_map<std::uint32_t, T*> objects_;
    std::unordered_map<const T*, std::uint32_t> handles_;
    std::uint32_t next_ = 1;
};

} // namespace panolcd
