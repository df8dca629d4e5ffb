#include "core/export/bitmap_file.h"

#include <algorithm>
#include <limits>

#include "core/export/little_endian.h"
#include "core/export/output_file.h"
#include "core/host/allocation.h"

namespace mirovale {
namespace {

constexpr std::string_view kCaption = "About Bitmap";
constexpr std::size_t kImageSizeOffset = 20;  // of the image size field in the info header

void report(Host& host, std::string_view text) {
    host.messageBox(text, kCaption, MessageIcon::None);
}

std::size_t colourCount(int bits) {
    const int rounded = roundedBitDepth(bits);
    return rounded < 16 ? std::size_t{1} << rounded : 0;
}

// Fetches the rows bottom row first into `bits`, which is zero-filled and holds them all.
bool readBottomUp(const PixelSource& capture, std::span<std::uint8_t> bits) {
    const std::size_t stride = rowBytes(capture.width(), capture.bitsPerPixel());
    const int h = capture.height();
    for (int i = 0; i < h; ++i)
        if (!capture.readRow(h - 1 - i, bits.subspan(static_cast<std::size_t>(i) * stride, stride)))
            return false;
    return true;
}

// Writes the three blocks and puts the file in place; the message of the step that failed, or
// nothing.
std::optional<std::string_view> writeBlocks(const std::string& path,
                                            std::span<const std::uint8_t> info,
                                            std::span<const std::uint8_t> bits) {
    OutputFile file(path);
    if (!file.create()) return "CreateFile ERROR!";
    if (!file.write(makeBitmapFileHeader(info))) return "ERROR while writing BITMAPFILEHEADER!";
    if (!file.write(info)) return "ERROR while writing BITMAPINFOHEADER!";
    if (!file.write(bits)) return "ERROR while writing bitmap bits!";
    if (!file.commit()) return "CloseHandle ERROR!";
    return std::nullopt;
}

}  // namespace

int roundedBitDepth(int bits) {
    for (const int depth : {1, 4, 8, 16, 24})
        if (bits <= depth) return depth;
    return 32;
}

std::uint64_t bitmapImageSize(int width, int height, int bits) {
    const auto w = static_cast<std::uint64_t>(width);
    const auto h = static_cast<std::uint64_t>(height);
    const std::uint64_t byFormula =
        (w + 7) / 8 * h * static_cast<std::uint64_t>(roundedBitDepth(bits));
    return std::max<std::uint64_t>(byFormula, rowBytes(width, bits) * h);
}

std::optional<std::vector<std::uint8_t>> makeBitmapInfo(Host& host, const PixelSource& capture) {
    const int w = capture.width();
    const int h = capture.height();
    const int bits = capture.bitsPerPixel();
    if (w < 0 || h < 0 || bits < 1 || bits > 32) {
        report(host, "Проблемы при выполнении GetObject");
        return std::nullopt;
    }
    const std::size_t colours = colourCount(bits);
    std::vector<std::uint8_t> info;
    if (!tryAssign(info, kBitmapInfoHeaderSize + 4 * colours, std::uint8_t{0})) {
        report(host, "Нет памяти для BITMAPINFO");
        return std::nullopt;
    }
    const std::uint64_t imageSize = bitmapImageSize(w, h, bits);
    putLittle32(info, 0, kBitmapInfoHeaderSize);
    putLittle32(info, 4, static_cast<std::uint32_t>(w));
    putLittle32(info, 8, static_cast<std::uint32_t>(h));
    putLittle16(info, 12, 1);
    putLittle16(info, 14, static_cast<std::uint32_t>(bits));
    putLittle32(info, kImageSizeOffset,
                static_cast<std::uint32_t>(
                    std::min<std::uint64_t>(imageSize, std::numeric_limits<std::uint32_t>::max())));
    putLittle32(info, 32, static_cast<std::uint32_t>(colours));
    const std::vector<Colour> palette = capture.palette();
    for (std::size_t i = 0; i < std::min(colours, palette.size()); ++i) {
        std::uint8_t* quad = info.data() + kBitmapInfoHeaderSize + 4 * i;
        quad[0] = palette[i].blue;
        quad[1] = palette[i].green;
        quad[2] = palette[i].red;
    }
    return info;
}

std::array<std::uint8_t, kBitmapFileHeaderSize> makeBitmapFileHeader(
    std::span<const std::uint8_t> info) {
    std::array<std::uint8_t, kBitmapFileHeaderSize> header{'B', 'M'};
    const auto offset = static_cast<std::uint32_t>(kBitmapFileHeaderSize + info.size());
    putLittle32(header, 2, offset + getLittle32(info, kImageSizeOffset));
    putLittle32(header, 10, offset);
    return header;
}

int writeBmpFile(Host& host, const std::string& path, std::span<const std::uint8_t> info,
                 const PixelSource& capture) {
    const std::uint64_t imageSize =
        bitmapImageSize(capture.width(), capture.height(), capture.bitsPerPixel());
    // A file the 32-bit size fields cannot describe is refused like a block that cannot be had.
    const bool describable = kBitmapFileHeaderSize + info.size() + imageSize <=
                             std::numeric_limits<std::uint32_t>::max();
    std::vector<std::uint8_t> bits;
    if (!describable || !tryAssign(bits, static_cast<std::size_t>(imageSize), std::uint8_t{0})) {
        report(host, "GlobalAlloc ERROR!");
        return 0;
    }
    if (!readBottomUp(capture, bits)) {
        report(host, "GetDIBits ERROR!");
        return 0;
    }
    if (const auto failure = writeBlocks(path, info, bits)) {
        report(host, *failure);
        return 0;
    }
    return 1;
}

}  // namespace mirovale
