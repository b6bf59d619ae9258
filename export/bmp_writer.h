// Writes a 4-bit dib as a BMP file.
#pragma once

#include <string>

#include "gdi_bitmap.h"

namespace tarvik {

// Replaces `file` with the picture. Failures are reported on standard error and give false;
// if the file cannot be opened nothing is written.
bool write_bmp(const Gdi::dib& image, const std::string& file);

}  // namespace tarvik
