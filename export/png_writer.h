// Writes a device-independent bitmap as a PNG file through libpng.
#pragma once

#include "png_write_request.h"

namespace tarvik {

// Checks the request, then writes its file. Returns a PngResult code; on failure the error
// text (when given) holds the reason. A partly written file stays on disk.
int write_png(const PngWriteRequest& request);

}  // namespace tarvik
