// Writes a 4-bit dib as a BMP file.
#pragma once

#include <cstdio>
#include <string>

#include "gdi_bitmap.h"

namespace tarvik {

// Replaces `file` with the picture. Failures are reported on standard error and give false;
// if the file cannot be opened nothing is written.
bool write_bmp(const Gdi::dib& image, const std::string& file);

// The same into a stream the caller opened and closes; `file` names it in the messages.
bool write_bmp_to(const Gdi::dib& image, std::FILE* stream, const std::string& file);

}  // namespace tarvik
