#pragma once

#include <QImage>
#include <string>

namespace mirovale {

// Writes a picture of the client area in the format its name's extension gives, in any case:
// PNG with a palette, BMP at the picture's 32 bits, or black-and-white PCX.
// returns an empty text, or what went wrong ("cannot write FILE" and the writer's report)
[[nodiscard]] std::string writePictureFile(const QImage& image, const std::string& file);

}  // namespace mirovale
