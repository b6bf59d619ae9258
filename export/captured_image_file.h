// Saving a plot's picture to a PNG or BMP file: the one entry point for callers.
#pragma once

#include <functional>
#include <string>

class QPainter;

namespace tarvik {

inline constexpr int kImageFormatPng = 1;
inline constexpr int kImageFormatBmp = 2;

// Captures `draw` over a client area of the given size as a 16-colour picture and writes it
// to `file` (used as given) in `format`. Failures are shown to the user; the result says
// whether the file was written.
bool write_captured_image(int client_width, int client_height,
                          const std::function<void(QPainter&)>& draw, const std::string& file,
                          int format);

}  // namespace tarvik
