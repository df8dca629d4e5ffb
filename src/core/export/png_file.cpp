#include "core/export/png_file.h"

#include <optional>
#include <string_view>

#include "core/export/output_file.h"

namespace mirovale {
namespace {

std::optional<std::string_view> writeEncoded(const std::string& path, const PixelSource& capture) {
    const auto bytes = capture.encodePng();
    if (!bytes) return "PNG encoding ERROR!";
    OutputFile file(path);
    if (!file.create()) return "CreateFile ERROR!";
    if (!file.write(*bytes)) return "ERROR while writing PNG data!";
    if (!file.commit()) return "CloseHandle ERROR!";
    return std::nullopt;
}

}  // namespace

int writePngFile(Host& host, const std::string& path, const PixelSource& capture) {
    const auto failure = writeEncoded(path, capture);
    if (!failure) return 1;
    host.messageBox(*failure, "About PNG", MessageIcon::None);
    return 0;
}

}  // namespace mirovale
