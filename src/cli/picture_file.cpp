#include "cli/picture_file.h"

#include "core/export/bitmap_file.h"
#include "core/export/pcx_file.h"
#include "core/export/snapshot.h"
#include "core/host/recording_host.h"
#include "qt/png_file.h"
#include "qt/qt_pixel_source.h"

namespace mirovale {

std::string writePictureFile(const QImage& image, const std::string& file) {
    const QtPixelSource picture(image);
    RecordingHost writer;  // the BMP and PCX writers' reports
    bool written = false;
    switch (snapshotFormat(file)) {
        case SnapshotFormat::Png:
            written = writePngFile(image, QString::fromStdString(file));
            break;
        case SnapshotFormat::Bmp: {
            const auto info = makeBitmapInfo(writer, picture);
            written = info && writeBmpFile(writer, file, *info, picture) == 1;
            break;
        }
        case SnapshotFormat::Pcx:
            written = writePcxFile(writer, file, picture) == 1;
            break;
        case SnapshotFormat::None:
            break;
    }
    if (written) return {};
    return "cannot write " + file +
           (writer.messages.empty() ? std::string() : ": " + writer.messages.front().text);
}

}  // namespace mirovale
