#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/synthesis/series_header.h"

namespace mirovale::testing {

// A small hand-made series for the drawing tests: etalons of `length` samples (etalon e holds
// e * 10 + k at sample k, alternating in sign), pulses placed at the given positions.
struct SampleSeries {
    EtalonTable etalons{};
    SeriesHeader series;

    SampleSeries(std::uint32_t n, std::uint16_t length, std::uint16_t etalonCount) {
        series.dwSeriesSize = n;
        series.lpPureData.assign(n, 0);
        series.lpData.assign(n, 0);
        series.wImpulseSize = length;
        for (std::uint16_t e = 0; e < etalonCount; ++e) {
            PulseHeader& p = etalons[e];
            p.wSize = p.wMaxSize = length;
            p.wNumber = static_cast<std::uint16_t>(e + 1);
            for (std::int16_t k = 0; k < static_cast<std::int16_t>(length); ++k)
                p.lpData.push_back(
                    static_cast<std::int16_t>((k % 2 ? -1 : 1) * ((e + 1) * 10 + k)));
            series.lpPulsesList.push_back(&p);
        }
    }
    SampleSeries(const SampleSeries&) = delete;
    SampleSeries& operator=(const SampleSeries&) = delete;

    // Adds an original pulse keeping samples begin..end; it is also laid into the pure signal.
    void addPulse(std::int16_t position, std::int16_t etalon, std::int16_t begin,
                  std::int16_t end) {
        series.lpPositions.push_back(position);
        series.lpEtalonNumbers.push_back(etalon);
        series.lpBegins.push_back(begin);
        series.lpEnds.push_back(end);
        ++series.wImpulseQuantity;
        const PulseHeader& p = etalons[static_cast<std::size_t>(etalon - 1)];
        for (std::int16_t k = begin; k <= end; ++k)
            series.lpPureData[static_cast<std::size_t>(position + k)] =
                p.lpData[static_cast<std::size_t>(k)];
    }
    // Adds a detected pulse.
    void addDetected(std::int16_t position, std::int16_t etalon, std::int16_t begin,
                     std::int16_t end) {
        series.lpDetectedPositions.push_back(position);
        series.lpDetectedEtalons.push_back(etalon);
        series.lpDetectedBegins.push_back(begin);
        series.lpDetectedEnds.push_back(end);
        ++series.wDetectedPulses;
    }
};

}  // namespace mirovale::testing
