#pragma once
// A time bound for work that must end promptly: when the scope is not left in time the process
// ends with a failure, so that a loop that runs for minutes fails the test run instead of
// hanging it.

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace panolcd::testing {

class Deadline {
public:
    Deadline(std::chrono::seconds limit, const char* what)
        : thread_([this, limit, what] {
              std::unique_lock<std::mutex> lock(mutex_);
              if (!left_.wait_for(lock, limit, [this] { return done_; })) {
                  std::fprintf(stderr, "%s: not done after %lld s\n", what,
                               static_cast<long long>(limit.count()));
                  std::fflush(stderr);
                  std::_Exit(EXIT_FAILURE);
              }
          }) {}
    ~Deadline() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        left_.notify_one();
        thread_.join();
    }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable left_;
    bool done_ = false;
    std::thread thread_; // last: starts once the rest is made
};

} // namespace panolcd::testing
