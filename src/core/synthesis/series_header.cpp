#include "core/synthesis/series_header.h"

namespace mirovale {

int freeSeriesHeader(std::unique_ptr<SeriesHeader>& series) noexcept {
    series.reset();
    return 1;
}

}  // namespace mirovale
