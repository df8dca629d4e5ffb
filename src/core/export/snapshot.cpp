#include "core/export/snapshot.h"

#include <algorithm>
#include <cctype>

#include "core/export/bitmap_file.h"
#include "core/export/pcx_file.h"
#include "core/export/png_file.h"

namespace mirovale {
namespace {

bool endsWithIgnoringCase(std::string_view name, std::string_view tail) {
    return std::equal(tail.begin(), tail.end(),
                      name.end() - static_cast<std::ptrdiff_t>(tail.size()), [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

// Writes the capture in the format; false after the writer's report.
bool writeFormat(Host& host, SnapshotFormat format, const std::string& path,
                 const PixelSource& capture) {
    switch (format) {
        case SnapshotFormat::Bmp: {
            const auto info = makeBitmapInfo(host, capture);
            return info && writeBmpFile(host, path, *info, capture) == 1;
        }
        case SnapshotFormat::Pcx:
            return writePcxFile(host, path, capture) == 1;
        case SnapshotFormat::Png:
            return writePngFile(host, path, capture) == 1;
        case SnapshotFormat::None:
            break;
    }
    return true;
}

void reportNotCreated(Host& host, SnapshotFormat format) {
    switch (format) {
        case SnapshotFormat::Bmp:
            host.messageBox("Bitmap file is not created", "About Bitmap", MessageIcon::None);
            return;
        case SnapshotFormat::Pcx:
            host.messageBox("PCX file is not created", "About PCX", MessageIcon::None);
            return;
        case SnapshotFormat::Png:
            host.messageBox("PNG file is not created", "About PNG", MessageIcon::None);
            return;
        case SnapshotFormat::None:
            return;
    }
}

}  // namespace

SnapshotFormat snapshotFormat(std::string_view name) {
    constexpr std::size_t kTail = 4;
    if (name.size() <= kTail) return SnapshotFormat::None;
    if (endsWithIgnoringCase(name, ".bmp")) return SnapshotFormat::Bmp;
    if (endsWithIgnoringCase(name, ".pcx")) return SnapshotFormat::Pcx;
    if (endsWithIgnoringCase(name, ".png")) return SnapshotFormat::Png;
    return SnapshotFormat::None;
}

SaveFileRequest snapshotFileRequest() {
    return {"Snapshot File Name",
            {{"Bitmap Files (*.bmp)", "*.bmp"},
             {"PCX Files (*.pcx)", "*.pcx"},
             {"PNG Files (*.png)", "*.png"}},
            "bmp"};
}

std::string* getSnapshotFileName(Host& host, std::string& szSnapshotFile) {
    szSnapshotFile.clear();
    auto name = host.askSaveFileName(snapshotFileRequest());
    if (!name) return nullptr;
    szSnapshotFile = std::move(*name);
    return &szSnapshotFile;
}

int saveSnapshot(Host& host, std::string& szSnapshotFile) {
    const auto capture = host.captureClientArea();
    if (!capture) return 0;
    if (!getSnapshotFileName(host, szSnapshotFile)) return 1;
    const SnapshotFormat format = snapshotFormat(szSnapshotFile);
    if (!writeFormat(host, format, szSnapshotFile, *capture)) reportNotCreated(host, format);
    return 1;
}

}  // namespace mirovale
