// Turns the rows of a bitmap into the rows a PNG holds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dib_layout.h"

namespace tarvik {

// Bytes a converted row may need: `png_row` writes at most this many into its buffer.
std::size_t png_row_buffer_size(const DibLayout& layout);

// Row y counted from the top. Palette rows are used as they are; 16-, 24- and 32-bit rows are
// converted into `buffer` as RGB (or RGBA when `alpha` and 32 bits).
const std::uint8_t* png_row(const DibLayout& layout, int y, bool alpha, std::uint8_t* buffer);

}  // namespace tarvik
