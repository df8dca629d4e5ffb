#include "core/export/pcx_file.h"

#include <optional>
#include <string_view>
#include <vector>

#include "core/export/little_endian.h"
#include "core/export/output_file.h"
#include "core/host/allocation.h"

namespace mirovale {
namespace {

constexpr std::string_view kCaption = "About PCX";
constexpr std::uint8_t kRunMark = 192;  // count bytes are 192 + run; bytes from 192 need one
constexpr int kLongestRun = 63;

// The buffers of one line: a byte per pixel, the packed line and its codes.
struct PcxLines {
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> packed;
    std::vector<std::uint8_t> codes;
};

std::optional<std::string_view> allocateLines(PcxLines& lines, std::size_t bytesPerLine) {
    if (!tryAssign(lines.pixels, 8 * bytesPerLine, std::uint8_t{0}))
        return "Нет памяти для буфера строки!";
    if (!tryAllocate([&] {
            lines.packed.assign(bytesPerLine, 0);
            lines.codes.assign(2 * bytesPerLine, 0);
        }))
        return "Нет памяти для кодов строки!";
    return std::nullopt;
}

// Writes the header and every coded line and puts the file in place; the message of the step
// that failed, or nothing.
std::optional<std::string_view> writeLines(const std::string& path, const PixelSource& capture,
                                           PcxLines& lines) {
    OutputFile file(path);
    if (!file.create()) return "CreateFile ERROR!";
    if (!file.write(makePcxHeader(capture.width(), capture.height(), capture.background())))
        return "ERROR while writing PCXHEADER!";
    for (int y = 0; y < capture.height(); ++y) {
        packPcxLine(capture, y, lines.pixels, lines.packed);
        const std::size_t n = encodePcxLine(lines.packed, lines.codes);
        if (!file.write(std::span(lines.codes).first(n))) return "ERROR while writing PCX codes!";
    }
    if (!file.commit()) return "CloseHandle ERROR!";
    return std::nullopt;
}

}  // namespace

std::uint16_t pcxBytesPerLine(int width) {
    return static_cast<std::uint16_t>(((width + 31) >> 5) * 4);
}

std::array<std::uint8_t, kPcxHeaderSize> makePcxHeader(int width, int height, Colour background) {
    std::array<std::uint8_t, kPcxHeaderSize> h{};
    h[0] = 10;  // maker
    h[1] = 5;   // version
    h[2] = 1;   // run-length coding
    h[3] = 1;   // bits per pixel
    putLittle16(h, 8, static_cast<std::uint32_t>(width - 1));
    putLittle16(h, 10, static_cast<std::uint32_t>(height - 1));
    putLittle16(h, 12, 640);
    putLittle16(h, 14, 480);
    h[19] = background.red;  // colour map entry 1; entry 0 stays black
    h[20] = background.green;
    h[21] = background.blue;
    h[65] = 1;  // planes
    putLittle16(h, 66, pcxBytesPerLine(width));
    putLittle16(h, 68, 1);  // palette info
    return h;
}

void packPcxLine(const PixelSource& capture, int y, std::span<std::uint8_t> pixels,
                 std::span<std::uint8_t> packed) {
    const Colour background = capture.background();
    const auto w = static_cast<std::size_t>(capture.width());
    for (std::size_t x = 0; x < pixels.size(); ++x)
        pixels[x] = x >= w || capture.pixel(static_cast<int>(x), y) == background ? 1 : 0;
    for (std::size_t i = 0; i < packed.size(); ++i) {
        std::uint8_t byte = 0;
        for (std::size_t bit = 0; bit < 8; ++bit)
            byte = static_cast<std::uint8_t>(byte << 1 | pixels[8 * i + bit]);
        packed[i] = byte;
    }
}

std::size_t encodePcxLine(std::span<const std::uint8_t> packed, std::span<std::uint8_t> codes) {
    std::size_t n = 0;
    auto emitRun = [&](std::uint8_t value, int run) {
        if (run > 1 || value >= kRunMark) codes[n++] = static_cast<std::uint8_t>(kRunMark + run);
        codes[n++] = value;
    };
    std::uint8_t current = 0;
    int run = 0;
    for (const std::uint8_t v : packed) {
        if (run == 0) {
            current = v;
            run = 1;
            continue;
        }
        if (v == current && ++run == kLongestRun) {
            emitRun(current, run);
            run = 0;
        }
        if (v != current) {
            emitRun(current, run);
            current = v;
            run = 1;
        }
    }
    if (run >= 1) emitRun(current, run);
    return n;
}

int writePcxFile(Host& host, const std::string& path, const PixelSource& capture) {
    PcxLines lines;
    auto failure = allocateLines(lines, pcxBytesPerLine(capture.width()));
    if (!failure) failure = writeLines(path, capture, lines);
    if (!failure) return 1;
    host.messageBox(*failure, kCaption, MessageIcon::None);
    return 0;
}

}  // namespace mirovale
