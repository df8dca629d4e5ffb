#include "core/host/allocation.h"

namespace mirovale {
namespace {
thread_local int armedRequest = 0;
thread_local int requestCount = 0;
}  // namespace

void AllocationProbe::failAt(int k) noexcept {
    armedRequest = k;
    requestCount = 0;
}

bool AllocationProbe::shouldFail() noexcept {
    ++requestCount;
    return armedRequest > 0 && requestCount == armedRequest;
}

int AllocationProbe::requests() noexcept {
    return requestCount;
}

}  // namespace mirovale
