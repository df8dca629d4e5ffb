#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/host/canvas.h"
#include "core/host/host.h"
#include "core/host/pixel_source.h"

namespace mirovale {

inline constexpr std::size_t kPcxHeaderSize = 128;

// Bytes of one packed PCX line of a width-pixel image: width rounded up to whole 32-bit words.
[[nodiscard]] std::uint16_t pcxBytesPerLine(int width);

// The 128-byte header of a black-and-white PCX file: maker 10, version 5, run-length coding,
// 1 bit per pixel, corners (0, 0) and (width - 1, height - 1), resolution 640 x 480, colour map
// entry 0 black and entry 1 the background, one plane, pcxBytesPerLine bytes per line, palette
// info 1, everything else 0.
[[nodiscard]] std::array<std::uint8_t, kPcxHeaderSize> makePcxHeader(int width, int height,
                                                                     Colour background);

// Packs row y of the capture: a pixel is 1 where it has the background colour, else 0, and the
// pixels after the last column are 1; eight to a byte, the leftmost in the high bit.
// pixels : scratch line of 8 x packed.size() bytes, one per pixel
// packed : pcxBytesPerLine(capture.width()) bytes
void packPcxLine(const PixelSource& capture, int y, std::span<std::uint8_t> pixels,
                 std::span<std::uint8_t> packed);

// Run-length codes one packed line into `codes` and returns the number of bytes written.
// A run of up to 63 equal bytes becomes the count byte 192 + run and the byte; a single byte
// below 192 stands for itself.
// codes : at least 2 x packed.size() bytes, the most a line can take
[[nodiscard]] std::size_t encodePcxLine(std::span<const std::uint8_t> packed,
                                        std::span<std::uint8_t> codes);

// Writes a black-and-white PCX file of the capture: the header, then every line top first,
// packed and run-length coded. The file appears under `path` only when all of it was written; an
// existing file of that name stays as it was until then.
// host    : reports, with the caption "About PCX": "Нет памяти для буфера строки!" (no memory
//           for the pixel line), "Нет памяти для кодов строки!" (none for the packed and coded
//           line), "CreateFile ERROR!", "ERROR while writing PCXHEADER!", "ERROR while writing
//           PCX codes!", "CloseHandle ERROR!" (closing or putting the file in place failed)
// path    : the file to make or replace
// capture : the image and its background colour
// Returns 1, or 0 after a report.
[[nodiscard]] int writePcxFile(Host& host, const std::string& path, const PixelSource& capture);

}  // namespace mirovale
