#include "dib_layout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "dib_format.h"
#include "run_length.h"

namespace tarvik {

namespace {

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::int64_t kMaxSide = kMaxImageSide;

std::uint32_t u16(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0] | (p[1] << 8));
}

std::uint32_t u32(const std::uint8_t* p) {
    return u16(p) | (u16(p + 2) << 16);
}

std::int32_t i32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(u32(p));
}

template <typename... Args>
std::string format(const char* pattern, Args... args) {
    char text[kPngErrorTextSize];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

// What the header says, before any check.
struct RawHeader {
    std::size_t size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    int bits_per_pixel = 0;
    std::uint32_t compression = kRgb;
    std::int32_t x_pixels_per_metre = 0;
    std::int32_t y_pixels_per_metre = 0;
    std::uint32_t image_size = 0;  // the size of compressed bits; may be 0 for plain rows
    std::uint32_t colours_used = 0;
    std::size_t entry_size = 4;
};

RawHeader read_raw(const std::uint8_t* h) {
    RawHeader r;
    r.size = u32(h);
    if (r.size == kCoreHeaderSize) {
        r.width = u16(h + 4);
        r.height = u16(h + 6);
        r.bits_per_pixel = static_cast<int>(u16(h + 10));
        r.entry_size = 3;
        return r;
    }
    r.width = i32(h + 4);
    r.height = i32(h + 8);
    r.bits_per_pixel = static_cast<int>(u16(h + 14));
    r.compression = u32(h + 16);
    r.image_size = u32(h + 20);
    r.x_pixels_per_metre = i32(h + 24);
    r.y_pixels_per_metre = i32(h + 28);
    r.colours_used = u32(h + 32);
    return r;
}

bool known_depth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Result of the compression check: kPngSuccess or kPngUnsupportedImage with a message.
int check_compression(const RawHeader& r, std::string& message) {
    switch (r.compression) {
        case kRgb:
            if (known_depth(r.bits_per_pixel))
                return kPngSuccess;
            message = format("Unsupported bit depth (%d)", r.bits_per_pixel);
            return kPngUnsupportedImage;
        case kBitFields:
            return (r.bits_per_pixel == 16 || r.bits_per_pixel == 32) ? kPngSuccess
                                                                      : kPngUnsupportedImage;
        case kRle8:
            return r.bits_per_pixel == 8 ? kPngSuccess : kPngUnsupportedImage;
        case kRle4:
            return r.bits_per_pixel == 4 ? kPngSuccess : kPngUnsupportedImage;
        default:
            message = "Unsupported compression scheme";
            return kPngUnsupportedImage;
    }
}

std::size_t palette_entries(const RawHeader& r) {
    if (r.colours_used != 0)
        return r.colours_used;
    return r.bits_per_pixel < 16 ? std::size_t{1} << r.bits_per_pixel : 0;
}

// Bit-field masks are only taken where they describe the plain layouts.
int check_masks(const std::uint8_t* masks, DibLayout& layout) {
    const std::uint32_t red = u32(masks);
    const std::uint32_t green = u32(masks + 4);
    const std::uint32_t blue = u32(masks + 8);
    if (layout.bits_per_pixel == 32)
        return (red == 0xFF0000 && green == 0xFF00 && blue == 0xFF) ? kPngSuccess
                                                                    : kPngUnsupportedImage;
    if (red == 0x7C00 && green == 0x03E0 && blue == 0x1F)
        return kPngSuccess;
    if (red == 0xF800 && green == 0x07E0 && blue == 0x1F) {
        layout.green_6_bits = true;
        return kPngSuccess;
    }
    return kPngUnsupportedImage;
}

bool run_length(const RawHeader& r) {
    return r.compression == kRle8 || r.compression == kRle4;
}

// How many bytes of run-length data may be read: every size known of the block holding them
// (the request's, and the header's own image size, which the format requires for compressed
// bitmaps) bounds them. 0 when no size is known at all: such data could not be read safely.
std::size_t run_length_bound(const PngWriteRequest& request, const RawHeader& r,
                             std::size_t bits_offset) {
    std::size_t bound = r.image_size;
    std::size_t given = 0;
    if (request.bits)
        given = request.bits_size;
    else if (request.header_size != 0)
        given = request.header_size - bits_offset;  // the header block covers the offset
    if (given != 0)
        bound = bound == 0 ? given : std::min(bound, given);
    return bound;
}

// Expands run-length bits into plain rows owned by `layout` and points its bits at them.
int expand_into(DibLayout& layout, const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return kPngUnsupportedImage;
    // Fresh zeroed pages: rows the data never touch cost no memory of their own.
    layout.expanded.reset(static_cast<std::uint8_t*>(
        std::calloc(layout.stride, static_cast<std::size_t>(layout.height))));
    if (!layout.expanded)
        return kPngNoMemory;
    if (!expand_run_length(data, size, layout.bits_per_pixel, layout.width, layout.height,
                           layout.stride, layout.expanded.get()))
        return kPngUnsupportedImage;
    layout.bits = layout.expanded.get();
    return kPngSuccess;
}

}  // namespace

