#include "png_rows.h"

namespace tarvik {

namespace {

std::uint8_t widen5(unsigned v) {
    return static_cast<std::uint8_t>((v << 3) | (v >> 2));
}

std::uint8_t widen6(unsigned v) {
    return static_cast<std::uint8_t>((v << 2) | (v >> 4));
}

void convert16(const std::uint8_t* in, int width, bool green_6_bits, std::uint8_t* out) {
    for (int x = 0; x < width; ++x, in += 2, out += 3) {
        const unsigned v = static_cast<unsigned>(in[0] | (in[1] << 8));
        if (green_6_bits) {
            out[0] = widen5((v >> 11) & 31);
            out[1] = widen6((v >> 5) & 63);
        } else {
            out[0] = widen5((v >> 10) & 31);
            out[1] = widen5((v >> 5) & 31);
        }
        out[2] = widen5(v & 31);
    }
}

// Blue, green, red (and a fourth byte) in; red, green, blue (and alpha if kept) out.
void swap_blue_red(const std::uint8_t* in, int width, int in_step, bool keep_fourth,
                   std::uint8_t* out) {
    for (int x = 0; x < width; ++x, in += in_step) {
        *out++ = in[2];
        *out++ = in[1];
        *out++ = in[0];
        if (keep_fourth)
            *out++ = in[3];
    }
}

}  // namespace

std::size_t png_row_buffer_size(const DibLayout& layout) {
    return static_cast<std::size_t>(layout.width) * 4;
}

const std::uint8_t* png_row(const DibLayout& layout, int y, bool alpha, std::uint8_t* buffer) {
    const std::uint8_t* in = layout.row_from_top(y);
    switch (layout.bits_per_pixel) {
        case 16:
            convert16(in, layout.width, layout.green_6_bits, buffer);
            return buffer;
        case 24:
            swap_blue_red(in, layout.width, 3, false, buffer);
            return buffer;
        case 32:
            swap_blue_red(in, layout.width, 4, alpha, buffer);
            return buffer;
        default:
            return in;
    }
}

}  // namespace tarvik
