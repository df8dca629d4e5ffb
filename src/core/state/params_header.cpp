#include "core/state/params_header.h"

#include <algorithm>

#include "core/host/allocation.h"
#include "core/host/format_text.h"

namespace mirovale {
namespace {

constexpr const char* kCaption = " getParamsHeader ";

// Integer division that gives 0 for a zero divisor: a series made with Tmin or Tmax 0 has no
// pulse-count range to show.
std::int32_t quotient(std::int32_t a, std::int32_t b) {
    return b == 0 ? 0 : a / b;
}

}  // namespace

std::unique_ptr<ParamsHeader> getParamsHeader(Host& host, const SeriesHeader* series,
                                              std::unique_ptr<ParamsHeader> old) {
    if (series == nullptr) return old;
    const auto n = static_cast<std::int32_t>(series->dwSeriesSize);
    const std::int32_t tmin = series->wTmin;
    const std::int32_t tmax = series->wTmax;
    const std::int32_t length = series->wImpulseSize;
    const std::int32_t kMin = quotient(n + length - 1, tmax);
    const std::int32_t kMax = quotient(n - length + tmin, tmin);
    const std::int32_t areas = std::max(kMax - kMin + 1, 0);

    std::unique_ptr<ParamsHeader> record = std::move(old);
    if (!record && !tryAllocate([&] { record = std::make_unique<ParamsHeader>(); })) {
        host.messageBox("Нет памяти для newParamsHeader!", kCaption, MessageIcon::None);
        return nullptr;
    }
    if (record->dwAreasCapacity < areas) {
        if (!tryAssign(record->pulsesSelectedAreas, static_cast<std::size_t>(areas))) {
            host.messageBox("Нет памяти для newParamsHeader->pulsesSelectedAreas!", kCaption,
                            MessageIcon::None);
            return nullptr;
        }
        record->dwAreasCapacity = areas;
        record->dwAreasSeriesSize = n;
    }
    ParamsHeader& r = *record;
    r.dwAreas = kMax - kMin + 1;
    r.dwMaxPulses = kMax;
    r.dwMinPulses = kMin;
    r.dwPulses = series->wImpulseQuantity;
    r.dwImpulseSize = length;
    r.dwSeriesSize = n;
    r.dwTmax = tmax;
    r.dwTmin = tmin;
    r.dwA = 0;
    r.dwAPlus = tmax - length;
    r.dwBMinus = n - tmax;
    r.dwB = n - length;
    host.setEditFieldText(formatText("%d", tmin));
    rememberDrawnValues(r);
    std::fill(r.pulsesSelectedAreas.begin(), r.pulsesSelectedAreas.end(), InclusiveRect{});
    return record;
}

int freeParamsHeader(std::unique_ptr<ParamsHeader>& record) noexcept {
    record.reset();
    return 1;
}

void rememberDrawnValues(ParamsHeader& r) {
    r.dwPrevPulses = r.dwPulses;
    r.dwPrevAPlus = r.dwAPlus;
    r.dwPrevBMinus = r.dwBMinus;
    r.dwPrevTmin = r.dwTmin;
    r.dwPrevTmax = r.dwTmax;
    r.dwPrevMaxPulses = r.dwMaxPulses;
    r.dwPrevMinPulses = r.dwMinPulses;
}

}  // namespace mirovale
