// Expands run-length compressed bitmap rows (8-bit and 4-bit palette images) to plain rows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvik {

// Expands `size` bytes of run-length data (8-bit pixels when bits_per_pixel is 8, 4-bit pixels
// when it is 4) into `out`: height rows of `stride` bytes, filled in the order the rows are
// stored, zero-filled beforehand by the caller (pixels the data skips keep colour 0).
// False when a run, a delta or an end of line would leave the image, or the data end before
// their end-of-bitmap mark; nothing is read past `size` bytes or written outside the rows.
bool expand_run_length(const std::uint8_t* data, std::size_t size, int bits_per_pixel, int width,
                       int height, std::size_t stride, std::uint8_t* out);

}  // namespace tarvik
