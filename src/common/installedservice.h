#pragma once
// The process-wide state of a subsystem lives in one object of its own type, which the
// application's process context owns. A subsystem reaches its object through Installed(); the
// object is installed while it lives, from before its members are made until after they are
// gone, so that their destructors still find it.

#include <stdexcept>

namespace panolcd {

template <class T> class InstalledService {
public:
    InstalledService(const InstalledService&) = delete;
    InstalledService& operator=(const InstalledService&) = delete;

    // The object of the process context; fails when none is installed (no context was made).
    static T& Installed() {
        if (current_ == nullptr)
            throw std::logic_error("no process context");
        return *current_;
    }

protected:
    InstalledService() : previous_(current_) { current_ = static_cast<T*>(this); }
    ~InstalledService() { current_ = previous_; }

private:
    static inline T* current_ = nullptr;
    T* previous_;
};

} // namespace panolcd
