#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/processing/local_fit.h"
#include "core/processing/local_fit_sweep.h"
#include "core/synthesis/pulse_header.h"

namespace mirovale {

// The fit plan of a list of etalons, kept for the next calls with the same list, level, pulse
// length and etalon samples: a simulation processes every series with the same ones, and
// alphabet recognition alternates between a few lists, so each is prepared once.
// A list is prepared without its repeats (first occurrences in list order): a repeated etalon
// fits exactly as its first occurrence did and, coming later, never replaces it, so the fits
// are the same with a plan a fraction of the size (the lists a simulation hands over are the
// etalons of its pulses, mostly one or two etalons repeated).
// A cache is used by one thread at a time (the routines keep one per thread).
class FitPlanCache {
public:
    // The plan of makeFitPlan over makeFitCandidates for these arguments without repeated
    // numbers, prepared now unless held. May throw std::bad_alloc (the cache then holds nothing
    // half made).
    template <class Number>
    const FitPlan& get(const EtalonTable& etalons, std::span<const Number> numbers, std::uint16_t L,
                       std::uint16_t wLevel);

    // Lists held; the least recently used is replaced first, so that the plans of up to
    // kEntries lists asked for one after another all stay held.
    static constexpr std::size_t kEntries = 4;

private:
    struct Entry {
        bool valid = false;
        std::uint64_t used = 0;  // when it was last asked for
        std::vector<std::int64_t> numbers;
        std::uint16_t L = 0;
        std::uint16_t wLevel = 0;
        EtalonTable etalons{};  // the samples the plan was made from
        FitPlan plan;
    };

    static bool holds(const Entry& entry, const EtalonTable& etalons,
                      std::span<const std::int64_t> numbers, std::uint16_t L, std::uint16_t wLevel);

    std::array<Entry, kEntries> entries_;
    std::vector<std::int64_t> distinct_;  // the asked list without repeats
    std::uint64_t asked_ = 0;             // calls of get so far
};

// The members of subsets prepared as makeSubsetCandidates makes them, with one single-member
// plan each, kept for the next call with the same subsets, level, pulse length and member
// samples (the tuple routines of a simulation ask for the same ones every series).
class SubsetPlanCache {
public:
    struct Prepared {
        std::vector<std::vector<FitCandidate>> members;  // per subset, over the cache's etalons
        std::vector<std::vector<FitPlan>> plans;         // per subset, one per member
    };

    // May throw std::bad_alloc (the cache then holds nothing half made).
    const Prepared& get(const EtalonTable& etalons,
                        std::span<const std::span<const std::uint32_t>> subsets, std::uint16_t L,
                        std::uint16_t wLevel);

private:
    bool holds(const EtalonTable& etalons, std::span<const std::span<const std::uint32_t>> subsets,
               std::uint16_t L, std::uint16_t wLevel) const;

    bool valid_ = false;
    std::vector<std::vector<std::uint32_t>> subsets_;
    std::uint16_t L_ = 0;
    std::uint16_t wLevel_ = 0;
    EtalonTable etalons_{};
    Prepared prepared_;
};

}  // namespace mirovale
