#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/host/host.h"
#include "core/host/pixel_source.h"

namespace mirovale {

// Sizes of the two fixed headers of a BMP file.
inline constexpr std::size_t kBitmapFileHeaderSize = 14;
inline constexpr std::size_t kBitmapInfoHeaderSize = 40;

// The depth the size and colour-table rules count with: 1, 4, 8, 16, 24 or 32, the least of
// them that is at least `bits` (32 above 24).
[[nodiscard]] int roundedBitDepth(int bits);

// Bytes of the pixel block of a width x height image of `bits` bits per pixel:
// ((width + 7) / 8) x height x roundedBitDepth(bits), or the padded rows when they take more
// (1 bit per pixel), so that the block always holds every row. Zero bytes fill it after the
// last row.
[[nodiscard]] std::uint64_t bitmapImageSize(int width, int height, int bits);

// The info block of a BMP file for the capture: the 40-byte header (header size, width, height,
// planes 1, bits per pixel, no compression, image size, zero resolutions, colours used
// 2^b' when b' < 16, else 0) followed by the capture's colour table as blue, green, red, 0
// quads when b' < 16.
// host    : reports "Проблемы при выполнении GetObject" when the capture's size or depth
//           cannot be read (negative size, depth outside 1..32), "Нет памяти для BITMAPINFO"
//           when the block cannot be allocated; both with the caption "About Bitmap"
// capture : the image to describe
// Returns the block, or nothing after a report.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> makeBitmapInfo(Host& host,
                                                                      const PixelSource& capture);

// The 14-byte file header that goes before an info block made by makeBitmapInfo: "BM", the file
// size, two zero reserved words and the offset of the pixel block.
[[nodiscard]] std::array<std::uint8_t, kBitmapFileHeaderSize> makeBitmapFileHeader(
    std::span<const std::uint8_t> info);

// Writes a BMP file: the file header, the info block, then the capture's rows bottom row first,
// each padded to whole 32-bit words, zero-filled up to the image size. The file appears under
// `path` only when all of it was written; an existing file of that name stays as it was until
// then.
// host    : reports, with the caption "About Bitmap": "GlobalAlloc ERROR!" (no memory for the
//           pixel block), "GetDIBits ERROR!" (a row could not be read), "CreateFile ERROR!",
//           "ERROR while writing BITMAPFILEHEADER!", "ERROR while writing BITMAPINFOHEADER!",
//           "ERROR while writing bitmap bits!", "CloseHandle ERROR!" (closing or putting the
//           file in place failed)
// path    : the file to make or replace
// info    : the block made by makeBitmapInfo for this capture
// capture : the image
// Returns 1, or 0 after a report.
[[nodiscard]] int writeBmpFile(Host& host, const std::string& path,
                               std::span<const std::uint8_t> info, const PixelSource& capture);

}  // namespace mirovale
