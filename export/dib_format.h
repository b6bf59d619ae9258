// What the device-independent bitmap format fixes, in one place for the image we capture, the
// BMP file we write and the bitmaps the PNG writer takes: the largest side, the row stride and
// the byte order of header fields.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvik {

// Largest width or height of an image; larger ones are refused.
inline constexpr int kMaxImageSide = 1000000;

// Bytes per row: rows are padded to whole 32-bit words.
constexpr std::size_t dib_row_stride(std::size_t width, std::size_t bits_per_pixel) {
    return (width * bits_per_pixel + 31) / 32 * 4;
}

// Header fields are little-endian.
inline void put_u16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void put_u32(std::uint8_t* p, std::uint32_t v) {
    put_u16(p, v);
    put_u16(p + 2, v >> 16);
}

}  // namespace tarvik
