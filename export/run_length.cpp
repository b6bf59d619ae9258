#include "run_length.h"

namespace tarvik {

namespace {

// The pairs of bytes a run-length stream is made of: a count of pixels and their colour(s),
// or 0 and an escape code.
constexpr unsigned kEndOfLine = 0;
constexpr unsigned kEndOfBitmap = 1;
constexpr unsigned kDelta = 2;  // two more bytes: pixels to the right, rows further on

class RowWriter {
  public:
    RowWriter(int bits_per_pixel, int width, int height, std::size_t stride, std::uint8_t* out)
        : four_bits_(bits_per_pixel == 4),
          width_(width),
          height_(height),
          stride_(stride),
          out_(out) {}

    // Room for `count` more pixels on the current row.
    bool fits(std::size_t count) const {
        return y_ < height_ && count <= static_cast<std::size_t>(width_ - x_);
    }

    // Only after fits(): writes the next pixel of the row.
    void put(unsigned index) {
        std::uint8_t* row = out_ + stride_ * static_cast<std::size_t>(y_);
        if (!four_bits_) {
            row[x_] = static_cast<std::uint8_t>(index);
        } else {
            std::uint8_t& pair = row[x_ / 2];
            pair = (x_ % 2 == 0) ? static_cast<std::uint8_t>((pair & 0x0F) | (index << 4))
                                 : static_cast<std::uint8_t>((pair & 0xF0) | (index & 0x0F));
        }
        ++x_;
    }

    // An end of line may leave the last row (the end of bitmap usually follows), no more.
    bool next_line() {
        x_ = 0;
        return ++y_ <= height_;
    }

    bool move(unsigned right, unsigned down) {
        x_ += static_cast<int>(right);
        y_ += static_cast<int>(down);
        return x_ <= width_ && y_ < height_;
    }

    bool four_bits() const { return four_bits_; }

  private:
    bool four_bits_;
    int width_;
    int height_;
    std::size_t stride_;
    std::uint8_t* out_;
    int x_ = 0;
    int y_ = 0;
};

// Pixel i of a run: one colour at 8 bits, two alternating colours (high nibble first) at 4.
unsigned run_pixel(bool four_bits, unsigned colours, unsigned i) {
    if (!four_bits)
        return colours;
    return i % 2 == 0 ? colours >> 4 : colours & 0x0F;
}

// Pixel i of an absolute run: one byte each at 8 bits, two to a byte at 4.
unsigned absolute_pixel(bool four_bits, const std::uint8_t* bytes, unsigned i) {
    if (!four_bits)
        return bytes[i];
    return run_pixel(true, bytes[i / 2], i);
}

}  // namespace

bool expand_run_length(const std::uint8_t* data, std::size_t size, int bits_per_pixel, int width,
                       int height, std::size_t stride, std::uint8_t* out) {
    RowWriter rows(bits_per_pixel, width, height, stride, out);
    const bool four_bits = rows.four_bits();
    std::size_t at = 0;
    for (;;) {
        if (size - at < 2)
            return false;  // the data end before their end-of-bitmap mark
        const unsigned count = data[at];
        const unsigned code = data[at + 1];
        at += 2;
        if (count > 0) {
            if (!rows.fits(count))
                return false;
            for (unsigned i = 0; i < count; ++i)
                rows.put(run_pixel(four_bits, code, i));
            continue;
        }
        switch (code) {
            case kEndOfLine:
                if (!rows.next_line())
                    return false;
                break;
            case kEndOfBitmap:
                return true;
            case kDelta:
                if (size - at < 2 || !rows.move(data[at], data[at + 1]))
                    return false;
                at += 2;
                break;
            default: {
                // An absolute run of `code` pixels, padded to a whole number of 16-bit words.
                const std::size_t bytes = four_bits ? (code + 1) / 2 : code;
                const std::size_t padded = bytes + bytes % 2;
                if (size - at < padded || !rows.fits(code))
                    return false;
                for (unsigned i = 0; i < code; ++i)
                    rows.put(absolute_pixel(four_bits, data + at, i));
                at += padded;
            }
        }
    }
}

}  // namespace tarvik
