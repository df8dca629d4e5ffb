#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/display/series_view_geometry.h"
#include "core/host/canvas.h"
#include "core/host/rect.h"
#include "core/synthesis/series_header.h"

namespace mirovale {

// The panels of the series view that show the etalons a run works with. Every cell is an etalon
// cell drawn with the view's amplitude; etalon numbers outside the series' list are left out.

// How many of the first alphabets form the top row of the alphabets band: alphabet i from the
// front is paired with alphabet n - 1 - i from the back, and a middle one (n odd) joins the row
// with the smaller size sum, the top row on a tie.
// sizes : selectedAlphabetSize of the n alphabets
[[nodiscard]] std::size_t alphabetsTopRowCount(std::span<const std::int16_t> sizes);

// The band of all alphabets of the series (task 48) above the graphs, in two rows; the current
// alphabet's cells red, the recognised one's grey. Stores each alphabet's box in
// alphabetLabelRect, as far as the table reaches.
void drawAlphabetsBand(Canvas& canvas, const SeriesViewGeometry& g, std::int16_t amplitude,
                       const SeriesHeader& series, std::vector<InclusiveRect>& alphabetLabelRect);

// The alphabet panel at the right: the required etalons in two columns, filled column by
// column. With task 2 the first etalon of the best chain is grey.
// required   : 1-based etalon numbers, as many as the panel shows
// bestEtalon : first etalon of the best chain, 0 for none
void drawAlphabetPanel(Canvas& canvas, const SeriesViewGeometry& g, std::int16_t amplitude,
                       std::uint16_t wTaskType, std::span<const std::uint16_t> required,
                       std::int32_t bestEtalon, const SeriesHeader& series);

// The pattern tuple box of a tuple series: the series' subset (lpSubset) in one row, or with
// task 40 every stored subset in a row of its own, the current one (dwCurrentSubset, 1-based)
// red and the recognised one grey; those rows are stored in subsetLabelRect as far as the table
// reaches.
void drawPatternTupleBox(Canvas& canvas, const SeriesViewGeometry& g, std::int16_t amplitude,
                         std::uint16_t wTaskType, std::uint32_t dwCurrentSubset,
                         const SeriesHeader& series, std::vector<InclusiveRect>& subsetLabelRect);

}  // namespace mirovale
