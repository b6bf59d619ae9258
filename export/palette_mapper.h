// Maps 24-bit colours to the nearest entry of a palette of at most 16 colours.
#pragma once

#include <array>
#include <cstdint>

#include "gdi_bitmap.h"

namespace tarvik::Gdi {

// Nearest entry by squared RGB distance; on a tie the lower index wins.
int nearest_palette_index(const palette& colours, int red, int green, int blue);

// The same answer, remembered per colour: a plot uses few colours, so almost every pixel is
// answered from the cache.
class palette_mapper {
  public:
    explicit palette_mapper(const palette& colours);

    // colour is 0x??RRGGBB; the top byte is ignored.
    std::uint8_t index_of(std::uint32_t colour) {
        const std::uint32_t key = colour & 0xFFFFFFu;
        const std::uint32_t slot = (key ^ (key >> 11) ^ (key >> 19)) & (kSlots - 1);
        if (keys_[slot] != (key | kFilled)) {
            keys_[slot] = key | kFilled;
            values_[slot] = lookup(key);
        }
        return values_[slot];
    }

  private:
    static constexpr std::uint32_t kSlots = 4096;
    static constexpr std::uint32_t kFilled = 0x1000000u;

    std::uint8_t lookup(std::uint32_t key) const;

    const palette& colours_;
    std::array<std::uint32_t, kSlots> keys_{};
    std::array<std::uint8_t, kSlots> values_{};
};

}  // namespace tarvik::Gdi
