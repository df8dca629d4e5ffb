#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/synthesis/pulse_header.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// The part of a series the processing reads: its noisy samples and the starts a pulse may take.
struct SeriesView {
    std::span<const std::int16_t> x;  // noisy samples, N of them
    std::uint16_t L = 0;              // pulse length
    // Number of starts 0..starts-1 at which a whole pulse fits (N - L + 1), kept to the 16-bit
    // signed positions the series stores; 0 when no pulse fits.
    std::size_t starts = 0;
};

// The view of `series`; N is never taken beyond the samples the record holds.
SeriesView viewOf(const SeriesHeader& series);

// The largest magnitude among `samples` (0 for none).
std::int64_t samplePeak(std::span<const std::int16_t> samples);

// One etalon prepared for the local fit.
struct FitCandidate {
    std::int32_t etalonIndex = 0;           // etalon number - 1
    std::span<const std::int16_t> samples;  // its first L samples
    std::vector<std::int64_t> energy;       // P[j]: energy of samples 0..j-1, j = 0..L
    std::int64_t threshold = 0;             // h = P[L] * level / 100, truncated
};

// A list of candidates without its repeats. Candidates of one etalon made for the same pulse
// length and level are the same candidate, so a repeated etalon fits, and is recognised, exactly
// as its first listing: the routines that try each candidate try it once and offer its result
// again where it is listed again.
struct DistinctCandidates {
    std::vector<std::size_t> firsts;  // list positions of each etalon's first listing, ascending
    std::vector<std::size_t> of;      // per list position: its etalon's index in firsts
    std::vector<bool> repeated;       // per index in firsts: whether the etalon is listed again
};

DistinctCandidates distinctCandidates(std::span<const FitCandidate> candidates);

// The best fit at one start.
struct LocalFit {
    std::int64_t score = 0;        // sum over the piece of e[m] * (e[m] - 2 x[t + m])
    std::int32_t etalonIndex = 0;  // etalon number - 1
    std::int32_t begin = 0;        // first etalon sample of the piece
    std::int32_t end = 0;          // last etalon sample of the piece
};

// Prepares the listed etalons, in list order. Numbers outside the table or etalons holding
// fewer than L samples are left out.
// numbers : etalon numbers from 1
// L       : pulse length of the series
// wLevel  : saved energy percent for processing
template <class Number>
std::vector<FitCandidate> makeFitCandidates(const EtalonTable& etalons,
                                            std::span<const Number> numbers, std::uint16_t L,
                                            std::uint16_t wLevel);

// Prepares the members of a subset, one candidate per entry in subset order; none at all when
// an entry names no usable etalon (such a subset is not tried).
std::vector<FitCandidate> makeSubsetCandidates(const EtalonTable& etalons,
                                               std::span<const std::uint32_t> subset,
                                               std::uint16_t L, std::uint16_t wLevel);

// The best etalon and piece at start t (t + L <= x.size()): each candidate's whole etalon
// first (the first candidate's is the starting best), then its pieces [a..b] that keep more
// than h of its energy from a to the end and within the piece; a later candidate or piece
// replaces the best only when strictly smaller. No candidates: score 99999999, piece [0..L-1].
LocalFit fitAt(const SeriesView& series, std::size_t t, std::span<const FitCandidate> candidates);

}  // namespace mirovale
