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

void AllocationProbe::countServed(int n) noexcept {
    requestCount += n;
}

bool AllocationProbe::armedWithin(int n) noexcept {
    return armedRequest > requestCount && armedRequest <= requestCount + n;
}

}  // namespace mirovale
