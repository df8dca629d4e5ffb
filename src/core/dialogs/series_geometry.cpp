#include "core/dialogs/series_geometry.h"

#include <string>

#include "core/host/format_text.h"

namespace mirovale {
namespace {

// The first rule the values break, as its message; empty when they break none. The messages
// say: the interval length must be above 0; the least interval is above the greatest; the
// series is longer than 32767; no pulse fits a series of this length.
std::string brokenRule(std::uint16_t wTmin, std::uint16_t wTmax, std::uint32_t dwSeriesLength,
                       std::uint16_t wEtalonLength) {
    if (wTmin == 0 || wTmax == 0)
        return formatText("Длина интервала должна быть больше 0!\nwTmin: %d\nwTmax: %d", wTmin,
                          wTmax);
    if (wTmin > wTmax)
        return formatText("Минимальная длина интервала больше максимальной!\nwTmin: %d\nwTmax: %d",
                          wTmin, wTmax);
    if (dwSeriesLength > kMaxSeriesLength)
        return formatText("Длина ряда больше %u!\nдлина серии: %u", kMaxSeriesLength,
                          dwSeriesLength);
    if (dwSeriesLength < wEtalonLength)
        return formatText(
            "В ряд такой длины не помещается ни один импульс!\nдлина серии: %u\nдлина эталона: %d",
            dwSeriesLength, wEtalonLength);
    return {};
}

}  // namespace

bool validateSeriesGeometry(Host& host, std::uint16_t wTmin, std::uint16_t wTmax,
                            std::uint32_t dwSeriesLength, std::uint16_t wEtalonLength) {
    const std::string message = brokenRule(wTmin, wTmax, dwSeriesLength, wEtalonLength);
    if (message.empty()) return true;
    host.messageBox(message, " validateSeriesGeometry ", MessageIcon::Exclamation);
    return false;
}

}  // namespace mirovale
