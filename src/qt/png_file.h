#pragma once

#include <QImage>
#include <QString>

namespace mirovale {

// Writes the image as a PNG file with the same pixels: with a palette when it has at most 256
// colours, as the window's pictures have, which keeps the files small. Returns false when the
// file cannot be written.
[[nodiscard]] bool writePngFile(const QImage& image, const QString& path);

}  // namespace mirovale
