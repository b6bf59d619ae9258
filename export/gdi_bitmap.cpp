#include "gdi_bitmap.h"

#include <limits>
#include <new>

#include "dib_format.h"

namespace tarvik::Gdi {

namespace {

bool usable_size(int width, int height, std::size_t colours) {
    if (width < 1 || height < 1 || width > dib::kMaxSide || height > dib::kMaxSide)
        return false;
    if (colours > 16)
        return false;
    // The BMP file records its length in 32 bits; keep well inside that.
    const std::size_t bytes = dib::stride_for(width) * static_cast<std::size_t>(height);
    return bytes <= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) - 1024;
}

std::size_t bytes_if_usable(int width, int height, std::size_t colours) {
    return usable_size(width, height, colours)
               ? dib::stride_for(width) * static_cast<std::size_t>(height)
               : 0;
}

}  // namespace

bitmap::bitmap(std::size_t bytes) {
    if (bytes == 0)
        return;
    pixels_.reset(new (std::nothrow) std::uint8_t[bytes]());
    if (pixels_)
        size_ = bytes;
}

std::size_t dib::stride_for(int width) {
    return dib_row_stride(static_cast<std::size_t>(width), kBitsPerPixel);
}

dib::dib(int width, int height, const palette& colours)
    : bitmap(bytes_if_usable(width, height, colours.size())),
      header_(kHeaderSize + 4 * colours.size() + 4, 0),
      width_(width),
      height_(height),
      colours_used_(static_cast<int>(colours.size())),
      stride_(width > 0 ? stride_for(width) : 0) {
    std::uint8_t* h = header_.data();
    put_u32(h + 0, kHeaderSize);
    put_u32(h + 4, static_cast<std::uint32_t>(width));
    put_u32(h + 8, static_cast<std::uint32_t>(height));  // positive: rows run bottom-up
    put_u16(h + 12, 1);                                  // planes
    put_u16(h + 14, kBitsPerPixel);
    // compression none, image size 0, resolutions 0: left as zero bytes
    put_u32(h + 32, static_cast<std::uint32_t>(colours.size()));
    std::uint8_t* entry = h + kHeaderSize;
    for (const rgb& c : colours) {
        entry[0] = static_cast<std::uint8_t>(c.blue);
        entry[1] = static_cast<std::uint8_t>(c.green);
        entry[2] = static_cast<std::uint8_t>(c.red);
        entry += 4;
    }
}

}  // namespace tarvik::Gdi
