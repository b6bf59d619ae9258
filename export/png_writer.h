// Writes a device-independent bitmap as a PNG file through libpng.
#pragma once

#include <cstdio>

#include "png_write_request.h"

namespace tarvik {

// Checks the request, then writes its file. Returns a PngResult code; on failure the error
// text (when given) holds the reason. A partly written file stays on disk.
int write_png(const PngWriteRequest& request);

// The same into a stream the caller opened and closes (request.file_name is not used); a
// failure to write gives kPngCannotWrite or libpng's error. Callers that replace a file whole
// hand in the stream of a temporary file.
int write_png_to(const PngWriteRequest& request, std::FILE* stream);

}  // namespace tarvik
