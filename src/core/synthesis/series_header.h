#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/synthesis/pulse_header.h"

namespace mirovale {

// One synthesized series: its signals, per-pulse truth, the detected answer, the subset and
// alphabet tables and a block view of the signal. N = dwSeriesSize, L = wImpulseSize,
// M = wMaxPulsesSpace (capacity of every per-pulse array), B = dwBlocks.
//
// The vectors own the storage; the capacity fields are the sizes the arrays were made for and
// are kept up to date by getCutOffSeriesHeader. Signal and per-pulse arrays hold their full
// capacity; only the first N samples and n pulses are meaningful.
struct SeriesHeader {
    std::uint32_t dwMaxSeriesSize = 0;      // sample capacity of the two signal arrays
    std::uint32_t dwSeriesSize = 0;         // series length N
    std::uint16_t wTmin = 0;                // least start-to-start distance
    std::uint16_t wTmax = 0;                // greatest start-to-start distance
    std::vector<std::int16_t> lpPureData;   // noise-free signal
    std::vector<std::int16_t> lpData;       // noisy signal (equals lpPureData until noise is added)
    std::uint16_t wImpulseSize = 0;         // etalon length L
    std::uint16_t wImpulseQuantity = 0;     // number of pulses n
    std::uint16_t wMaxPulses = 0;           // greatest feasible n: (N - L + Tmin) / Tmin
    std::uint16_t wMinPulses = 0;           // least feasible n: (N + L - 1) / Tmax, at least 1
    std::uint16_t wNoiseLevel = 0;          // standard deviation of the noise last added, 0 = none
    std::uint16_t wAmplitude = 0;           // amplitude setting the series was made with
    std::vector<std::int16_t> lpPositions;  // [M] start of each pulse
    std::vector<std::int16_t> lpDetectedPositions;  // [M] start of each detected pulse, -1 = none
    std::vector<std::int16_t> lpMinPositions;       // [M] least feasible start
    std::vector<std::int16_t> lpMaxPositions;       // [M] greatest feasible start
    const PulseHeader* lpFirstPulse = nullptr;      // etalon of the first pulse (borrowed)
    std::vector<std::int16_t> lpEtalonNumbers;      // [M] etalon number of each pulse
    std::vector<std::int16_t> lpDetectedEtalons;    // [M] etalon of each detected pulse, 0 = none
    std::uint16_t wMaxEtalons = 0;                  // capacity of lpPulsesList
    std::uint16_t wEtalons = 0;                     // etalons in lpPulsesList (alphabet size)
    std::uint16_t wMaxPulsesSpace = 0;              // M
    std::vector<const PulseHeader*> lpPulsesList;   // [wMaxEtalons] entry k: table record k
    std::uint16_t wDetectedPulses = 0;              // number of detected pulses
    std::uint16_t wDefaultBegin = 0;                // default first kept etalon sample: 0
    std::uint16_t wDefaultEnd = 0;                  // default last kept etalon sample: L - 1
    std::vector<std::int16_t> lpBegins;             // [M] first etalon sample kept
    std::vector<std::int16_t> lpEnds;               // [M] last etalon sample kept
    std::vector<std::int16_t> lpDetectedBegins;     // [M] first kept sample of a detected pulse
    std::vector<std::int16_t> lpDetectedEnds;       // [M] last kept sample of a detected pulse
    std::vector<std::int16_t> lpSubset;             // [M] current subset; wSubsetSize entries used
    std::uint16_t wSubsetSize = 0;                  // entries of lpSubset, 0 = no subset
    std::uint16_t wSubsetMode = 0;                  // subset employment mode 1..5
    std::uint16_t wSubsetPosition = 0;              // 1-based pulse index the subset is laid from
    std::uint16_t wDetectedTuples = 0;              // number of detected tuples
    std::vector<std::int16_t> lpTupleFirst;         // [M] 1-based first pulse of each tuple
    std::vector<std::int16_t> lpTupleLast;          // [M] 1-based last pulse of each tuple
    std::uint16_t wMaxSubsets = 0;                  // row capacity of the subset table
    std::uint16_t wSubsets = 0;                     // subsets held
    std::uint16_t wMaxSubsetLength = 0;             // column capacity of each subset row
    std::uint16_t wRecognizedSubset = 0;            // 1-based subset chosen by tuple recognition
    std::vector<std::int16_t> selectedSubsetSize;   // [wMaxSubsets] length of each subset
    std::vector<std::vector<std::int16_t>> selectedSubsetList;  // [wMaxSubsets][wMaxSubsetLength]
    std::vector<std::int16_t> lpAlphabet;            // [wMaxAlphabetLength] current alphabet
    std::uint16_t wCurrentAlphabetSize = 0;          // entries of lpAlphabet
    std::uint16_t wMaxAlphabets = 0;                 // row capacity of the alphabet table
    std::uint16_t wAlphabets = 0;                    // alphabets held
    std::uint16_t wMaxAlphabetLength = 0;            // column capacity of each alphabet row
    std::uint16_t wRecognizedAlphabet = 0;           // 1-based alphabet chosen by recognition
    std::uint16_t wCurrentAlphabet = 0;              // 1-based current alphabet, 0 = none
    std::vector<std::int16_t> selectedAlphabetSize;  // [wMaxAlphabets] length of each alphabet
    std::vector<std::vector<std::int16_t>> selectedAlphabetList;  // [wMaxAlphabets][length]
    std::uint16_t wVectorMode = 0;  // block-view flag; always 0, readers use the flat arrays
    std::uint32_t dwMaxBlocks = 0;  // block count the block copies were sized for
    std::uint32_t dwBlocks = 0;     // B = ceil(N / L)
    std::uint16_t wTminBlocks = 0;  // ceil(Tmin / L), at least 1
    std::uint16_t wTmaxBlocks = 0;  // ceil((Tmax - 1) / L), at least wTminBlocks
    std::vector<std::int16_t> lpVectorPureData;  // [dwMaxBlocks * L] block b at b * L
    std::vector<std::int16_t> lpVectorData;      // [dwMaxBlocks * L] second copy of the blocks
    std::vector<std::int16_t> lpBlocks;          // [M] block holding each pulse
    std::vector<std::int16_t> lpDetectedBlocks;  // [M] block of each detected pulse, -1 = none
    std::vector<std::int16_t> lpMinBlocks;       // [M] least feasible block
    std::vector<std::int16_t> lpMaxBlocks;       // [M] greatest feasible block

    // The L samples of block b of the noise-free block view, and of its copy.
    [[nodiscard]] std::span<std::int16_t> pureBlock(std::size_t b) {
        return {lpVectorPureData.data() + b * wImpulseSize, wImpulseSize};
    }
    [[nodiscard]] std::span<std::int16_t> copyBlock(std::size_t b) {
        return {lpVectorData.data() + b * wImpulseSize, wImpulseSize};
    }
};

// Releases a series record; accepts an empty pointer. Returns 1.
int freeSeriesHeader(std::unique_ptr<SeriesHeader>& series) noexcept;

}  // namespace mirovale
