#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace mirovale {

// Every sized buffer of the records is requested through this seam. A test can arm it to fail
// the k-th request from now on, so that each "no memory" path runs and shows its message.
// The counters are per thread: arming it in a test never affects worker threads.
class AllocationProbe {
public:
    // k : 1-based request to fail, counted from this call; 0 disarms
    static void failAt(int k) noexcept;
    // Counts one request; true when it is the one armed to fail.
    [[nodiscard]] static bool shouldFail() noexcept;
    // Requests counted since the last failAt.
    [[nodiscard]] static int requests() noexcept;
    // Counts `n` requests served without allocating (by storage kept from an earlier call),
    // which is allowed only while none of them is the one armed to fail (armedWithin).
    static void countServed(int n) noexcept;
    // Whether one of the next `n` requests is armed to fail.
    [[nodiscard]] static bool armedWithin(int n) noexcept;
};

// Arms the probe for one scope and disarms it on leaving.
class ScopedAllocationFailure {
public:
    explicit ScopedAllocationFailure(int k) noexcept { AllocationProbe::failAt(k); }
    ~ScopedAllocationFailure() { AllocationProbe::failAt(0); }
    ScopedAllocationFailure(const ScopedAllocationFailure&) = delete;
    ScopedAllocationFailure& operator=(const ScopedAllocationFailure&) = delete;
};

// Runs `fill` as one allocation request: false when the probe fails it or memory runs out.
template <class Fill>
[[nodiscard]] bool tryAllocate(Fill&& fill) {
    if (AllocationProbe::shouldFail()) return false;
    try {
        fill();
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// Makes `v` hold n copies of `value` (reusing its capacity), as one allocation request.
template <class T>
[[nodiscard]] bool tryAssign(std::vector<T>& v, std::size_t n, const T& value = T{}) {
    return tryAllocate([&] { v.assign(n, value); });
}

}  // namespace mirovale
