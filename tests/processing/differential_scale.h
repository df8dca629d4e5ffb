#pragma once

// How many random cases the differential tests draw. The sanitizer builds run several times
// slower, so they draw a fraction of the cases; every case stays replayable from its seed.

namespace mirovale::differential {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr int kDivisor = 8;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr int kDivisor = 8;
#else
inline constexpr int kDivisor = 1;
#endif
#else
inline constexpr int kDivisor = 1;
#endif

// `cases` for the normal build, a fraction (at least one) under the sanitizers.
constexpr int scaled(int cases) {
    return cases / kDivisor > 0 ? cases / kDivisor : 1;
}

}  // namespace mirovale::differential
