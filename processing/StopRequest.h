#pragma once

#include <atomic>

namespace lumora {

// A request to end a run between two pictures. It may be set from anywhere,
// a signal handler included: setting it is one lock-free store.
class StopRequest {
  public:
    void request() noexcept { requested_.store(true, std::memory_order_relaxed); }
    bool requested() const noexcept { return requested_.load(std::memory_order_relaxed); }
    void clear() noexcept { requested_.store(false, std::memory_order_relaxed); }

  private:
    static_assert(std::atomic<bool>::is_always_lock_free);
    std::atomic<bool> requested_{false};
};

}  // namespace lumora
