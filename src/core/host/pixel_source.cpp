#include "core/host/pixel_source.h"

#include <algorithm>

namespace mirovale {

bool PixelSource::readRow(int y, std::span<std::uint8_t> out) const {
    const int bits = bitsPerPixel();
    const int w = width();
    if ((bits != 24 && bits != 32) || y < 0 || y >= height() || out.size() < rowBytes(w, bits))
        return false;
    const std::size_t step = static_cast<std::size_t>(bits / 8);
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    for (int x = 0; x < w; ++x) {
        const Colour c = pixel(x, y);
        std::uint8_t* p = out.data() + static_cast<std::size_t>(x) * step;
        p[0] = c.blue;
        p[1] = c.green;
        p[2] = c.red;
    }
    return true;
}

}  // namespace mirovale
