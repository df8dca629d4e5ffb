#include "core/simulation/noise_jump.h"

namespace mirovale {

std::uint16_t uniformStateAfter(std::uint16_t state, std::uint64_t steps) noexcept {
    if (steps == 0) return state;
    // x -> a x + c modulo 2^15, the step of nextUniform; (a, c) squares to (a^2, a c + c).
    constexpr std::uint32_t kMask = 0x7FFFu;
    std::uint32_t a = 12869u, c = 6925u;
    std::uint32_t A = 1u, C = 0u;  // the steps taken so far: x -> A x + C
    for (; steps != 0; steps >>= 1) {
        if ((steps & 1u) != 0) {
            A = (a * A) & kMask;
            C = (a * C + c) & kMask;
        }
        c = (a * c + c) & kMask;
        a = (a * a) & kMask;
    }
    return static_cast<std::uint16_t>((A * state + C) & kMask);
}

}  // namespace mirovale
