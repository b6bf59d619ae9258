#include "bmp_writer.h"

#include <array>
#include <cstdio>

#include "dib_format.h"

namespace tarvik {

namespace {

constexpr std::size_t kFileHeaderSize = 14;

std::array<std::uint8_t, kFileHeaderSize> file_header(const Gdi::dib& image) {
    const std::size_t bits_offset = kFileHeaderSize + image.header_bytes();
    std::array<std::uint8_t, kFileHeaderSize> h{};
    h[0] = 'B';
    h[1] = 'M';
    put_u32(&h[2], static_cast<std::uint32_t>(bits_offset + image.image_size()));
    // two reserved 16-bit words stay 0
    put_u32(&h[10], static_cast<std::uint32_t>(bits_offset));
    return h;
}

bool write_all(std::FILE* f, const void* data, std::size_t bytes) {
    return std::fwrite(data, 1, bytes, f) == bytes;
}

}  // namespace

bool write_bmp(const Gdi::dib& image, const std::string& file) {
    if (!image.hbitmap()) {
        std::fprintf(stderr, "No picture to write to file %s\n", file.c_str());
        return false;
    }
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "I/O error openning file %s \n", file.c_str());
        return false;
    }
    const auto header = file_header(image);
    const bool written = write_all(f, header.data(), header.size()) &&
                         write_all(f, image.header(), image.header_bytes()) &&
                         write_all(f, image.bits(), image.image_size());
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        std::fprintf(stderr, "I/O error writing file %s \n", file.c_str());
        return false;
    }
    return true;
}

}  // namespace tarvik
