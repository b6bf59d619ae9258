// Off-screen images in the layout of a device-independent bitmap. There is no platform DIB
// section here, so a bitmap owns its pixel memory itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "dib_format.h"

namespace tarvik::Gdi {

// One palette colour, each channel 0..255.
struct rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const rgb&, const rgb&) = default;
};
using palette = std::vector<rgb>;

// Pixel memory of an image. Empty when the memory could not be had.
class bitmap {
  public:
    bitmap() = default;
    // Zero-filled memory of `bytes` bytes; stays empty if it cannot be allocated.
    explicit bitmap(std::size_t bytes);
    virtual ~bitmap() = default;
    bitmap(bitmap&&) noexcept = default;
    bitmap& operator=(bitmap&&) noexcept = default;
    bitmap(const bitmap&) = delete;
    bitmap& operator=(const bitmap&) = delete;

    // The image has its memory (the "handle was obtained" condition).
    bool hbitmap() const { return pixels_ != nullptr; }
    std::uint8_t* pixels() { return pixels_.get(); }
    const std::uint8_t* pixels() const { return pixels_.get(); }
    std::size_t pixel_bytes() const { return size_; }

  private:
    std::unique_ptr<std::uint8_t[]> pixels_;
    std::size_t size_ = 0;
};

// A bottom-up palette image of 4 bits per pixel. The header block holds the 40-byte bitmap
// information header, the colour table (blue, green, red, 0 per entry) and 4 spare bytes.
class dib : public bitmap {
  public:
    static constexpr int kHeaderSize = 40;
    static constexpr int kBitsPerPixel = 4;
    // Largest width or height taken; larger requests give an image without memory.
    static constexpr int kMaxSide = kMaxImageSide;

    // A width or height below 1, a palette of more than 16 colours or an image too large
    // to allocate gives a dib whose hbitmap() is false.
    dib(int width, int height, const palette& colours);

    // Bytes per row, rows padded to 4 bytes.
    static std::size_t stride_for(int width);

    const std::uint8_t* header() const { return header_.data(); }
    // Header and colour table, without the spare bytes.
    std::size_t header_bytes() const { return kHeaderSize + 4 * colours_used(); }
    int colours_used() const { return colours_used_; }
    int width() const { return width_; }
    int height() const { return height_; }
    std::size_t stride() const { return stride_; }
    std::size_t image_size() const { return stride_ * static_cast<std::size_t>(height_); }
    std::uint8_t* bits() { return pixels(); }
    const std::uint8_t* bits() const { return pixels(); }
    // Row y counted from the top of the picture (rows are stored bottom-up).
    std::uint8_t* row_from_top(int y) { return bits() + stride_ * to_stored_row(y); }
    const std::uint8_t* row_from_top(int y) const { return bits() + stride_ * to_stored_row(y); }

  private:
    std::size_t to_stored_row(int y) const { return static_cast<std::size_t>(height_ - 1 - y); }

    std::vector<std::uint8_t> header_;
    int width_;
    int height_;
    int colours_used_;
    std::size_t stride_;
};

}  // namespace tarvik::Gdi