int read_dib_layout(const PngWriteRequest& request, DibLayout& layout, std::string& message) {
    const auto* h = static_cast<const std::uint8_t*>(request.header);
    if (h == nullptr || (request.header_size != 0 && request.header_size < kCoreHeaderSize))
        return kPngInvalidBmp;
    const std::uint32_t header_size = u32(h);
    if (header_size != kCoreHeaderSize && header_size < kInfoHeaderSize) {
        message = format("Unexpected BMP header size (%lld)", static_cast<long long>(header_size));
        return kPngInvalidBmp;
    }
    if (request.header_size != 0 && request.header_size < header_size)
        return kPngInvalidBmp;
    const RawHeader r = read_raw(h);
    layout.top_down = r.height < 0;
    const std::int64_t height = std::llabs(r.height);
    if (r.width < 1 || r.width > kMaxSide || height < 1 || height > kMaxSide) {
        message = format("Unreasonable image dimensions (%lldx%lld)",
                         static_cast<long long>(r.width), static_cast<long long>(height));
        return kPngInvalidBmp;
    }
    layout.width = static_cast<int>(r.width);
    layout.height = static_cast<int>(height);
    layout.bits_per_pixel = r.bits_per_pixel;
    layout.x_pixels_per_metre = r.x_pixels_per_metre;
    layout.y_pixels_per_metre = r.y_pixels_per_metre;
    if (const int code = check_compression(r, message); code != kPngSuccess)
        return code;

    const std::size_t entries = palette_entries(r);
    if (entries > (r.bits_per_pixel < 16 ? 256u : 1u << 24))
        return kPngInvalidBmp;
    // With the 40-byte header the three bit-field masks follow it; longer headers hold them.
    const std::size_t mask_bytes =
        (r.compression == kBitFields && header_size == kInfoHeaderSize) ? 12 : 0;
    const std::size_t table_offset = header_size + mask_bytes;
    const std::size_t bits_offset = table_offset + entries * r.entry_size;
    layout.stride = dib_row_stride(static_cast<std::size_t>(layout.width),
                                   static_cast<std::size_t>(r.bits_per_pixel));
    // Plain rows must all be there; run-length data are checked while they are expanded.
    const std::size_t image_bytes =
        run_length(r) ? 0 : layout.stride * static_cast<std::size_t>(layout.height);
    const std::size_t header_needed = bits_offset + (request.bits ? 0 : image_bytes);
    if (request.header_size != 0 && request.header_size < header_needed)
        return kPngInvalidBmp;
    if (request.bits && request.bits_size != 0 && request.bits_size < image_bytes)
        return kPngInvalidBmp;

    if (r.compression == kBitFields) {
        if (const int code = check_masks(h + kInfoHeaderSize, layout); code != kPngSuccess)
            return code;
    }
    const std::uint8_t* entry = h + table_offset;
    for (std::size_t i = 0; i < entries && i < 256; ++i, entry += r.entry_size)
        layout.colours.push_back({entry[2], entry[1], entry[0]});
    layout.bits = request.bits ? static_cast<const std::uint8_t*>(request.bits) : h + bits_offset;
    if (run_length(r))
        return expand_into(layout, layout.bits, run_length_bound(request, r, bits_offset));
    return kPngSuccess;
}

}  // namespace tarvik
