#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/host/host.h"

namespace mirovale {

// The ranked candidate chains of one processing run, best (smallest distance) first, with the
// labels of the run. Rows r < wPretenders are meaningful; each row holds pulse j of its chain at
// index j of the four lists.
struct ChainsHeader {
    std::uint16_t wMaxSize = 0;                // capacity: chains held at most
    std::uint16_t wPretenders = 0;             // chains held now, 0..wMaxSize
    std::uint16_t wMaxPulses = 0;              // capacity: pulses per chain
    std::uint16_t wQuanPulses = 0;             // pulses the run was set up for (0 = unknown)
    std::uint16_t wSeekingPulsesQuantity = 0;  // pulses sought, or of the best chain after the run
    // [wMaxSize] objective of each chain, smaller is better. Held in 64 bits: chain scores are
    // summed without wrapping whatever the noise level.
    std::vector<std::int64_t> distance;
    std::vector<std::int32_t> pulsesQuantity;  // [wMaxSize] pulses in each chain
    std::vector<std::int32_t> alphabetNumber;  // [wMaxSize] 1-based alphabet, 0 outside alphabets
    std::vector<std::vector<std::int16_t>> pulsesList;     // [wMaxSize][wMaxPulses] etalon number
    std::vector<std::vector<std::int16_t>> positionsList;  // [wMaxSize][wMaxPulses] start sample
    std::vector<std::vector<std::int16_t>> beginsList;     // [wMaxSize][wMaxPulses] first kept
    std::vector<std::vector<std::int16_t>> endsList;       // [wMaxSize][wMaxPulses] last kept
    std::uint16_t wMark = 0;                               // 2 once labelled by addToChainsHeader
    std::uint16_t wSeriesType = 0;                         // series type code of the run
    std::uint16_t wTaskType = 0;                           // task code of the run
    const char* lpTaskName = nullptr;                      // static name of the task, or null
    const char* lpSeriesTypeName = nullptr;  // static name of the series type, or null
    std::uint16_t wMakingLevel = 0;          // saved energy percent used for making
    std::uint16_t wProcessingLevel = 0;      // saved energy percent used for processing
};

// Makes or reuses a chains record and empties it.
// wMaxSize   : chains to hold
// wMaxPulses : pulses per chain
// old        : record to reuse, or null; kept (with its larger capacities) when neither wanted
//              capacity exceeds its own, otherwise re-dimensioned to exactly the wanted pair
// returns the emptied record; null after reporting "Нет памяти для ...!" with caption
// " getChainsHeader " (the old record is released then)
[[nodiscard]] std::unique_ptr<ChainsHeader> getChainsHeader(Host& host, std::uint16_t wMaxSize,
                                                            std::uint16_t wMaxPulses,
                                                            std::unique_ptr<ChainsHeader> old);

// Labels the record with the run's codes, names and levels and sets wMark to 2.
// wSeriesType   : series type code (1, 2, 4, 8, 36, 40; others get no name)
// wTaskType     : task code (1, 2, 4, 32, 36, 40, 48; others get no name)
// wMakingLevel, wProcessingLevel : saved energy levels, percent
// returns 1; 0 after reporting a null record
int addToChainsHeader(Host& host, std::uint16_t wSeriesType, std::uint16_t wTaskType,
                      std::uint16_t wMakingLevel, std::uint16_t wProcessingLevel,
                      ChainsHeader* chains);

// Releases the record (null accepted). Returns 1.
int freeChainsHeader(std::unique_ptr<ChainsHeader>& chains) noexcept;

// The dump text of the record, cut to the 2499 characters its message buffer holds.
[[nodiscard]] std::string chainsHeaderText(const ChainsHeader& chains);

// Shows the dump in a message box captioned "aboutChainsHeader Info".
void aboutChainsHeader(Host& host, const ChainsHeader& chains);

}  // namespace mirovale
