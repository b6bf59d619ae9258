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

namespace {

bool write_picture(const Gdi::dib& image, std::FILE* f) {
    const auto header = file_header(image);
    return write_all(f, header.data(), header.size()) &&
           write_all(f, image.header(), image.header_bytes()) &&
           write_all(f, image.bits(), image.image_size());
}

bool have_picture(const Gdi::dib& image, const std::string& file) {
    if (image.hbitmap())
        return true;
    std::fprintf(stderr, "No picture to write to file %s\n", file.c_str());
    return false;
}

void report_write_error(const std::string& file) {
    std::fprintf(stderr, "I/O error writing file %s \n", file.c_str());
}

}  // namespace

bool write_bmp(const Gdi::dib& image, const std::string& file) {
    if (!have_picture(image, file))
        return false;
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "I/O error openning file %s \n", file.c_str());
        return false;
    }
    const bool written = write_picture(image, f);
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        report_write_error(file);
        return false;
    }
    return true;
}

bool write_bmp_to(const Gdi::dib& image, std::FILE* stream, const std::string& file) {
    if (!have_picture(image, file))
        return false;
    if (!write_picture(image, stream) || std::fflush(stream) != 0) {
        report_write_error(file);
        return false;
    }
    return true;
}

}  // namespace tarvik
