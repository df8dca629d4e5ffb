#include "core/synthesis/pulse_alphabet.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <string>

#include "core/host/allocation.h"
#include "core/host/format_text.h"

namespace mirovale {
namespace {

// The constants as the shapes were designed with, not the exact values of pi and 2 pi.
constexpr double kPi = 3.141592654;
constexpr double kTwoPi = 6.283185308;

// Rise of the damped oscillation (record 6) and of the exponential pulse (record 8).
std::int32_t oscillationRise(std::int32_t L) {
    return (2 * L + 4) / 8;
}
std::int32_t exponentialRise(std::int32_t L) {
    return (2 * L + 4) / 8 - 1;
}

// Least etalon length whose damped records, among the first P, have a rise of at least 1.
std::uint16_t leastEtalonLength(std::uint16_t P) {
    if (P > 8) return 6;
    if (P > 6) return 2;
    return 1;
}

std::int16_t truncated(double x) {
    return static_cast<std::int16_t>(static_cast<std::int32_t>(x));
}

void releaseSamples(PulseHeader& pulse) {
    std::vector<std::int16_t>().swap(pulse.lpData);
    pulse.wMaxSize = 0;
}

// Pass 1: every record gets room for L samples, reusing arrays that are large enough.
bool prepareStorage(Host& host, std::uint16_t P, std::uint16_t L, EtalonTable& table) {
    for (std::uint16_t i = 0; i < P; ++i) {
        PulseHeader& pulse = table[i];
        if (!pulse.lpData.empty() && pulse.wMaxSize < L) {
            // "Freeing memory in advance!", caption "Debugging".
            if (i == 0)
                host.messageBox("Предварительное освобождение памяти!", "Отладка",
                                MessageIcon::Exclamation);
            releaseSamples(pulse);
        }
        if (pulse.lpData.empty()) {
            if (!tryAssign(pulse.lpData, L, std::int16_t{0})) {
                // "Cannot allocate memory!"
                host.messageBox("Не могу выделить память!", "", MessageIcon::Exclamation);
                for (std::uint16_t j = 0; j < i; ++j) releaseSamples(table[j]);
                return false;
            }
            pulse.wMaxSize = L;
        }
        pulse.wSize = L;
        pulse.wNumber = static_cast<std::uint16_t>(i + 1);
    }
    return true;
}

// sample k = trunc(sin(phase) * amplitude), the phase advanced by h before each sample.
void sinePulse(std::int32_t amplitude, double h, std::span<std::int16_t> target) {
    double phase = 0;
    for (auto& sample : target) {
        phase += h;
        sample = truncated(std::sin(phase) * amplitude);
    }
}

void randomPulse(std::uint16_t& state, std::int32_t A, std::span<std::int16_t> target) {
    const auto sd = static_cast<std::int16_t>(A / 2);
    for (auto& sample : target) {
        // The deviation is taken before its cut to 16 bits, so a large amplitude clamps
        // instead of wrapping.
        std::int32_t x = normalDeviation(state, sd);
        if (x > A - 1) x = A - 1;
        if (x < -A) x = -A;
        sample = static_cast<std::int16_t>(x);
    }
}

// Pass 2: the shapes. Odd records below 10 negate the record before them.
void fillShapes(Host& host, GeneratorStates& states, std::int32_t A, std::uint16_t P,
                std::uint16_t L, EtalonTable& table) {
    const std::int32_t l = L;
    for (std::uint16_t i = 0; i < P; ++i) {
        const std::span<std::int16_t> x(table[i].lpData.data(), L);
        switch (i) {
            case 0:
                std::fill(x.begin(), x.end(), kRectangleHeight);
                break;
            case 2:
                sinePulse((2 * A) / 3 - 1, kPi / (l + 1), x);
                break;
            case 4:
                sinePulse((kRectangleHeight * 1414) / 1000, kTwoPi / (l + 1), x);
                break;
            case 6:
                dampedPulse(host, A * 6 / 5 + 2, oscillationRise(l), 4, L, true, x);
                break;
            case 8:
                dampedPulse(host, (7 * A + 4) / 8 + 6, exponentialRise(l), 4, L, false, x);
                break;
            case 1:
            case 3:
            case 5:
            case 7:
            case 9:
                resampleNegated(L, table[i - 1].lpData, L, x);
                break;
            default:
                randomPulse(states.wShapeSeed, A, x);
                break;
        }
    }
}

}  // namespace

int createPulses(Host& host, GeneratorStates& states, std::uint16_t A, std::uint16_t P,
                 std::uint16_t L, EtalonTable& table) {
    if (P < 1 || P > table.size()) {
        // "Invalid number of etalons: %d (allowed 1 to %d)!"
        host.messageBox(formatText("Недопустимое число эталонов: %d (допустимо от 1 до %d)!",
                                   static_cast<int>(P), static_cast<int>(table.size())),
                        " createPulses ", MessageIcon::Exclamation);
        return 0;
    }
    // The damped records divide by their rise, which is 0 for short etalons.
    if (L < leastEtalonLength(P)) {
        // "Etalon length %d is too short: %d etalons need at least %d samples!"
        host.messageBox(
            formatText("Длина эталона %d слишком мала: для %d эталонов нужно не менее %d!",
                       static_cast<int>(L), static_cast<int>(P),
                       static_cast<int>(leastEtalonLength(P))),
            " createPulses ", MessageIcon::Exclamation);
        return 0;
    }
    if (!prepareStorage(host, P, L, table)) return 0;
    fillShapes(host, states, A, P, L, table);
    return 1;
}

int dampedPulse(Host& host, std::int32_t a, std::int32_t r, std::int32_t c, std::uint16_t n,
                bool withSine, std::span<std::int16_t> target) {
    if (r < 1) {
        // "Pulse rise %d: it must be at least 1 sample!"
        host.messageBox(
            formatText("Нарастание импульса %d: нужно не менее 1 отсчёта!", static_cast<int>(r)),
            " dampedPulse ", MessageIcon::Exclamation);
        return 0;
    }
    assert(target.size() >= n);
    if (n == 0) return 1;
    const double step = c * kTwoPi / n;
    const double up = -8.0 / r;
    // A rise reaching the pulse's end leaves nothing to decay.
    const double down = r < n ? 4.0 / (n - r) : 0.0;
    double phase = 0;
    for (std::int32_t k = 0; k < n; ++k) {
        const double e = k < r ? 1 - std::exp(k * up) : std::exp(-down * (k - r));
        target[static_cast<std::size_t>(k)] =
            withSine ? truncated(std::sin(phase) * (a * e)) : truncated(a * e);
        phase += step;
    }
    return 1;
}

void resamplePulse(std::uint16_t S, std::span<const std::int16_t> source, std::uint16_t D,
                   std::span<std::int16_t> target) {
    assert(source.size() >= S && target.size() >= D);
    if (D == 0 || S == 0) return;
    // Products of a sample difference and the accumulator need more than 32 bits for long
    // pulses.
    const std::int64_t s = S;
    const std::int64_t d = D;
    if (S == 1) {
        // Nothing to interpolate between; the general rule would read past the source.
        std::fill_n(target.begin(), D, source[0]);
        return;
    }
    if (d >= s) {
        std::int64_t acc = 0;
        std::int64_t prev = source[0];
        std::size_t j = 1;
        for (std::int64_t i = 0; i <= d - 2; ++i) {
            target[static_cast<std::size_t>(i)] =
                static_cast<std::int16_t>(prev + (source[j] - prev) * acc / (d - 1));
            acc += s - 1;
            if (acc >= d - 1) {
                acc -= d - 1;
                prev = source[j];
                ++j;
            }
        }
    } else {
        target[0] = source[0];
        std::int64_t acc = 0;
        std::size_t j = 0;
        for (std::int64_t i = 1; i <= d - 2; ++i) {
            acc += s - 1;
            while (acc >= d - 1) {
                acc -= d - 1;
                ++j;
            }
            target[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(
                source[j] + std::int64_t{source[j + 1] - source[j]} * acc / (d - 1));
        }
    }
    target[D - 1] = source[S - 1];
}

void resampleNegated(std::uint16_t S, std::span<const std::int16_t> source, std::uint16_t D,
                     std::span<std::int16_t> target) {
    resamplePulse(S, source, D, target);
    for (std::size_t i = 0; i < D; ++i)
        target[i] = static_cast<std::int16_t>(-static_cast<std::int32_t>(target[i]));
}

}  // namespace mirovale
