// Reads and checks the bitmap a PNG write request describes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "gdi_bitmap.h"
#include "png_write_request.h"

namespace tarvik {

struct FreeBytes {
    void operator()(std::uint8_t* p) const { std::free(p); }
};

struct DibLayout {
    int width = 0;
    int height = 0;  // always positive
    bool top_down = false;
    int bits_per_pixel = 0;
    bool green_6_bits = false;  // 16-bit pixels are 5-6-5 rather than 5-5-5
    std::int32_t x_pixels_per_metre = 0;
    std::int32_t y_pixels_per_metre = 0;
    Gdi::palette colours;                // the colour table, at most 256 entries
    const std::uint8_t* bits = nullptr;  // plain rows, whatever the request's compression
    std::size_t stride = 0;
    // The plain rows a run-length bitmap expands to; `bits` points into them.
    std::unique_ptr<std::uint8_t, FreeBytes> expanded;

    const std::uint8_t* row_from_top(int y) const {
        const int stored = top_down ? y : height - 1 - y;
        return bits + stride * static_cast<std::size_t>(stored);
    }
};

// Fills `layout` from the request's header block and bits. Returns kPngSuccess, or a result
// code with a more precise message in `message` where there is one (else it stays empty).
int read_dib_layout(const PngWriteRequest& request, DibLayout& layout, std::string& message);

}  // namespace tarvik
