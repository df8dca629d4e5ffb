#pragma once

#include <string>

#include "core/host/host.h"
#include "core/host/pixel_source.h"

namespace mirovale {

// Writes the capture as a PNG file, encoded by the capture itself (the front end's image
// library). The file appears under `path` only when all of it was written; an existing file of
// that name stays as it was until then.
// host    : reports, with the caption "About PNG": "PNG encoding ERROR!" (the capture gave no
//           PNG bytes), "CreateFile ERROR!", "ERROR while writing PNG data!", "CloseHandle
//           ERROR!" (closing or putting the file in place failed)
// path    : the file to make or replace
// capture : the image
// Returns 1, or 0 after a report.
[[nodiscard]] int writePngFile(Host& host, const std::string& path, const PixelSource& capture);

}  // namespace mirovale
